// What the server connection, the login window and the device list need of
// the main window shell. The main window implements it; tests may fake it.
#pragma once

#include <QString>

class QTcpSocket;

namespace izleme {

struct SharedState;
class GroupBar;
class RequestSender;

class ShellPort {
public:
    virtual ~ShellPort() = default;

    virtual SharedState& state() = 0;
    virtual QTcpSocket* socket() = 0;          // `Clientsoket`
    virtual RequestSender& sender() = 0;       // sends through `Clientsoket`
    virtual GroupBar* deviceList() = 0;        // `RzGroupBar1`

    virtual void setStatusLine(const QString& text) = 0;   // `LblMesaj`
    virtual void setRequestLine(const QString& text) = 0;  // `LblGiden`
    virtual void setMainCaption(const QString& text) = 0;  // main window caption
    virtual QString meterAddressText() const = 0;          // `Edit3` of the meter page

    virtual void attachTrayMenu() = 0;                  // on connect
    virtual void appendLogLine(const QString& line) = 0;  // communication log `ListBox1`
    virtual void lampFlicker() = 0;                     // eleven XOR steps with magenta
    virtual void lampGreen() = 0;                       // after a chunk was dispatched
    virtual void showNewMessageLink() = 0;              // `RzURLLabel1` visible
    virtual void closeMainWindow() = 0;                 // ends the program
};

}  // namespace izleme
