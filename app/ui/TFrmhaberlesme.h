// The communication log window: one line per received chunk, keeping the
// most recent lines so that a client running for months stays bounded.
#pragma once

#include <QWidget>

class QListWidget;

namespace izleme {

class TFrmhaberlesme : public QWidget {
    Q_OBJECT
public:
    static constexpr int maxLines = 10000;

    explicit TFrmhaberlesme(QWidget* parent = nullptr);

    void appendLine(const QString& line);  // drops the oldest beyond maxLines
    QListWidget* ListBox1;
};

}  // namespace izleme
