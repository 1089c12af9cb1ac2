#include "app/ui/TFrmhaberlesme.h"

#include <QListView>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/ui/LogLines.h"

namespace izleme {

TFrmhaberlesme::TFrmhaberlesme(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Frmhaberlesme"));
    setWindowTitle(QStringLiteral("Frmhaberlesme"));
    resize(696, 480);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    lines_ = new LogLines(maxLines, maxTextBytes, this);
    ListBox1 = new QListView(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setUniformItemSizes(true);
    ListBox1->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);  // rows dropped are steps of the bar
    ListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListBox1->setModel(lines_);
    layout->addWidget(ListBox1);
}

void TFrmhaberlesme::appendLine(const QString& line) {
    QScrollBar* bar = ListBox1->verticalScrollBar();
    // Only a shown view knows where the operator is, and only once the last
    // follow has been laid out; a hidden one keeps what it last knew.
    if (ListBox1->isVisible() && !followPending_) following_ = bar->value() >= bar->maximum();
    const int dropped = lines_->append(line);
    if (!ListBox1->isVisible()) return;
    if (following_) {
        // One layout and scroll for all the lines of a burst.
        if (followPending_) return;
        followPending_ = true;
        QTimer::singleShot(0, this, [this] {
            followPending_ = false;
            if (following_) ListBox1->scrollToBottom();
        });
    } else if (dropped > 0) {
        // The lines on screen moved up by the dropped ones: stay on them.
        bar->setValue(std::max(0, bar->value() - dropped));
    }
}

void TFrmhaberlesme::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (following_) ListBox1->scrollToBottom();
}

}  // namespace izleme
