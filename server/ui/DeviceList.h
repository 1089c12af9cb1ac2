// The device list and the active device: builds `RzGroupBar1` from the
// server's "cihazlar" messages and handles a click on an entry
// (`RzGroup1Items0Click`): active device, its announcement (the page layout
// and the pages' resets follow it), first data request.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace izleme {

class Connection;
class DeviceSelection;
class GroupBarEntry;
class ShellPort;

// What the device list reaches outside itself: the shell (state, requests,
// status lines, `RzGroupBar1`), the connection for a re-login, the selection
// event, and two small functions for the active serial box and the page control.
struct DeviceListPorts {
    ShellPort* shell = nullptr;
    Connection* connection = nullptr;
    DeviceSelection* selection = nullptr;
    std::function<void(const QString& text)> setActiveSerialText;  // `Edit111`
    std::function<void(int page)> selectPage;
};

class DeviceList : public QObject {
    Q_OBJECT
public:
    explicit DeviceList(DeviceListPorts ports, QObject* parent = nullptr);

    // One "cihazlar" message: group name, model text, device name, serial
    // number, all code page 1254 bytes.
    void cihazlar(std::string_view group, std::string_view model, std::string_view name, std::string_view serial);

    // A "cihazenerji" record arrived: the entries of the group named groupName
    // (upper-cased as the list captions it) whose caption holds serial turn
    // blue. Code page 1254 bytes.
    void markRecordArrived(std::string_view groupName, std::string_view serial);

public slots:
    // Selection of a device list entry.
    void RzGroup1Items0Click(izleme::GroupBarEntry* entry);

private:
    // The device whose selection waits for the list that a re-login brings:
    // serial text of its caption and its kind.
    struct Remembered {
        std::string serialText;
        int kind = 0;
    };

    void onLoginSent();
    void selectMeter(GroupBarEntry* entry, const std::string& serialText);
    void selectOther(GroupBarEntry* entry, int kind, const std::string& serialText);
    void paintAllBlack();

    DeviceListPorts p_;
    std::optional<Remembered> remembered_;
    bool listRefilling_ = false;  // a login went out since the device was remembered
};

}  // namespace izleme
