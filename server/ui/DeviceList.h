// The device list and the active device: builds `RzGroupBar1` from the
// server's "cihazlar" messages and handles a click on an entry
// (`RzGroup1Items0Click`): page layout, active serial, first data request.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QLineEdit;
class QWidget;

namespace izleme {

class Connection;
class GroupBarEntry;
class LedDisplay;
class RegisterTable;
class ShellPort;

// What the device list reaches outside itself. The page control is reached
// through two functions so that this layer needs nothing of the shell's classes.
struct DeviceListPorts {
    ShellPort* shell = nullptr;  // state, sender, status and request lines, `RzGroupBar1`
    Connection* connection = nullptr;
    RegisterTable* table = nullptr;
    QWidget* Panel7 = nullptr;
    QWidget* Panel8 = nullptr;
    QLineEdit* Edit111 = nullptr;
    LedDisplay* Sno = nullptr;
    QWidget* mainWindow = nullptr;  // where the meter page's displays are looked up by name
    std::function<void(int page, bool visible)> setTabVisible;
    std::function<void(int page)> selectPage;
};

class DeviceList : public QObject {
    Q_OBJECT
public:
    explicit DeviceList(DeviceListPorts ports, QObject* parent = nullptr);

    // One "cihazlar" message: group name, model text, device name, serial
    // number, all code page 1254 bytes.
    void cihazlar(std::string_view group, std::string_view model, std::string_view name, std::string_view serial);

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
    void showKrt100Layout();
    void showKlm200Layout();
    void resetMeterPage();
    void paintAllBlack();

    DeviceListPorts p_;
    std::optional<Remembered> remembered_;
    bool listRefilling_ = false;  // a login went out since the device was remembered
};

}  // namespace izleme
