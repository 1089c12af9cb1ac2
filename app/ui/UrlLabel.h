// A link-like label: underlined text in its link colour, red once visited,
// reporting clicks.
#pragma once

#include <QColor>
#include <QLabel>

namespace izleme {

class UrlLabel : public QLabel {
    Q_OBJECT
public:
    explicit UrlLabel(const QString& text, QWidget* parent = nullptr);

    QColor linkColor() const { return linkColor_; }  // colour while not visited
    void setLinkColor(const QColor& color);
    bool isVisited() const { return visited_; }
    void setVisited(bool visited);
    QColor shownColor() const { return visited_ ? visitedColor() : linkColor_; }
    static QColor visitedColor() { return QColor(255, 0, 0); }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void applyColor();

    QColor linkColor_ = QColor(0, 255, 0);
    bool visited_ = false;
};

}  // namespace izleme
