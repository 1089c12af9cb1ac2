// The main window's page control: tabs that can be hidden, and only the
// active page enabled for input (TabRules decides which page is active).
#pragma once

#include <QTabWidget>

#include "app/core/TabRules.h"

namespace izleme {

class PageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget* parent = nullptr);

    // Call once all pages are added: every tab shown, page 0 active.
    void resetRules();

    // Showing a tab makes its page active; hiding the active one moves to the
    // nearest visible page before it, else after it.
    void setTabVisible(int index, bool visible);
    void selectPage(int index);
    int activePage() const { return rules_.active(); }
    bool isTabShown(int index) const { return rules_.isVisible(index); }

private:
    void apply();
    void onCurrentChanged(int index);

    TabRules rules_{0};
    bool applying_ = false;
};

}  // namespace izleme
