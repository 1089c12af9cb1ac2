// What the client benchmarks against merkez-sim share: merkez-sim as a child
// process and the real client logged in through its login window.
#pragma once

#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStringList>
#include <QTest>

#include "app/ui/TFrmAna.h"
#include "bench/client/Probe.h"
#include "gui/shell_fixture.h"
#include "server/ui/TFrmGiris.h"

namespace izleme::bench {

// merkez-sim on 127.0.0.1 at a free port with the options given, stopped
// with this object (and by itself after ten minutes). The one built with the
// benchmark, or the program that the environment variable MERKEZ_SIM names.
class Sim {
public:
    explicit Sim(const QStringList& options) {
        process_.setProgram(qEnvironmentVariable("MERKEZ_SIM", QStringLiteral(MERKEZ_SIM_PATH)));
        process_.setArguments(QStringList{"--host", "127.0.0.1", "--port", "0", "--exit-after", "600"} + options);
        process_.start();
        if (!process_.waitForStarted(10000)) return;
        static const QByteArray prefix("listening on 127.0.0.1:");
        QElapsedTimer t;
        t.start();
        while (port_ == 0 && t.elapsed() < 20000 && process_.state() != QProcess::NotRunning) {
            if (!process_.canReadLine()) {
                process_.waitForReadyRead(100);
                continue;
            }
            const QByteArray line = process_.readLine().trimmed();
            if (line.startsWith(prefix)) port_ = line.mid(prefix.size()).toUShort();
        }
    }
    ~Sim() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.terminate();
        if (!process_.waitForFinished(5000)) process_.kill();
        process_.waitForFinished(2000);
    }
    Sim(const Sim&) = delete;
    Sim& operator=(const Sim&) = delete;
    quint16 port() const { return port_; }

private:
    QProcess process_;
    quint16 port_ = 0;
};

// Fills the login window as an operator does (user, password, F6 for the
// port box, the port); the click on "Bağlan" is left to the caller.
inline bool prepareLogin(ShellFixture& shell, const QString& user, const QString& password, quint16 port) {
    if (!shell.showUntilLogin()) return false;
    TFrmGiris& login = *shell.forms.FrmGiris;
    QTest::keyClicks(login.Edit1, user);
    QTest::keyClicks(login.Edit4, password);
    QTest::keyClick(&login, Qt::Key_F6);
    login.edtport->clear();
    QTest::keyClicks(login.edtport, QString::number(port));
    return login.edtport->text() == QString::number(port);
}

inline void clickConnect(ShellFixture& shell) { QTest::mouseClick(shell.forms.FrmGiris->suiButton1, Qt::LeftButton); }

// Logs the client in through its login window; true once it is connected.
inline bool logIn(ShellFixture& shell, const QString& user, const QString& password, quint16 port) {
    if (!prepareLogin(shell, user, password, port)) return false;
    clickConnect(shell);
    const QString connected = QStringLiteral("<<<<<<<%1 Bağlı.>>>>>>>>>").arg(user);
    return QTest::qWaitFor([&] { return shell.ana().windowTitle() == connected; }, 20000);
}

}  // namespace izleme::bench
