// Page control access: through the shell's page control when it is one,
// otherwise through the plain tab widget.
#include "drive/PageAccess.h"

#include <QTabWidget>

#if __has_include("app/ui/PageControl.h")
#include "app/ui/PageControl.h"
#define IZLEME_DRIVE_HAS_PAGE_CONTROL 1
#endif

namespace izleme {

int activePage(const QTabWidget* pages) {
    if (!pages) return -1;
#ifdef IZLEME_DRIVE_HAS_PAGE_CONTROL
    if (auto* control = qobject_cast<const PageControl*>(pages)) return control->activePage();
#endif
    return pages->currentIndex();
}

bool isTabShown(const QTabWidget* pages, int index) {
    if (!pages) return false;
#ifdef IZLEME_DRIVE_HAS_PAGE_CONTROL
    if (auto* control = qobject_cast<const PageControl*>(pages)) return control->isTabShown(index);
#endif
    return pages->isTabVisible(index);
}

void selectPage(QTabWidget* pages, int index) {
    if (!pages) return;
#ifdef IZLEME_DRIVE_HAS_PAGE_CONTROL
    if (auto* control = qobject_cast<PageControl*>(pages)) return control->selectPage(index);
#endif
    pages->setCurrentIndex(index);
}

}  // namespace izleme
