#include "app/ui/PageControl.h"

#include <QScrollArea>

namespace izleme {

PageControl::PageControl(QWidget* parent) : QTabWidget(parent) {
    connect(this, &QTabWidget::currentChanged, this, &PageControl::onCurrentChanged);
}

int PageControl::addTab(QWidget* sheet, const QString& caption) {
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);  // the sheet fills the page and scrolls only below its minimum size
    scroll->setWidget(sheet);
    return QTabWidget::addTab(scroll, caption);
}

QScrollArea* PageControl::scrollAreaOf(int index) const {
    return qobject_cast<QScrollArea*>(QTabWidget::widget(index));
}

QWidget* PageControl::widget(int index) const {
    const QScrollArea* scroll = scrollAreaOf(index);
    return scroll ? scroll->widget() : QTabWidget::widget(index);
}

int PageControl::indexOf(const QWidget* sheet) const {
    for (int i = 0; i < count(); ++i) {
        if (widget(i) == sheet) return i;
    }
    return -1;
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
    // The whole page, scroll bars included, takes input only while active.
    for (int i = 0; i < count(); ++i) QTabWidget::widget(i)->setEnabled(i == rules_.active());
    applying_ = false;
}

// A click on a tab selects its page.
void PageControl::onCurrentChanged(int index) {
    if (applying_ || index < 0) return;
    selectPage(index);
}

}  // namespace izleme
