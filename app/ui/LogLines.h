// The lines of the communication log: the newest ones within a number of
// lines and a number of bytes of text, as a list model for the log's view.
#pragma once

#include <QAbstractListModel>
#include <QString>
#include <deque>

namespace izleme {

class LogLines : public QAbstractListModel {
    Q_OBJECT
public:
    // textBytes counts what the lines' characters occupy (two bytes each).
    LogLines(int maxLines, qsizetype maxTextBytes, QObject* parent = nullptr);

    // Adds a line at the end (cut to what maxTextBytes can hold), then drops
    // the oldest lines while a bound is passed; returns how many were dropped.
    int append(QString line);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    const QString& line(int row) const { return lines_[static_cast<std::size_t>(row)]; }
    qsizetype textBytes() const { return textBytes_; }

private:
    static qsizetype bytesOf(const QString& line) { return line.size() * qsizetype(sizeof(QChar)); }

    std::deque<QString> lines_;
    int maxLines_;
    qsizetype maxTextBytes_;
    qsizetype textBytes_ = 0;
};

}  // namespace izleme
