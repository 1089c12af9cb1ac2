// The "cihazenerji" replies: the values of one device as a device record,
// stored in the register table row that the record names, and the device's
// entries in the device list turned blue.
#pragma once

#include <QObject>
#include <QPointer>
#include <array>
#include <string_view>

namespace izleme {

class DeviceList;
class RegisterTable;
class StatusLines;
struct PageContext;
struct SharedState;

class DeviceRecords : public QObject {
    Q_OBJECT
public:
    // list: the device list whose entries are marked (may be null: nothing is marked).
    DeviceRecords(const PageContext& context, DeviceList* list, QObject* parent = nullptr);

    // One reply: serial, group name, device record (code page 1254 bytes). A
    // record value that is not a number throws SilentAbort, which ends the
    // handling of the received chunk: the status text stays, values stored
    // before stay, and no entry is marked.
    void cihazenerji(const std::array<std::string_view, 3>& fields);

private:
    RegisterTable& table_;
    const SharedState& state_;
    StatusLines& status_;
    QPointer<DeviceList> list_;
};

}  // namespace izleme
