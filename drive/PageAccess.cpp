// Page control access: through the shell's page control when it is one,
// otherwise through the plain tab widget.
#include "drive/PageAccess.h"

#include <QTabWidget>

#include "app/ui/PageControl.h"

namespace izleme {

int activePage(const QTabWidget* pages) {
    if (!pages) return -1;
    if (auto* control = qobject_cast<const PageControl*>(pages)) return control->activePage();
    return pages->currentIndex();
}

bool isTabShown(const QTabWidget* pages, int index) {
    if (!pages) return false;
    if (auto* control = qobject_cast<const PageControl*>(pages)) return control->isTabShown(index);
    return pages->isTabVisible(index);
}

void selectPage(QTabWidget* pages, int index) {
    if (!pages) return;
    if (auto* control = qobject_cast<PageControl*>(pages)) return control->selectPage(index);
    pages->setCurrentIndex(index);
}

}  // namespace izleme
