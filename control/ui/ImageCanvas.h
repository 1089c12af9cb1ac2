// A fixed-size image canvas: the page draws into its image with plain painter
// operations, and the widget shows the image as it stands.
#pragma once

#include <QImage>
#include <QWidget>

namespace izleme {

class ImageCanvas : public QWidget {
    Q_OBJECT
public:
    ImageCanvas(int width, int height, QColor background, QWidget* parent = nullptr);

    QImage& image() { return image_; }
    const QImage& image() const { return image_; }

    QSize sizeHint() const override { return image_.size(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

}  // namespace izleme
