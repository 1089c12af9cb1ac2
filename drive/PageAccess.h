// The main window's page control as izleme-drive uses it: which page is
// active, which tabs are shown, and selecting a page by the control's rules.
#pragma once

class QTabWidget;

namespace izleme {

int activePage(const QTabWidget* pages);
bool isTabShown(const QTabWidget* pages, int index);
void selectPage(QTabWidget* pages, int index);

}  // namespace izleme
