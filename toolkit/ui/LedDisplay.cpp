// Painting of the LED-style display: cells laid out right-aligned, each a
// slanted seven-segment digit with its decimal mark; unlit segments glow faintly.
#include "toolkit/ui/LedDisplay.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>
#include <algorithm>
#include <string>

#include "toolkit/core/SevenSegment.h"

namespace izleme {

namespace {

// Proportions of one character cell: width to height, and the colon's share.
constexpr qreal cellAspect = 0.58;
constexpr qreal colonShare = 0.4;
constexpr int framePadding = 4;
constexpr int hintCellHeight = 30;
constexpr qreal slant = 0.08;  // italic lean of the digits

qreal cellWidthShare(const LedCell& cell) { return cell.kind == LedCellKind::Colon ? colonShare : 1.0; }

// A segment as a hexagon between two points, t its thickness.
QPolygonF segmentPolygon(QPointF from, QPointF to, qreal t) {
    const qreal h = t / 2;
    if (from.y() == to.y()) {
        return QPolygonF({QPointF(from.x(), from.y()), QPointF(from.x() + h, from.y() - h), QPointF(to.x() - h, to.y() - h),
                          QPointF(to.x(), to.y()), QPointF(to.x() - h, to.y() + h), QPointF(from.x() + h, from.y() + h)});
    }
    return QPolygonF({QPointF(from.x(), from.y()), QPointF(from.x() + h, from.y() + h), QPointF(to.x() + h, to.y() - h),
                      QPointF(to.x(), to.y()), QPointF(to.x() - h, to.y() - h), QPointF(from.x() - h, from.y() + h)});
}

void drawSegments(QPainter& p, const QRectF& box, std::uint8_t lit, const QColor& on, const QColor& off) {
    const qreal t = std::max<qreal>(1.5, box.width() * 0.16);
    const qreal gap = t * 0.12;
    const qreal left = box.left() + t / 2, right = box.right() - t / 2;
    const qreal top = box.top() + t / 2, bottom = box.bottom() - t / 2, mid = (top + bottom) / 2;
    const struct {
        Segment bit;
        QPointF from, to;
    } segments[] = {
        {segA, {left + gap, top}, {right - gap, top}},
        {segB, {right, top + gap}, {right, mid - gap}},
        {segC, {right, mid + gap}, {right, bottom - gap}},
        {segD, {left + gap, bottom}, {right - gap, bottom}},
        {segE, {left, mid + gap}, {left, bottom - gap}},
        {segF, {left, top + gap}, {left, mid - gap}},
        {segG, {left + gap, mid}, {right - gap, mid}},
    };
    for (const auto& s : segments) {
        p.setBrush((lit & s.bit) ? on : off);
        p.drawPolygon(segmentPolygon(s.from, s.to, t));
    }
}

void drawMark(QPainter& p, const QRectF& cell, LedMark mark, const QColor& on) {
    if (mark == LedMark::None) return;
    const qreal d = std::max<qreal>(2.0, cell.width() * 0.16);
    const QRectF dot(cell.right() - d * 0.9, cell.bottom() - d, d, d);
    p.setBrush(on);
    p.drawEllipse(dot);
    if (mark == LedMark::Comma) {
        QPainterPath tail;
        tail.moveTo(dot.right(), dot.center().y());
        tail.quadTo(dot.right(), dot.bottom() + d * 0.8, dot.left() - d * 0.3, dot.bottom() + d);
        tail.lineTo(dot.left(), dot.center().y());
        p.drawPath(tail);
    }
}

void drawColon(QPainter& p, const QRectF& cell, const QColor& on) {
    const qreal d = std::max<qreal>(2.0, cell.width() * 0.4);
    p.setBrush(on);
    const qreal x = cell.center().x() - d / 2;
    p.drawEllipse(QRectF(x, cell.top() + cell.height() * 0.3 - d / 2, d, d));
    p.drawEllipse(QRectF(x, cell.top() + cell.height() * 0.7 - d / 2, d, d));
}

void drawGlyph(QPainter& p, const QRectF& box, char32_t c, const QColor& on) {
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(std::max(6, static_cast<int>(box.height() * 0.9)));
    p.setFont(font);
    p.setPen(on);
    p.drawText(box, Qt::AlignCenter, QString::fromUcs4(&c, 1));
    p.setPen(Qt::NoPen);
}

}  // namespace

LedDisplay::LedDisplay(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

LedDisplay::LedDisplay(const QString& text, int characterCount, QWidget* parent) : LedDisplay(parent) {
    characterCount_ = std::max(1, characterCount);
    text_ = text;
}

void LedDisplay::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    update();
    emit textChanged(text_);
}

void LedDisplay::setDigitColor(const QColor& color) {
    digitColor_ = color;
    update();
}

void LedDisplay::setBackgroundColor(const QColor& color) {
    backgroundColor_ = color;
    update();
}

void LedDisplay::setCharacterCount(int count) {
    characterCount_ = std::max(1, count);
    updateGeometry();
}

QSize LedDisplay::sizeHint() const {
    const int cellWidth = qRound(hintCellHeight * cellAspect * 1.15);
    const int pad = 2 * (framePadding + frameWidth());
    return {characterCount_ * cellWidth + pad, hintCellHeight + pad};
}

QSize LedDisplay::minimumSizeHint() const {
    const int pad = 2 * (framePadding + frameWidth());
    return {characterCount_ * 6 + pad, 12 + pad};
}

void LedDisplay::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(contentsRect()).adjusted(framePadding, framePadding, -framePadding, -framePadding);
    p.fillRect(contentsRect(), backgroundColor_);
    if (area.width() <= 0 || area.height() <= 0) return;

    const std::u32string text = text_.toStdU32String();
    const auto cells = ledCells(text);
    qreal shares = 0;
    for (const auto& cell : cells) shares += cellWidthShare(cell);
    if (shares == 0) shares = 1;
    // Cells as large as the height allows, narrower when the text is long;
    // the text sits at the right like a numeric display.
    const qreal pitch = std::min(area.height() * cellAspect * 1.15, area.width() / shares);
    const qreal cellHeight = std::min(area.height(), pitch / (cellAspect * 1.15));
    const qreal top = area.top() + (area.height() - cellHeight) / 2;

    QColor off = digitColor_;
    off.setAlphaF(0.08);
    p.setPen(Qt::NoPen);
    qreal x = area.right() - shares * pitch;
    for (const auto& cell : cells) {
        const qreal width = cellWidthShare(cell) * pitch;
        const QRectF box(x, top, width, cellHeight);
        p.save();
        // Lean the cell around its own centre, as LED digits do.
        p.translate(box.center());
        p.setTransform(QTransform().shear(-slant, 0), true);
        p.translate(-box.center());
        if (cell.kind == LedCellKind::Colon) {
            drawColon(p, box, digitColor_);
        } else {
            const QRectF digit = box.adjusted(width * 0.12, 0, -width * 0.2, 0);
            if (const auto mask = sevenSegmentMask(cell.character)) {
                drawSegments(p, digit, *mask, digitColor_, off);
            } else {
                drawSegments(p, digit, 0, digitColor_, off);
                drawGlyph(p, digit, cell.character, digitColor_);
            }
            drawMark(p, box, cell.mark, digitColor_);
        }
        p.restore();
        x += width;
    }
}

}  // namespace izleme
