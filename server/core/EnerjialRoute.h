// The data-request table: for each pending request kind, the request that
// asks for register data (keyword, register cursor, request line) and how its
// "enerjial" reply is handled (device row, status text, heading).
#pragma once

#include <string>
#include <string_view>

namespace izleme {

enum class EnerjialTarget {
    RegisterParser,  // the register reply parser stores the registers
    Waveform,        // the waveform reader of one phase, then its analysis
    None,            // an "enerjial" reply is not read under this kind
};

struct EnerjialRoute {
    std::string kind;              // pending request kind, e.g. "anideger"
    std::string requestKeyword;    // the request that asks for the data, e.g. "enertum"
    int cursor = -1;               // register cursor the request sets; -1: left as it is
    bool setDeviceRow1 = false;    // register table device row := 1 first
    std::string statusText;        // status line: active serial + this (code page 1254)
    std::string headingText;       // `Label2`: active serial + this (code page 1254)
    std::string requestLine;       // request line once the request went out (code page 1254)
    bool clearsStatusLine = true;  // the request empties the status line
    EnerjialTarget target = EnerjialTarget::RegisterParser;
    bool showInMemo1 = false;  // register text also shown in `Memo1`
    int phase = 0;             // Waveform: 1..3, image `Image<phase>` and the
                               // analysis `Button<phase+1>Click`; 0 otherwise
};

// The route of a pending request kind, or nullptr when "enerjial" does
// nothing under that kind (the empty kind, "sayac", anything unknown).
const EnerjialRoute* findEnerjialRoute(std::string_view pendingKind);

// The row of a data request kind, "sayac" included; nullptr for an unknown kind.
const EnerjialRoute* findDataRequest(std::string_view kind);

}  // namespace izleme
