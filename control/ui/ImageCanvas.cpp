#include "control/ui/ImageCanvas.h"

#include <QPainter>

namespace izleme {

ImageCanvas::ImageCanvas(int width, int height, QColor background, QWidget* parent)
    : QWidget(parent), image_(width, height, QImage::Format_RGB32) {
    image_.fill(background);
    setFixedSize(width, height);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImageCanvas::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

}  // namespace izleme
