#include "app/ui/Startup.h"

#include <QApplication>

#include "app/ui/ClientStyle.h"
#include "toolkit/ui/PlatformServices.h"
#include "app/ui/TFrmAna.h"
#include "app/ui/TFrmhaberlesme.h"
#include "app/ui/Pages.h"
#include "registers/ui/TVD1KAL.h"
#include "server/ui/TFrmGiris.h"
#include "server/ui/TFrmMesajlar.h"
#include "server/ui/Tfrmuyari.h"

namespace izleme {

QList<QWidget*> Forms::inCreationOrder() const {
    return {FrmAna, FrmGiris, Frmhaberlesme, VD1KAL, FrmMesajlar, frmuyari};
}

void prepareApplication(QApplication& app) {
    app.setApplicationName(QStringLiteral("izleme"));
    app.setOrganizationName(QStringLiteral("izleme"));
    app.setStyle(new ClientStyle);  // the application owns it
    // The program ends when the main window closes, not when the last window does.
    app.setQuitOnLastWindowClosed(false);
}

Forms createForms(std::shared_ptr<PlatformServices> services) {
    if (!services) services = PlatformServices::real();
    Forms f;
    f.FrmAna = new TFrmAna(services);

    LoginSettings login;
    login.defaultHost = QStringLiteral(IZLEME_DEFAULT_HOST);
    login.alternateHost = QStringLiteral(IZLEME_ALTERNATE_HOST);
    login.port = QStringLiteral(IZLEME_SERVER_PORT);
    if (services->internet) {
        auto internet = services->internet;
        login.internetAvailable = [internet] { return internet->isConnected(); };
    }
    f.FrmGiris = new TFrmGiris(*f.FrmAna, nullptr, login);
    f.Frmhaberlesme = new TFrmhaberlesme;
    f.VD1KAL = new TVD1KAL(services);
    f.FrmMesajlar = new TFrmMesajlar;
    f.frmuyari = new Tfrmuyari(services->sound);
    f.FrmAna->setCompanions(f.FrmGiris, f.Frmhaberlesme, f.VD1KAL, f.FrmMesajlar);

    f.FrmAna->ownWindows(f.inCreationOrder().mid(1));
    createPages(f);
    return f;
}

void showMainWindow(const Forms& forms) { forms.FrmAna->show(); }

int runApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    prepareApplication(app);
    const Forms forms = createForms();
    showMainWindow(forms);
    const int code = app.exec();
    delete forms.FrmAna;
    return code;
}

}  // namespace izleme
