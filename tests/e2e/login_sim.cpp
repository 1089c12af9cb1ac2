// The login window and the connection against the real merkez-sim over
// 127.0.0.1: a right login, a wrong one, an empty user name, and the server
// going away.
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <string>
#include <vector>

#include "gui/login_fake_shell.h"
#include "toolkit/core/Cp1254.h"
#include "server/core/Keywords.h"
#include "server/ui/ReplyRouter.h"
#include "server/ui/Connection.h"
#include "server/ui/TFrmGiris.h"
#include "support/SimProcess.h"

using izleme::TFrmGiris;
using izleme::test::FakeShell;
using izleme::test::SimProcess;

namespace {

// The client side: a login window on a stand-in main window, recording the device entries.
struct Client {
    explicit Client(quint16 port) : login(shell) {
        login.Servername->setText(QStringLiteral("127.0.0.1"));
        login.edtport->setText(QString::number(port));
        shell.router().subscribe(izleme::kw::cihazlar, [this](const izleme::Reply& r) {
            entries.push_back(std::string(r.fields[1]) + " " + std::string(r.fields[3]));
        });
    }
    void logIn(const QString& user, const QString& password) {
        login.Edit1->setText(user);
        login.Edit4->setText(password);
        QTest::mouseClick(login.suiButton1, Qt::LeftButton);
    }

    FakeShell shell;
    TFrmGiris login;
    std::vector<std::string> entries;
};

bool hasModel(const std::vector<std::string>& entries, const std::string& model) {
    for (const auto& e : entries)
        if (e.rfind(model + " ", 0) == 0) return true;
    return false;
}

}  // namespace

class LoginSimTest : public QObject {
    Q_OBJECT

private slots:
    void rightLoginGetsPongAndTheDeviceList() {
        SimProcess sim;
        QVERIFY2(sim.port() != 0, "merkez-sim did not start");
        Client c(sim.port());
        c.login.show();
        QSignalSpy sent(&c.login.connection(), &izleme::Connection::loginSent);
        c.logIn("demo", "demo");
        QTRY_COMPARE(c.login.statusText(), QStringLiteral("Bağlantı Kuruldu"));
        QCOMPARE(sent.count(), 1);
        QVERIFY(c.shell.shared.loggedIn);
        QCOMPARE(c.login.progress(), qint16(100));
        QVERIFY(!c.login.isVisible());
        QCOMPARE(c.shell.caption, QStringLiteral("<<<<<<<demo Bağlı.>>>>>>>>>"));
        QTRY_VERIFY(c.entries.size() >= 4);
        QVERIFY(hasModel(c.entries, "KRT100"));
        QVERIFY(hasModel(c.entries, "KLM200"));
        QVERIFY(hasModel(c.entries, "ZDN100"));
        QVERIFY(!c.shell.log.isEmpty());
        QVERIFY(c.shell.lampIsGreen);

        // The keep-alive is answered with another "pong".
        c.shell.statusLine.clear();
        c.login.connection().TimerPingTimer();
        QTRY_COMPARE(c.shell.statusLine, QStringLiteral("Pong"));
    }

    void wrongLoginShowsTheDisconnectText() {
        SimProcess sim;
        QVERIFY2(sim.port() != 0, "merkez-sim did not start");
        Client c(sim.port());
        c.logIn("demo", "yanlis");
        QTRY_COMPARE(c.shell.statusLine, QStringLiteral("demo kullanıcısının ana bilgisayarla bağlantısı kesildi"));
        QVERIFY(!c.shell.shared.loggedIn);
        QVERIFY(c.entries.empty());
        QCOMPARE(c.login.errorText(), QString());
    }

    void emptyUserNameSendsNothing() {
        SimProcess sim;
        QVERIFY2(sim.port() != 0, "merkez-sim did not start");
        Client c(sim.port());
        c.logIn("", "demo");
        QCOMPARE(c.login.statusText(), QStringLiteral("   Kullanıcı Adı Girin"));
        QTest::qWait(100);
        QCOMPARE(c.shell.sock.state(), QAbstractSocket::UnconnectedState);
        QVERIFY(!c.shell.shared.loggedIn);
    }

    void serverGoingAwayThenLoggingInAgain() {
        auto sim = std::make_unique<SimProcess>();
        QVERIFY2(sim->port() != 0, "merkez-sim did not start");
        Client c(sim->port());
        c.logIn("demo", "demo");
        QTRY_VERIFY(c.shell.shared.loggedIn);
        sim->stop();
        QTRY_COMPARE(c.shell.statusLine, QStringLiteral("demo kullanıcısının ana bilgisayarla bağlantısı kesildi"));
        QVERIFY(!c.shell.shared.loggedIn);

        // A new server: the connect-and-login that a device selection starts works again, hidden.
        sim = std::make_unique<SimProcess>();
        QVERIFY2(sim->port() != 0, "merkez-sim did not start");
        c.login.edtport->setText(QString::number(sim->port()));
        c.entries.clear();
        QSignalSpy sent(&c.login.connection(), &izleme::Connection::loginSent);
        c.login.connection().startConnectAndLogin();
        QTRY_COMPARE(sent.count(), 1);
        QTRY_VERIFY(!c.entries.empty());
        QVERIFY(c.shell.shared.loggedIn);
    }
};

QTEST_MAIN(LoginSimTest)
#include "login_sim.moc"
