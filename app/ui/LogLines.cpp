#include "app/ui/LogLines.h"

#include <algorithm>

namespace izleme {

LogLines::LogLines(int maxLines, qsizetype maxTextBytes, QObject* parent)
    : QAbstractListModel(parent),
      maxLines_(std::max(1, maxLines)),
      maxTextBytes_(std::max<qsizetype>(2, maxTextBytes)) {}

int LogLines::append(QString line) {
    const qsizetype maxChars = maxTextBytes_ / qsizetype(sizeof(QChar));
    if (line.size() > maxChars) line.truncate(maxChars);
    line.squeeze();  // a line built by concatenation may hold spare room

    const int row = static_cast<int>(lines_.size());
    beginInsertRows(QModelIndex(), row, row);
    textBytes_ += bytesOf(line);
    lines_.push_back(std::move(line));
    endInsertRows();

    int dropped = 0;
    qsizetype bytesAfter = textBytes_;
    while (static_cast<int>(lines_.size()) - dropped > maxLines_ || bytesAfter > maxTextBytes_) {
        bytesAfter -= bytesOf(lines_[static_cast<std::size_t>(dropped)]);
        ++dropped;
    }
    if (dropped > 0) {
        beginRemoveRows(QModelIndex(), 0, dropped - 1);
        lines_.erase(lines_.begin(), lines_.begin() + dropped);
        textBytes_ = bytesAfter;
        endRemoveRows();
    }
    return dropped;
}

int LogLines::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

QVariant LogLines::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole) return QVariant();
    return line(index.row());
}

}  // namespace izleme
