// An on/off power button: a round button with the power sign, green when on
// and dark when off, with its caption beneath. Checkable; text() is the caption.
#pragma once

#include <QAbstractButton>
#include <QColor>

namespace izleme {

class PowerButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(QColor onColor READ onColor WRITE setOnColor)

public:
    explicit PowerButton(QWidget* parent = nullptr);
    explicit PowerButton(const QString& caption, QWidget* parent = nullptr);

    QColor onColor() const { return onColor_; }
    void setOnColor(const QColor& color);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    QRectF knobRect() const;

    QColor onColor_{0x2e, 0xe6, 0x4a};
};

}  // namespace izleme
