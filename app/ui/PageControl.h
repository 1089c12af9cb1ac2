// The main window's page control: tabs that can be hidden, and only the
// active page enabled for input (TabRules decides which page is active).
// Every sheet sits in a scroll area, so a page larger than the window (a
// small screen) scrolls instead of making the window outgrow the screen.
#pragma once

#include <QTabWidget>

#include "app/core/TabRules.h"

class QScrollArea;

namespace izleme {

class PageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget* parent = nullptr);

    // Adds a sheet, in its own scroll area, as the next page.
    int addTab(QWidget* sheet, const QString& caption);
    // The sheet of a page (not its scroll area); nullptr out of range.
    QWidget* widget(int index) const;
    int indexOf(const QWidget* sheet) const;
    QScrollArea* scrollAreaOf(int index) const;

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
