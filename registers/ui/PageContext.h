// What every page of the main window may use, nothing more. A page is built on
// the sheet it fills and handed one PageContext: in its constructor it builds
// its widgets, subscribes its replies, registers its page updates and listens
// to the device selection to reset what it shows. It never touches another
// page's widgets; what pages share goes through the shared state or the
// register table. The context is handed to constructors only: a page keeps
// the references it needs, never the context.
#pragma once

#include <QString>
#include <functional>

#include "registers/core/RefreshLoop.h"
#include "registers/core/RegisterTable.h"
#include "server/core/SharedState.h"
#include "server/ui/DeviceSelection.h"
#include "server/ui/ReplyRouter.h"
#include "server/ui/Requests.h"
#include "server/ui/StatusLines.h"

namespace izleme {

struct PageContext {
    SharedState& state;                          // shared state of the main window
    RegisterTable& table;                        // the register table of VD1KAL
    Requests& requests;                          // send(keyword, fields) and data(kind)
    ReplyRouter& replies;                        // subscribe to a keyword, or to "enerjial" under a kind
    RefreshLoop& refresh;                        // add a page update at register R of the one-second tick
    DeviceSelection& selection;                  // the active device changed: kind, serial text
    StatusLines& status;                         // LblMesaj, LblGiden, Label2
    std::function<bool(int page)> isPageActive;  // the page control's active page is this one

    // The text of `Edit111`, the active device's serial that every request carries.
    QString activeSerialText() const { return requests.activeSerialText(); }
};

}  // namespace izleme
