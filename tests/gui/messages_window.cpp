// The messages window's "mesajvar" handler in the whole program, fed through
// the reply router as the dispatcher feeds it: lines, status, first body, the
// code page 1254 texts, a message cut short, a click with no line selected.
#include <QLabel>
#include <QListWidget>
#include <QTextEdit>
#include <QtTest>

#include "gui/shell_fixture.h"
#include "server/ui/ReplyRouter.h"
#include "server/ui/TFrmMesajlar.h"

using namespace izleme;

class MessagesWindowTest : public QObject {
    Q_OBJECT

private slots:
    void handler() {
        ShellFixture shell;
        TFrmAna& ana = shell.ana();
        TFrmMesajlar& window = *shell.forms.FrmMesajlar;
        window.RzListBox1Click();  // no line selected: nothing shows
        QCOMPARE(window.RichEdit1->toPlainText(), QString());

        ReplyRouter& router = ana.router();
        router.mesajvar(
            "\xDE"
            "ebeke",
            "G\xFC"
            "\xE7 kesintisi");
        router.mesajvar("", "");  // cut short: empty texts, still a line
        router.mesajvar("Son", "Son metin");
        QCOMPARE(window.RzListBox1->count(), 3);
        QCOMPARE(window.RzListBox1->item(0)->text(), QStringLiteral("//Şebeke"));
        QCOMPARE(window.RzListBox1->item(1)->text(), QStringLiteral("//"));
        QCOMPARE(ana.LblMesaj->text(), QStringLiteral("Yeni mesajlarınız alınıyor...  Mesaj No: 3"));
        QCOMPARE(window.RichEdit1->toPlainText(), QStringLiteral("Güç kesintisi"));
        QCOMPARE(ana.state().messages.at(1)->body, std::string());

        window.RzListBox1->setCurrentRow(2);
        window.RzListBox1Click();
        QCOMPARE(window.RichEdit1->toPlainText(), QStringLiteral("Son metin"));
        window.RzListBox1->setCurrentRow(1);
        window.RzListBox1Click();
        QCOMPARE(window.RichEdit1->toPlainText(), QString());
    }
};

QTEST_MAIN(MessagesWindowTest)
#include "messages_window.moc"
