// An LED-style display: shows any text in seven-segment cells (glyphs that
// seven segments cannot show are drawn in the digit colour), bright on dark.
#pragma once

#include <QColor>
#include <QFrame>
#include <QString>

namespace izleme {

class LedDisplay : public QFrame {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(QColor digitColor READ digitColor WRITE setDigitColor)
    Q_PROPERTY(QColor backgroundColor READ backgroundColor WRITE setBackgroundColor)
    Q_PROPERTY(int characterCount READ characterCount WRITE setCharacterCount)

public:
    explicit LedDisplay(QWidget* parent = nullptr);
    LedDisplay(const QString& text, int characterCount, QWidget* parent = nullptr);

    // Exactly the text last set, whatever the display could draw of it.
    QString text() const { return text_; }
    QColor digitColor() const { return digitColor_; }
    void setDigitColor(const QColor& color);
    QColor backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(const QColor& color);
    // How many characters the size hint makes room for.
    int characterCount() const { return characterCount_; }
    void setCharacterCount(int count);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    void setText(const QString& text);

signals:
    void textChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    QColor digitColor_{0x3c, 0xff, 0x5a};
    QColor backgroundColor_{0x0a, 0x0f, 0x0a};
    int characterCount_ = 8;
};

}  // namespace izleme
