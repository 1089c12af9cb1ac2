// The pictures of the harmonics page: a phase's voltage and current traces on
// its waveform image, and the bar chart of one quantity's harmonic orders.
#pragma once

#include <QImage>
#include <QString>
#include <vector>

#include "control/core/HarmonicAnalysis.h"

namespace izleme {

// Colours of the page's pictures (red, green and blue components).
namespace harmonicColors {
inline const QColor voltageArea{0x00, 0x00, 0x40};
inline const QColor currentArea{0x40, 0x00, 0x00};
inline const QColor header{0x00, 0x40, 0x40};
inline const QColor yellow{0xFF, 0xFF, 0x00};
inline const QColor lime{0x00, 0xFF, 0x00};
inline const QColor red{0xFF, 0x00, 0x00};
}  // namespace harmonicColors

// The background (voltage half dark blue, current half dark red), then one
// point per sample at (2j, n + 110): the voltage trace yellow, the current trace
// lime (the segment that joins the two is still yellow).
void drawWaveform(QImage& image, const std::vector<int>& samples);

// Clears the chart to black and draws the 31 bars in yellow, the headline
// in red on yellow at (20, 10) and, when there is one, the corner label in lime
// on yellow at (width - 50, 2).
void drawBarChart(QImage& image, const HarmonicList& list, const QString& headline, const QString& cornerLabel);

}  // namespace izleme
