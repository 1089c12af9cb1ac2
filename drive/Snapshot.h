// Snapshot of the program for izleme-drive: the main window as a PNG and
// every named widget, action, page tab, device list entry and log line as JSON.
#pragma once

#include <QJsonObject>
#include <QString>

namespace izleme {

class WindowSet;

// The JSON document of the current state, with the given label.
QJsonObject captureState(const WindowSet& windows, const QString& label);

// Writes DIR/LABEL.png (the main window), DIR/LABEL-NAME.png when a modal
// window NAME is open over it, and DIR/LABEL.json. Returns false with the reason.
bool writeSnapshot(const WindowSet& windows, const QString& dir, const QString& label, QString* why);

}  // namespace izleme
