#include "control/ui/HarmonicDrawing.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "control/core/Waveform.h"

namespace izleme {
namespace {

// A rectangle from (x1, y1) to (x2, y2), the far edges excluded, filled with
// the brush and outlined with the pen.
void rectangle(QPainter& p, int x1, int y1, int x2, int y2) {
    p.drawRect(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1)));
}

// Text with its top left at (x, y) on a cell filled with the background colour.
void textOut(QPainter& p, int x, int y, const QString& text, const QColor& color, const QColor& cell) {
    const QFontMetrics fm(p.font());
    const QRect box(x, y, fm.horizontalAdvance(text) + 2, fm.height());
    p.fillRect(box, cell);
    p.setPen(color);
    p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
}

QFont boldFont() {
    QFont f;
    f.setPixelSize(12);
    f.setBold(true);
    f.setStyleStrategy(QFont::NoAntialias);  // plain pixels: small text stays crisp on the charts
    return f;
}

}  // namespace

void drawWaveform(QImage& image, const std::vector<int>& samples) {
    QPainter p(&image);
    const int w = image.width();
    const int h = image.height();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(harmonicColors::voltageArea);
    rectangle(p, 0, 0, w / 2, h);
    p.setBrush(harmonicColors::currentArea);
    rectangle(p, w / 2, 0, w, h);
    QPen pen(harmonicColors::yellow, 2);
    // Only the stored samples can reach the image: later points lie beyond its right edge.
    const std::size_t n = std::min<std::size_t>(samples.size(), kStoredSampleCount);
    QPoint at;
    for (std::size_t j = 0; j < n; ++j) {
        const QPoint next(2 * static_cast<int>(j), samples[j] + 110);
        if (j > 0) {
            p.setPen(pen);
            p.drawLine(at, next);
        }
        at = next;
        pen.setColor(j < kWaveformSamples ? harmonicColors::yellow : harmonicColors::lime);
    }
}

void drawBarChart(QImage& image, const HarmonicList& list, const QString& headline, const QString& cornerLabel) {
    QPainter p(&image);
    const int w = image.width();
    const int h = image.height();
    p.setPen(Qt::black);
    p.setBrush(Qt::black);
    rectangle(p, 0, 0, w, h);
    p.setFont(boldFont());
    p.setPen(QPen(harmonicColors::yellow, 2));
    p.setBrush(harmonicColors::yellow);
    const double fundamental = list.values[0];
    for (int order = 1; order <= kHarmonicOrders; ++order) {
        const Bar b = barRect(order, list.values[static_cast<std::size_t>(order - 1)], fundamental, h);
        if (b.top < b.bottom) rectangle(p, b.left, b.top, b.right, b.bottom);
    }
    textOut(p, 20, 10, headline, harmonicColors::red, harmonicColors::yellow);
    if (!cornerLabel.isEmpty()) textOut(p, w - 50, 2, cornerLabel, harmonicColors::lime, harmonicColors::yellow);
}

}  // namespace izleme
