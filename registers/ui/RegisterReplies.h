// The "enerjial" replies that carry register data: stores them in the register
// table, shows the text and the heading, and refreshes the displays at once.
#pragma once

#include <functional>
#include <string_view>
#include <utility>

#include "server/core/EnerjialRoute.h"

class QLabel;
class QPlainTextEdit;

namespace izleme {

class RegisterTable;
struct SharedState;

struct RegisterRepliesPorts {
    RegisterTable* table = nullptr;
    const SharedState* state = nullptr;            // active device serial
    QLabel* Label2 = nullptr;                      // heading of page 0
    QPlainTextEdit* Memo1 = nullptr;               // `VD1KAL`'s memo: the raw text of the first two kinds
    std::function<void()> clearSerialReceiveText;  // `VD1KAL`'s text, emptied by every parse
    std::function<void()> refreshNow;              // the register display refresh
};

class RegisterReplies {
public:
    explicit RegisterReplies(RegisterRepliesPorts ports) : p_(std::move(ports)) {}

    // Handles one routed "enerjial" reply (the status line is already set).
    // A malformed number throws SilentAbort out of here, which ends the
    // handling of the whole received chunk; registers stored before stay,
    // and neither the heading nor the displays change.
    void enerjial(const EnerjialRoute& route, std::string_view text);

private:
    void setHeading(const EnerjialRoute& route);

    RegisterRepliesPorts p_;
};

}  // namespace izleme
