// The six windows created by the real start-up with fake platform services,
// and the main window brought past its show step.
#pragma once

#include <QSignalSpy>
#include <QTest>

#include "support/FakePlatformServices.h"
#include "app/ui/Startup.h"
#include "app/ui/TFrmAna.h"
#include "server/ui/TFrmGiris.h"

namespace izleme {

struct ShellFixture {
    FakePlatform fake;
    Forms forms;

    ShellFixture() { forms = createForms(fake.services()); }
    ~ShellFixture() { delete forms.FrmAna; }  // takes the other windows with it
    ShellFixture(const ShellFixture&) = delete;
    ShellFixture& operator=(const ShellFixture&) = delete;

    TFrmAna& ana() { return *forms.FrmAna; }

    // Shows the main window and waits until its show step has opened the login window.
    bool showUntilLogin() {
        showMainWindow(forms);
        return QTest::qWaitFor([&] { return forms.FrmGiris->isVisible(); }, 5000);
    }

    // Shows the main window and closes the login window without connecting.
    bool startWithoutLogin() {
        if (!showUntilLogin()) return false;
        QSignalSpy ready(forms.FrmAna, &TFrmAna::startLayoutReady);
        forms.FrmGiris->reject();
        return ready.count() == 1 || ready.wait(5000);
    }
};

}  // namespace izleme
