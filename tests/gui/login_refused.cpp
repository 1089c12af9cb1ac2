// A login the server refuses: it closes the connection without a byte after
// "kulsifre". The login window shows again with its texts and "Bağlan" ready,
// and the main menu's "Bağlan..." brings the window back whenever it is closed.
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "gui/login_fake_shell.h"
#include "gui/shell_fixture.h"
#include "server/ui/Connection.h"
#include "server/ui/TFrmGiris.h"
#include "support/LoopbackPeer.h"
#include "support/SimProcess.h"
#include "toolkit/ui/GroupBar.h"

using izleme::TFrmGiris;
using izleme::test::FakeShell;
using izleme::test::LoopbackPeer;
using izleme::test::SimProcess;

namespace {

const QString kRefused = QStringLiteral("   Giriş reddedildi: kullanıcı adı veya şifre hatalı olabilir");
const QByteArray kLogin(
    "kulsifre\x01"
    "Ay\xFE"
    "e\x01s1fre\x02\xF4\xF4\xF4");

int deviceEntries(const izleme::GroupBar& bar) {
    int n = 0;
    for (int g = 0; g < bar.groupCount(); ++g) n += bar.group(g)->entryCount();
    return n;
}

}  // namespace

class LoginRefusedTest : public QObject {
    Q_OBJECT

private slots:
    // Only a close with nothing at all after the login is a refusal.
    void closeAfterTheLogin_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("refused");
        QTest::newRow("nothing") << QByteArray() << true;
        QTest::newRow("pong") << QByteArray("pong\x01\xF4\xF4\xF4") << false;
        QTest::newRow("one unknown byte") << QByteArray("?") << false;
    }
    void closeAfterTheLogin() {
        QFETCH(QByteArray, answer);
        QFETCH(bool, refused);
        FakeShell shell;
        shell.caption = QStringLiteral("FrmAna");
        TFrmGiris w(shell);
        w.show();
        QSignalSpy sent(&w.connection(), &izleme::Connection::loginSent);
        LoopbackPeer peer;
        w.Edit1->setText(QStringLiteral("Ayşe"));
        w.Edit4->setText(QStringLiteral("s1fre"));
        w.Servername->setText(QStringLiteral("127.0.0.1"));
        w.edtport->setText(peer.portText());
        QTest::mouseClick(w.suiButton1, Qt::LeftButton);
        QTRY_COMPARE(peer.received, QByteArray(kLogin));
        QVERIFY(!w.isVisible());  // closed by the connect

        if (!answer.isEmpty()) {
            peer.client->write(answer);
            peer.client->flush();
            QTRY_VERIFY(!shell.log.isEmpty());
        }
        peer.client->disconnectFromHost();
        QTRY_VERIFY(!shell.shared.loggedIn);
        QCOMPARE(shell.statusLine, QStringLiteral("Ayşe kullanıcısının ana bilgisayarla bağlantısı kesildi"));
        QCOMPARE(w.isVisible(), refused);
        QCOMPARE(w.statusText() == kRefused, refused);
        QVERIFY(w.suiButton1->isEnabled());
        QVERIFY(!w.Timer1->isActive());
        // Only an accepted login leaves the caption that says the operator is connected.
        QCOMPARE(shell.caption, refused ? QStringLiteral("FrmAna") : QStringLiteral("<<<<<<<Ayşe Bağlı.>>>>>>>>>"));
        if (!refused) return;

        // The texts are kept: one click tries again.
        QCOMPARE(w.Edit1->text(), QStringLiteral("Ayşe"));
        QCOMPARE(w.Edit4->text(), QStringLiteral("s1fre"));
        peer.received.clear();
        QTest::mouseClick(w.suiButton1, Qt::LeftButton);
        QTRY_COMPARE(sent.count(), 2);
        QTRY_COMPARE(peer.received, QByteArray(kLogin));
    }

    // End to end with merkez-sim, in the real windows: a wrong password, the
    // window closed by its title bar, then "Bağlan..." and the right password.
    void wrongPasswordThenMenuThenRightOne() {
        SimProcess sim;
        QVERIFY2(sim.port() != 0, "merkez-sim did not start");
        izleme::ShellFixture f;
        QVERIFY(f.showUntilLogin());
        TFrmGiris& login = *f.forms.FrmGiris;
        izleme::TFrmAna& ana = f.ana();
        login.Servername->setText(QStringLiteral("127.0.0.1"));
        login.edtport->setText(QString::number(sim.port()));
        login.Edit1->setText(QStringLiteral("demo"));
        login.Edit4->setText(QStringLiteral("yanlis"));
        QTest::mouseClick(login.suiButton1, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(login.statusText(), kRefused, 10000);
        QVERIFY(login.isVisible());
        QVERIFY(login.suiButton1->isEnabled());
        QCOMPARE(login.Edit4->text(), QStringLiteral("yanlis"));
        QVERIFY(!ana.state().loggedIn);

        QTest::mouseClick(login.findChild<QToolButton*>(QStringLiteral("titleClose")), Qt::LeftButton);
        QTRY_VERIFY(!login.isVisible());
        QVERIFY(ana.isVisible());

        auto* menu = ana.findChild<QMenu*>(QStringLiteral("Cihaz1"));
        QVERIFY(menu);
        auto* again = ana.findChild<QAction*>(QStringLiteral("Baglan1"));
        QVERIFY(again);
        QCOMPARE(again->text(), QStringLiteral("Bağlan..."));
        QVERIFY(menu->actions().contains(again));
        again->trigger();
        QTRY_VERIFY(login.isVisible());
        QCOMPARE(login.Edit1->text(), QStringLiteral("demo"));

        login.Edit4->setText(QStringLiteral("demo"));
        QTest::mouseClick(login.suiButton1, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(ana.state().loggedIn, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(login.statusText(), QStringLiteral("Bağlantı Kuruldu"), 10000);
        QVERIFY(!login.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(deviceEntries(*ana.RzGroupBar1) > 0, 10000);
    }
};

QTEST_MAIN(LoginRefusedTest)
#include "login_refused.moc"
