// A one-line text that scrolls from right to left through its width and comes
// round again, driven by a timer of its own while it is shown; text() is the
// whole text.
#pragma once

#include <QLabel>
#include <QTimer>

namespace izleme {

class ScrollingLabel : public QLabel {
    Q_OBJECT

public:
    explicit ScrollingLabel(const QString& text = QString(), QWidget* parent = nullptr);

    // Where the text starts, in pixels from the left edge (for tests and snapshots).
    int offset() const { return offset_; }
    // Starts the text again from the right edge.
    void restart();

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void step();

    QTimer timer_;
    int offset_ = 0;
};

}  // namespace izleme
