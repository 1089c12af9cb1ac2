// The main window's shared state: what every page and handler of the client
// reads or writes besides its own widgets. Texts are code page 1254 bytes.
#pragma once

#include <cstdint>
#include <string>

#include "server/core/MessageList.h"

namespace izleme {

struct SharedState {
    std::string loginUserName;                              // typed at login
    MessageList messages;                                   // the server's messages, the most recent 256
    std::string pendingKind;      // how the next "enerjial" reply is read
    bool loggedIn = false;        // a login message went out on this connection
    std::int32_t activeSerial = 12001;
    std::int32_t activeKind = 0;  // device kind (icon index) of the active device: the compensation relay
    std::string meterAddress;     // the meter page's address box: the server address a login falls back on
    char decimalSeparator = ',';  // of the current locale, read when the main window shows
};

}  // namespace izleme
