// The communication log window: one line per received chunk. It keeps the
// newest lines within maxLines and maxTextBytes, so that a flood or a client
// running for months stays bounded, and it follows the newest line unless the
// operator has scrolled up.
#pragma once

#include <QWidget>

class QListView;

namespace izleme {

class LogLines;

class TFrmhaberlesme : public QWidget {
    Q_OBJECT
public:
    static constexpr int maxLines = 10000;
    static constexpr qsizetype maxTextBytes = 8 * 1024 * 1024;

    explicit TFrmhaberlesme(QWidget* parent = nullptr);

    void appendLine(const QString& line);  // drops the oldest beyond the bounds
    const LogLines& lines() const { return *lines_; }

    QListView* ListBox1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    LogLines* lines_;
    bool following_ = true;       // the view shows the newest line
    bool followPending_ = false;  // a scroll to the newest line is queued
};

}  // namespace izleme
