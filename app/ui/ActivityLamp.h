// The activity lamp of the top bar: a small rounded rectangle whose brush
// colour shows whether data arrived in the last second.
#pragma once

#include <QColor>
#include <QWidget>

namespace izleme {

class ActivityLamp : public QWidget {
    Q_OBJECT
public:
    explicit ActivityLamp(QWidget* parent = nullptr);

    QColor brushColor() const { return brush_; }
    void setBrushColor(const QColor& color);
    // XORs the colour value (0xRRGGBB) with a mask.
    void xorBrush(QRgb mask);
    // Eleven XORs with magenta, done at once: the lamp ends in the complement
    // of magenta's channels of the colour it had (white becomes green).
    void flicker();

    QSize sizeHint() const override { return {36, 13}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor brush_ = Qt::white;
};

}  // namespace izleme
