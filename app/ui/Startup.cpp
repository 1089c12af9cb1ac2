#include "app/ui/Startup.h"

#include <QApplication>
#include <QMainWindow>

namespace izleme {

int runApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow w;
    w.setObjectName("FrmAna");
    w.show();
    return app.exec();
}

}  // namespace izleme
