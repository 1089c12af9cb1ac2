// Painting of the on/off power button: a shaded round knob with the power sign
// lit in the on colour while checked, and the caption under it.
#include "toolkit/ui/PowerButton.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>

namespace izleme {

namespace {

constexpr int knobHint = 40;
constexpr int spacing = 4;

}  // namespace

PowerButton::PowerButton(QWidget* parent) : QAbstractButton(parent) {
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

PowerButton::PowerButton(const QString& caption, QWidget* parent) : PowerButton(parent) { setText(caption); }

void PowerButton::setOnColor(const QColor& color) {
    onColor_ = color;
    update();
}

QSize PowerButton::sizeHint() const {
    const QFontMetrics fm(font());
    const int captionWidth = text().isEmpty() ? 0 : fm.horizontalAdvance(text());
    const int captionHeight = text().isEmpty() ? 0 : fm.height() + spacing;
    return {std::max(knobHint, captionWidth) + 4, knobHint + captionHeight + 4};
}

QSize PowerButton::minimumSizeHint() const { return sizeHint(); }

QRectF PowerButton::knobRect() const {
    const QFontMetrics fm(font());
    const int captionHeight = text().isEmpty() ? 0 : fm.height() + spacing;
    const qreal side = std::max(8, std::min(width() - 4, height() - captionHeight - 4));
    return {(width() - side) / 2.0, 2.0, side, side};
}

bool PowerButton::hitButton(const QPoint& pos) const { return rect().contains(pos); }

void PowerButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF knob = knobRect();
    const bool on = isChecked();
    const QColor base = on ? onColor_ : QColor(0x2a, 0x2d, 0x31);
    const QColor rim = isDown() ? base.darker(160) : base.darker(130);

    QRadialGradient shade(knob.center() - QPointF(knob.width() * 0.15, knob.height() * 0.2), knob.width() * 0.7);
    shade.setColorAt(0, base.lighter(on ? 130 : 160));
    shade.setColorAt(1, base.darker(on ? 120 : 110));
    p.setPen(QPen(rim, std::max(1.5, knob.width() * 0.06)));
    p.setBrush(shade);
    p.drawEllipse(knob.adjusted(1, 1, -1, -1));

    // The power sign: an open ring with a bar through its gap.
    const QColor sign = on ? QColor(0xf4, 0xff, 0xf4) : QColor(0x8a, 0x90, 0x96);
    const qreal r = knob.width() * 0.24;
    const QRectF ring(knob.center() - QPointF(r, r * 0.85), QSizeF(2 * r, 2 * r));
    QPen pen(sign, std::max(1.5, knob.width() * 0.08), Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawArc(ring, 60 * 16, -300 * 16);  // open at the top
    p.drawLine(QPointF(knob.center().x(), ring.top() - r * 0.25), QPointF(knob.center().x(), ring.center().y()));

    if (hasFocus()) {
        p.setPen(QPen(palette().highlight().color(), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(knob.adjusted(-1, -1, 1, 1));
    }
    if (!text().isEmpty()) {
        p.setPen(palette().windowText().color());
        const QRectF caption(0, knob.bottom() + spacing, width(), height() - knob.bottom() - spacing);
        p.drawText(caption, Qt::AlignHCenter | Qt::AlignTop, text());
    }
}

}  // namespace izleme
