// The whole client (the real windows, fake platform services) for tests
// against a real merkez-sim on a loopback port: logging in as the demo
// account and finding and selecting the entries of its device list.
#pragma once

#include <QLineEdit>
#include <QList>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "gui/shell_fixture.h"
#include "registers/ui/TVD1KAL.h"
#include "server/core/SharedState.h"
#include "support/ShownWidgets.h"

namespace izleme::test {

struct SimClient {
    ShellFixture shell;
    TFrmAna& ana = shell.ana();

    // Fills the login window straight in as demo/demo on port and presses
    // "Bağlan"; false when the login window did not show.
    bool submitLogin(quint16 port) {
        if (!shell.showUntilLogin()) return false;
        TFrmGiris& login = *shell.forms.FrmGiris;
        login.Edit1->setText(QStringLiteral("demo"));
        login.Edit4->setText(QStringLiteral("demo"));
        login.edtport->setText(QString::number(port));
        login.suiButton1->click();
        return true;
    }
    // submitLogin, then waits until the client holds itself logged in.
    bool logIn(quint16 port) {
        return submitLogin(port) && QTest::qWaitFor([&] { return ana.state().loggedIn; }, 10000);
    }
    // Logs in as the operator does at the keyboard: user, password, F6 for
    // the port box, the port, a click on "Bağlan"; then waits for the main
    // window's title to say the demo account is connected.
    bool typeLogin(quint16 port) {
        if (!shell.showUntilLogin()) return false;
        TFrmGiris& login = *shell.forms.FrmGiris;
        QTest::keyClicks(login.Edit1, QStringLiteral("demo"));
        QTest::keyClicks(login.Edit4, QStringLiteral("demo"));
        QTest::keyClick(&login, Qt::Key_F6);
        if (!login.edtport->isVisibleTo(&login)) return false;
        login.edtport->clear();
        QTest::keyClicks(login.edtport, QString::number(port));
        QTest::mouseClick(login.suiButton1, Qt::LeftButton);
        return QTest::qWaitFor([&] { return ana.windowTitle() == QStringLiteral("<<<<<<<demo Bağlı.>>>>>>>>>"); },
                               10000);
    }

    GroupBarEntry* entry(const QString& caption) const { return entryByCaption(ana.RzGroupBar1, caption); }
    bool waitForEntry(const QString& caption, int timeoutMs = 10000) {
        return QTest::qWaitFor([&] { return entry(caption) != nullptr; }, timeoutMs);
    }
    // Waits for the entry to be listed and clicks it.
    bool select(const QString& caption) {
        if (!waitForEntry(caption)) return false;
        entry(caption)->click();
        return true;
    }
    QString text(const char* name) const { return shownText(ana, name); }

    // The bytes of the last register reply as `Memo1` shows it: its fields
    // up to "$", as far as they are numbers.
    QList<int> shownReplyBytes() const {
        QList<int> bytes;
        for (const QString& field : shell.forms.VD1KAL->Memo1->toPlainText().split(QLatin1Char('$'))) {
            bool ok = false;
            const int b = field.toInt(&ok);
            if (!ok) break;
            bytes << b;
        }
        return bytes;
    }
};

}  // namespace izleme::test
