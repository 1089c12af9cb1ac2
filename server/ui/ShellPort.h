// What the server connection, the login window and the device list need of
// the main window shell. The main window implements it; tests may fake it.
#pragma once

#include <QString>

#include "server/ui/StatusLines.h"

class QTcpSocket;

namespace izleme {

struct SharedState;
class GroupBar;
class ReplyRouter;
class RequestSender;
class Requests;

class ShellPort : public StatusLines {
public:
    virtual SharedState& state() = 0;
    virtual QTcpSocket* socket() = 0;     // `Clientsoket`
    virtual RequestSender& sender() = 0;  // sends through `Clientsoket`
    virtual ReplyRouter& router() = 0;    // where every received message goes
    virtual Requests& requests() = 0;     // requests and data requests
    virtual GroupBar* deviceList() = 0;   // `RzGroupBar1`

    virtual QString mainCaption() const = 0;
    virtual void setMainCaption(const QString& text) = 0;  // main window caption

    virtual void attachTrayMenu() = 0;                    // on connect
    virtual void appendLogLine(const QString& line) = 0;  // communication log `ListBox1`
    virtual void lampFlicker() = 0;                       // eleven XOR steps with magenta
    virtual void lampGreen() = 0;                         // after a chunk was dispatched
    virtual void closeMainWindow() = 0;                   // ends the program
};

}  // namespace izleme
