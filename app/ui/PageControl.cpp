#include "app/ui/PageControl.h"

namespace izleme {

PageControl::PageControl(QWidget* parent) : QTabWidget(parent) {
    connect(this, &QTabWidget::currentChanged, this, &PageControl::onCurrentChanged);
}

void PageControl::resetRules() {
    rules_ = TabRules(count());
    apply();
}

void PageControl::setTabVisible(int index, bool visible) {
    rules_.setVisible(index, visible);
    apply();
}

void PageControl::selectPage(int index) {
    rules_.select(index);
    apply();
}

void PageControl::apply() {
    applying_ = true;
    for (int i = 0; i < count(); ++i) QTabWidget::setTabVisible(i, rules_.isVisible(i));
    if (rules_.active() >= 0) setCurrentIndex(rules_.active());
    for (int i = 0; i < count(); ++i) widget(i)->setEnabled(i == rules_.active());
    applying_ = false;
}

// A click on a tab selects its page.
void PageControl::onCurrentChanged(int index) {
    if (applying_ || index < 0) return;
    selectPage(index);
}

}  // namespace izleme
