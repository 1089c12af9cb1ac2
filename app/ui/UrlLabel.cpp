#include "app/ui/UrlLabel.h"

#include <QMouseEvent>

namespace izleme {

UrlLabel::UrlLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
    applyColor();
}

void UrlLabel::setLinkColor(const QColor& color) {
    linkColor_ = color;
    applyColor();
}

void UrlLabel::setVisited(bool visited) {
    visited_ = visited;
    applyColor();
}

void UrlLabel::applyColor() {
    setStyleSheet(QStringLiteral("QLabel { color: %1; background: black; text-decoration: underline; }")
                      .arg(shownColor().name()));
}

void UrlLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

}  // namespace izleme
