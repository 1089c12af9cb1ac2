// The messages window against a loopback server: the request each showing
// sends, byte for byte, and the "mesajvar" messages of one read: lines,
// status, first body, code page 1254 texts, a message cut short, clicks.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

#include "gui/loopback_client.h"
#include "server/ui/TFrmMesajlar.h"

using namespace izleme;

namespace {

using test::kEnd;
const QByteArray kAsk = QByteArray(
                            "yenimesajiste\x01"
                            "demo\x01") +
                        kEnd;

QByteArray mesajvar(const QByteArray& heading, const QByteArray& body) {
    return "mesajvar\x01" + heading + '\x01' + body + '\x01' + kEnd;
}

}  // namespace

class MessagesWindowTest : public QObject {
    Q_OBJECT

private slots:
    void overTheWire() {
        test::LoopbackClient c;
        test::LoopbackPeer& peer = c.peer;
        TFrmAna& ana = c.ana;
        TFrmMesajlar& window = *c.shell.forms.FrmMesajlar;
        QVERIFY(c.logIn());

        window.RzListBox1Click();  // no line selected: nothing shows
        QCOMPARE(window.RichEdit1->toPlainText(), QString());

        ana.Oku1->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(peer.received, kAsk, 5000);
        window.show();  // already shown: asks nothing (the exact byte counts below show it)

        // Three messages in one read, the last cut short after its keyword.
        peer.client->write(mesajvar("\xDE"
                                    "ebeke",
                                    "G\xFC"
                                    "\xE7 kesintisi") +
                           mesajvar("Son", "Son metin") + QByteArray("mesajvar\x01") + kEnd);
        QTRY_COMPARE_WITH_TIMEOUT(window.RzListBox1->count(), 3, 5000);
        QCOMPARE(window.RzListBox1->item(0)->text(), QStringLiteral("//Şebeke"));
        QCOMPARE(window.RzListBox1->item(1)->text(), QStringLiteral("//Son"));
        QCOMPARE(window.RzListBox1->item(2)->text(), QStringLiteral("//"));
        QCOMPARE(ana.LblMesaj->text(), QStringLiteral("Yeni mesajlarınız alınıyor...  Mesaj No: 3"));
        QCOMPARE(window.RichEdit1->toPlainText(), QStringLiteral("Güç kesintisi"));

        for (int row : {2, 1, 0}) {
            const QRect rect = window.RzListBox1->visualItemRect(window.RzListBox1->item(row));
            QTest::mouseClick(window.RzListBox1->viewport(), Qt::LeftButton, {}, rect.center());
            const QString bodies[] = {QStringLiteral("Güç kesintisi"), QStringLiteral("Son metin"), QString()};
            QCOMPARE(window.RichEdit1->toPlainText(), bodies[row]);
        }

        // Closed and opened again: one more request.
        QTest::mouseClick(window.BitBtn1, Qt::LeftButton);
        QVERIFY(!window.isVisible());
        ana.Oku1->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(peer.received, kAsk + kAsk, 5000);
        QTest::mouseClick(window.BitBtn2, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(peer.received, kAsk + kAsk + kAsk, 5000);
    }
};

QTEST_MAIN(MessagesWindowTest)
#include "messages_window.moc"
