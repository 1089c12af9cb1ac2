// The messages window against the real merkez-sim over 127.0.0.1: the
// new-message link after the login, the window asking on every showing and
// listing what comes, the bodies, and an account with more messages than the
// list keeps.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

#include "app/ui/UrlLabel.h"
#include "gui/shell_fixture.h"
#include "server/core/Keywords.h"
#include "server/ui/ReplyRouter.h"
#include "server/ui/Requests.h"
#include "server/ui/TFrmMesajlar.h"
#include "support/SimClient.h"
#include "support/SimProcess.h"

using namespace izleme;

namespace {

using test::steadyDemo;

QStringList lines(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}

}  // namespace

class MessagesWindowTest : public QObject {
    Q_OBJECT

    // Waits until every reply to what was sent before has come: the server
    // answers in order, so a pong after a ping closes them.
    static bool drainReplies(TFrmAna& ana) {
        int pongs = 0;
        QObject owner;
        ana.router().subscribe(
            kw::pong, [&pongs](const Reply&) { ++pongs; }, &owner);
        ana.requests().send(kw::ping, {});
        return QTest::qWaitFor([&] { return pongs > 0; }, 10000);
    }

private slots:
    void readsTheServersMessages() {
        test::SimProcess sim(steadyDemo);
        QVERIFY2(sim.port() != 0, "merkez-sim did not start");
        test::SimClient client;
        TFrmAna& ana = client.ana;
        TFrmMesajlar& window = *client.shell.forms.FrmMesajlar;
        QVERIFY(client.typeLogin(sim.port()));

        // The login's "yenimesaj" shows the link; nothing was asked yet.
        QTRY_VERIFY_WITH_TIMEOUT(ana.RzURLLabel1->isVisible(), 10000);
        QCOMPARE(window.RzListBox1->count(), 0);

        emit ana.RzURLLabel1->clicked();
        QVERIFY(window.isVisible());
        QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QTRY_COMPARE_WITH_TIMEOUT(window.RzListBox1->count(), 3, 10000);
        const QStringList first{QStringLiteral("//Bakım Duyurusu"), QStringLiteral("//Ceza Sınırı Uyarısı"),
                                QStringLiteral("//Sayaç Okuma")};
        QCOMPARE(lines(window.RzListBox1), first);
        QCOMPARE(ana.LblMesaj->text(), QStringLiteral("Yeni mesajlarınız alınıyor...  Mesaj No: 3"));
        const QString firstBody =
            QStringLiteral("Cumartesi 02:00-04:00 arası merkez sunucuda bakım çalışması yapılacaktır.");
        QCOMPARE(window.RichEdit1->toPlainText(), firstBody);

        // A click on the second line shows the second body.
        const QRect second = window.RzListBox1->visualItemRect(window.RzListBox1->item(1));
        QTest::mouseClick(window.RzListBox1->viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(window.RichEdit1->toPlainText(),
                 QStringLiteral("Atölye Kompanzasyon panosunda endüktif oran %15 sınırına yaklaştı. "
                                "Kademe güçlerini kontrol edin."));

        // Showing it while it is shown asks nothing.
        window.show();
        QVERIFY(drainReplies(ana));
        QCOMPARE(window.RzListBox1->count(), 3);

        // "Kapat" hides it; the menu shows it again and it asks again: the
        // server sends the same messages, which are added after the others.
        QTest::mouseClick(window.BitBtn1, Qt::LeftButton);
        QVERIFY(!window.isVisible());
        ana.Oku1->trigger();
        QVERIFY(window.isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(window.RzListBox1->count(), 6, 10000);
        QCOMPARE(lines(window.RzListBox1), first + first);
        QCOMPARE(ana.LblMesaj->text(), QStringLiteral("Yeni mesajlarınız alınıyor...  Mesaj No: 6"));
        // Later messages only add lines: the body shown stays the one clicked.
        QVERIFY(window.RichEdit1->toPlainText().startsWith(QStringLiteral("Atölye")));
        QCOMPARE(ana.state().messages.size(), 6);

        // The button asks as well.
        QTest::mouseClick(window.BitBtn2, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(window.RzListBox1->count(), 9, 10000);

        // The window fits the screen it is on.
        const QRect area = window.screen()->availableGeometry();
        QVERIFY(area.contains(window.frameGeometry()));
    }

    // 257 messages: the list keeps the most recent 256, the oldest line goes
    // with the oldest message, and a click still shows the body of its line.
    void keepsTheMostRecent256() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QJsonArray messages;
        for (int n = 1; n <= 257; ++n)
            messages.append(QJsonObject{{"heading", QStringLiteral("Mesaj %1").arg(n)},
                                        {"body", QStringLiteral("Metin %1").arg(n)}});
        const QJsonObject scenario{
            {"accounts",
             QJsonArray{QJsonObject{
                 {"user", "demo"}, {"password", "demo"}, {"devices", QJsonArray{"12001"}}, {"messages", messages}}}},
            {"devices", QJsonArray{QJsonObject{{"serial", "12001"}, {"name", "Pano"}, {"model", "KRT100"}}}}};
        QFile file(dir.filePath(QStringLiteral("many.json")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QJsonDocument(scenario).toJson());
        file.close();

        test::SimProcess sim(steadyDemo + QStringList{"--scenario", file.fileName()});
        QVERIFY2(sim.port() != 0, "merkez-sim did not start");
        test::SimClient client;
        TFrmAna& ana = client.ana;
        TFrmMesajlar& window = *client.shell.forms.FrmMesajlar;
        QVERIFY(client.typeLogin(sim.port()));

        ana.Oku1->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(ana.LblMesaj->text(), QStringLiteral("Yeni mesajlarınız alınıyor...  Mesaj No: 257"),
                                  20000);
        QCOMPARE(window.RzListBox1->count(), 256);
        QCOMPARE(ana.state().messages.size(), 256);
        QCOMPARE(window.RzListBox1->item(0)->text(), QStringLiteral("//Mesaj 2"));
        QCOMPARE(window.RzListBox1->item(255)->text(), QStringLiteral("//Mesaj 257"));
        // The first message filled the body when it came.
        QCOMPARE(window.RichEdit1->toPlainText(), QStringLiteral("Metin 1"));
        for (int row : {0, 100, 255}) {
            window.RzListBox1->scrollToItem(window.RzListBox1->item(row));
            const QRect rect = window.RzListBox1->visualItemRect(window.RzListBox1->item(row));
            QTest::mouseClick(window.RzListBox1->viewport(), Qt::LeftButton, {}, rect.center());
            QCOMPARE(window.RichEdit1->toPlainText(), QStringLiteral("Metin %1").arg(row + 2));
        }
    }
};

QTEST_MAIN(MessagesWindowTest)
#include "messages_window.moc"
