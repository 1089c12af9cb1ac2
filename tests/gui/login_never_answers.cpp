// A server that never answers the connect: a loopback listener whose accept
// queue is already full, so the kernel drops further connection requests.
// The wait ends when the progress indicator reaches 100, as a connection error.
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QtTest>
#include <memory>
#include <vector>

#include "gui/login_fake_shell.h"
#include "server/ui/Connection.h"
#include "server/ui/TFrmGiris.h"

using izleme::LoginSettings;
using izleme::TFrmGiris;
using izleme::test::FakeShell;

namespace {

// Listens without accepting; fillers take every place of the accept queue.
class SilentListener {
public:
    bool start() {
        server_.setListenBacklogSize(0);
        if (!server_.listen(QHostAddress::LocalHost, 0)) return false;
        server_.pauseAccepting();
        for (int i = 0; i < 16; ++i) {
            auto filler = std::make_unique<QTcpSocket>();
            filler->connectToHost(QHostAddress::LocalHost, server_.serverPort());
            const bool connected = filler->waitForConnected(300);
            fillers_.push_back(std::move(filler));
            if (!connected) return true;  // this one hangs: the queue is full
        }
        return false;
    }
    quint16 port() const { return server_.serverPort(); }

private:
    QTcpServer server_;
    std::vector<std::unique_ptr<QTcpSocket>> fillers_;
};

// The indicator's value at the tick that ended the wait (-1 while waiting).
std::shared_ptr<int> recordEnd(TFrmGiris& w) {
    auto endedAt = std::make_shared<int>(-1);
    QObject::connect(&w, &TFrmGiris::progressChanged, &w, [&w, endedAt](int value) {
        if (*endedAt < 0 && !w.connection().isConnecting()) *endedAt = value;
    });
    return endedAt;
}

void startLogin(TFrmGiris& w, quint16 port) {
    w.Edit1->setText("demo");
    w.Servername->setText("127.0.0.1");
    w.edtport->setText(QString::number(port));
    w.suiButton1Click();
}

}  // namespace

class LoginNeverAnswersTest : public QObject {
    Q_OBJECT

private slots:
    void waitEndsAtOneHundredAsAnError() {
        SilentListener listener;
        if (!listener.start()) QSKIP("this system accepts connections beyond the listen queue");
        FakeShell shell;
        LoginSettings settings;
        settings.progressIntervalMs = 5;
        TFrmGiris w(shell, nullptr, settings);
        QSignalSpy sent(&w.connection(), &izleme::Connection::loginSent);
        const auto endedAt = recordEnd(w);
        startLogin(w, listener.port());
        QVERIFY(w.connection().isConnecting());

        // The program stays responsive: timers run and a second start does nothing.
        QTest::qWait(30);
        QVERIFY(w.connection().isConnecting());
        w.suiButton1Click();
        QVERIFY(w.progress() > 0);

        QTRY_VERIFY(!w.connection().isConnecting());
        QCOMPARE(*endedAt, 102);
        QCOMPARE(w.errorText(), QStringLiteral("Bağlantı Hatası"));
        QCOMPARE(shell.statusLine, QStringLiteral("Bağlantı Hatası. Bağlantınızı kontrol edin."));
        QCOMPARE(shell.sock.state(), QAbstractSocket::UnconnectedState);  // the attempt is abandoned
        QCOMPARE(sent.count(), 0);
        QCOMPARE(shell.trayAttached, 0);
        // The operator can try again at once.
        QCOMPARE(w.statusText(), QStringLiteral("   Sunucu yanıt vermedi"));
        QVERIFY(w.suiButton1->isEnabled());
        QVERIFY(!w.Timer1->isActive());
    }

    // A "pong" sets the indicator to 100 and its timer goes on; a later login
    // (a device selection after a disconnect, with the window hidden) still
    // waits its full time, as does one that starts after the value wrapped.
    void laterLoginWaitsItsFullTime_data() {
        QTest::addColumn<int>("before");
        QTest::newRow("pong") << 100;
        QTest::newRow("ticks after the pong") << 4000;
        QTest::newRow("wrapped") << -30000;
    }
    void laterLoginWaitsItsFullTime() {
        QFETCH(int, before);
        SilentListener listener;
        if (!listener.start()) QSKIP("this system accepts connections beyond the listen queue");
        FakeShell shell;
        LoginSettings settings;
        settings.progressIntervalMs = 5;
        TFrmGiris w(shell, nullptr, settings);
        w.Edit1->setText("demo");
        w.Servername->setText("127.0.0.1");
        w.edtport->setText(QString::number(listener.port()));
        w.setProgress(static_cast<qint16>(before));
        w.Timer1->start();
        const auto endedAt = recordEnd(w);
        w.connection().startConnectAndLogin();
        QVERIFY(w.connection().isConnecting());
        QTRY_VERIFY(!w.connection().isConnecting());
        QCOMPARE(*endedAt, 102);
        QCOMPARE(w.errorText(), QStringLiteral("Bağlantı Hatası"));
    }

    void closeDuringTheWaitEndsIt() {
        SilentListener listener;
        if (!listener.start()) QSKIP("this system accepts connections beyond the listen queue");
        FakeShell shell;
        TFrmGiris w(shell);
        startLogin(w, listener.port());
        QVERIFY(w.connection().isConnecting());
        w.suiButton3Click();
        QVERIFY(!w.connection().isConnecting());
        QCOMPARE(shell.mainClosed, 1);
        QVERIFY(!w.Timer1->isActive());
    }

    // The real 500 ms ticks: 0, 3, ..., 99, 102 ends the wait after 34 ticks.
    void realIntervalEndsTheWaitInAboutSeventeenSeconds() {
        SilentListener listener;
        if (!listener.start()) QSKIP("this system accepts connections beyond the listen queue");
        FakeShell shell;
        TFrmGiris w(shell);
        const auto endedAt = recordEnd(w);
        QElapsedTimer elapsed;
        elapsed.start();
        startLogin(w, listener.port());
        QTRY_VERIFY_WITH_TIMEOUT(!w.connection().isConnecting(), 30000);
        QCOMPARE(*endedAt, 102);
        QVERIFY2(elapsed.elapsed() >= 16500, qPrintable(QString::number(elapsed.elapsed())));
        QCOMPARE(w.errorText(), QStringLiteral("Bağlantı Hatası"));
    }
};

QTEST_MAIN(LoginNeverAnswersTest)
#include "login_never_answers.moc"
