// How a generic "enerjial" data reply is handled, chosen by the pending request
// kind that the last data request recorded.
#pragma once

#include <string>
#include <string_view>

namespace izleme {

enum class EnerjialTarget {
    RegisterParser,  // the register reply parser stores the registers
    Waveform,        // the waveform reader of one phase, then its analysis
};

struct EnerjialRoute {
    std::string kind;           // pending request kind, e.g. "anideger"
    bool setDeviceRow1 = false; // register table device row := 1 first
    std::string statusText;     // status line: active serial + this (code page 1254)
    std::string headingText;    // `Label2`: active serial + this (code page 1254)
    EnerjialTarget target = EnerjialTarget::RegisterParser;
    bool showInMemo1 = false;   // register text also shown in `Memo1`
    int phase = 0;              // Waveform: 1..3, image `Image<phase>` and the
                                // analysis `Button<phase+1>Click`; 0 otherwise
};

// The route of a pending request kind, or nullptr when "enerjial" does
// nothing under that kind (the empty kind, "sayac", anything unknown).
const EnerjialRoute* findEnerjialRoute(std::string_view pendingKind);

}  // namespace izleme
