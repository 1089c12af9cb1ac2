#include "toolkit/ui/ScrollingLabel.h"

#include <QFontMetrics>
#include <QPainter>

namespace izleme {

namespace {
constexpr int stepMs = 30;
constexpr int stepPixels = 2;
}  // namespace

ScrollingLabel::ScrollingLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    timer_.setInterval(stepMs);
    connect(&timer_, &QTimer::timeout, this, &ScrollingLabel::step);
}

void ScrollingLabel::showEvent(QShowEvent* event) {
    QLabel::showEvent(event);
    timer_.start();
}

void ScrollingLabel::hideEvent(QHideEvent* event) {
    QLabel::hideEvent(event);
    timer_.stop();
}

void ScrollingLabel::restart() {
    offset_ = width();
    update();
}

QSize ScrollingLabel::minimumSizeHint() const {
    // Any width will do: the text scrolls through it.
    return {10, QLabel::minimumSizeHint().height()};
}

void ScrollingLabel::step() {
    const int textWidth = fontMetrics().horizontalAdvance(text());
    offset_ -= stepPixels;
    if (offset_ < -textWidth) offset_ = width();
    update();
}

void ScrollingLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.setFont(font());
    const QRect r = contentsRect();
    painter.drawText(QRect(r.left() + offset_, r.top(), fontMetrics().horizontalAdvance(text()) + 1, r.height()),
                     Qt::AlignVCenter | Qt::AlignLeft, text());
}

}  // namespace izleme
