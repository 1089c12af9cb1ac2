#include "toolkit/ui/ImageList.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace izleme {
namespace {

constexpr int side = 16;

QPixmap blank() {
    QPixmap p(side, side);
    p.fill(Qt::transparent);
    return p;
}

// Two plates and their leads: the compensation relay.
QPixmap capacitor() {
    QPixmap p = blank();
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(20, 60, 160), 2));
    g.drawLine(1, 8, 6, 8);
    g.drawLine(10, 8, 15, 8);
    g.drawLine(6, 2, 6, 14);
    g.drawLine(10, 2, 10, 14);
    return p;
}

// A relay box with a lightning stroke: the over-current relay.
QPixmap overCurrent() {
    QPixmap p = blank();
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(60, 60, 60), 1));
    g.setBrush(QColor(230, 230, 230));
    g.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2, 2);
    QPainterPath bolt;
    bolt.moveTo(9, 2.5);
    bolt.lineTo(4.5, 9);
    bolt.lineTo(8, 9);
    bolt.lineTo(6.5, 13.5);
    bolt.lineTo(11.5, 6.5);
    bolt.lineTo(8, 6.5);
    bolt.closeSubpath();
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(220, 40, 30));
    g.drawPath(bolt);
    return p;
}

// A meter face with a counter window: the electricity meter.
QPixmap meter() {
    QPixmap p = blank();
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(40, 40, 40), 1));
    g.setBrush(QColor(250, 245, 220));
    g.drawRect(QRectF(2.5, 1.5, 11, 13));
    g.setBrush(Qt::black);
    g.drawRect(QRectF(4.5, 4, 7, 3));
    g.setPen(QPen(QColor(0, 140, 0), 1));
    g.drawLine(QPointF(8, 12), QPointF(11, 9.5));
    return p;
}

// A small wave whose crest moves across the five frames.
QPixmap trayPicture(int frame) {
    QPixmap p = blank();
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(10, 30, 60));
    g.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    g.setBrush(QColor(0, 230, 0));
    for (int i = 0; i < ImageList::trayFrameCount; ++i) {
        const int h = (i == frame) ? 10 : 4;
        g.drawRect(QRectF(2.5 + i * 2.4, 13 - h, 1.8, h));
    }
    return p;
}

}  // namespace

QIcon ImageList::icon(int index) {
    switch (index) {
        case 0:
            return QIcon(capacitor());
        case 3:
            return QIcon(overCurrent());
        case 4:
            return QIcon(meter());
        default:
            return QIcon();
    }
}

QIcon ImageList::trayFrame(int frame) {
    const int f = ((frame % trayFrameCount) + trayFrameCount) % trayFrameCount;
    return QIcon(trayPicture(f));
}

}  // namespace izleme
