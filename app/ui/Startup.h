// Start-up of the client: the application object, the six windows created
// once in their order, the show step, and the event loop until the main
// window closes. main and izleme-drive both start the program through here.
#pragma once

#include <QList>
#include <memory>

class QApplication;
class QWidget;

namespace izleme {

class TFrmAna;
class TFrmGiris;
class TFrmhaberlesme;
class TVD1KAL;
class TFrmMesajlar;
class Tfrmuyari;
struct PlatformServices;

// The six windows, each created exactly once.
struct Forms {
    TFrmAna* FrmAna = nullptr;
    TFrmGiris* FrmGiris = nullptr;
    TFrmhaberlesme* Frmhaberlesme = nullptr;
    TVD1KAL* VD1KAL = nullptr;
    TFrmMesajlar* FrmMesajlar = nullptr;
    Tfrmuyari* frmuyari = nullptr;

    // FrmAna, FrmGiris, Frmhaberlesme, VD1KAL, FrmMesajlar, frmuyari.
    QList<QWidget*> inCreationOrder() const;
};

// Application-wide settings that main and the driver share (names, style).
void prepareApplication(QApplication& app);

// Creates the six windows in order. Tests may pass substitutes for the
// platform services (internet state, sound, serial port); null means the real ones.
Forms createForms(std::shared_ptr<PlatformServices> services = nullptr);

// Shows the main window. Its show step opens the login window modally,
// without blocking the caller, and finishes when the login window closes.
void showMainWindow(const Forms& forms);

// prepareApplication, createForms, showMainWindow, then the event loop.
int runApplication(int argc, char** argv);

}  // namespace izleme
