#include "app/ui/ActivityLamp.h"

#include <QPainter>

namespace izleme {

ActivityLamp::ActivityLamp(QWidget* parent) : QWidget(parent) { setFixedSize(36, 13); }

void ActivityLamp::setBrushColor(const QColor& color) {
    brush_ = color;
    update();
}

void ActivityLamp::xorBrush(QRgb mask) { setBrushColor(QColor::fromRgb((brush_.rgb() ^ mask) & 0xFFFFFFu)); }

void ActivityLamp::flicker() {
    for (int i = 0; i < 11; ++i) xorBrush(0xFF00FF);
}

void ActivityLamp::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(brush_);
    p.drawRoundedRect(QRectF(0.5, 0.5, width() - 1, height() - 1), 4, 4);
}

}  // namespace izleme
