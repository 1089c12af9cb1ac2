// Test helpers: read the simulator's messages the way the client does, with
// the client's register reply parser and readings.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "registers/core/RegisterReadings.h"
#include "registers/core/RegisterReplyParser.h"
#include "registers/core/RegisterTable.h"
#include "server/core/Wire.h"

namespace izleme::sim::test {

// Stores an "enerjial" message in row 1 from `cursor`, as the dispatcher and
// the register reply parser do (11 characters skipped).
inline RegisterTable decodeRegisters(const std::string& message, int cursor) {
    RegisterTable t;
    t.setDeviceRow(1);
    t.setCursor(cursor);
    parseRegisterReply(t, std::string_view(message).substr(11));
    return t;
}

inline double pair(const RegisterTable& t, int reg, PairCode code) {
    const auto v = pairReading(t.values(1), reg, code);
    return v ? static_cast<double>(*v) : NAN;
}

// Keyword and fields of a message, split at 0x01; the terminator must end it.
inline std::vector<std::string> splitMessage(const std::string& m) {
    std::vector<std::string> out;
    std::string_view rest(m);
    if (rest.size() < 3 || rest.substr(rest.size() - 3) != wire::terminator) return out;
    rest.remove_suffix(3);
    while (!rest.empty()) {
        const auto p = rest.find('\x01');
        out.emplace_back(rest.substr(0, p));
        if (p == std::string_view::npos) break;
        rest.remove_prefix(p + 1);
    }
    return out;
}

// Bytes of the "$"-separated number list after the 11 leading characters.
inline std::vector<int> replyBytes(const std::string& message) {
    std::vector<int> out;
    std::string_view s = std::string_view(message).substr(11);
    while (true) {
        const auto p = s.find('$');
        if (p == std::string_view::npos) break;
        out.push_back(std::stoi(std::string(s.substr(0, p))));
        s.remove_prefix(p + 1);
    }
    return out;
}

}  // namespace izleme::sim::test
