// Test helpers: a ReplyHandlers that records every call as a line of text, and
// builders of server replies.
#pragma once

#include "server/core/ReplyDispatcher.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace izleme::test {

inline const std::string S = "\x01";          // field separator
inline const std::string T = "\xF4\xF4\xF4";  // message terminator

// keyword, 0x01, each field followed by 0x01, then `tail` (the terminator by
// default).
inline std::string reply(std::string_view keyword, std::initializer_list<std::string_view> fields,
                         std::string_view tail = "\xF4\xF4\xF4") {
    std::string out(keyword);
    out += S;
    for (auto f : fields) {
        out.append(f);
        out += S;
    }
    out.append(tail);
    return out;
}

class Recording : public ReplyHandlers {
public:
    std::vector<std::string> calls;

    // When set, each line starts with the dispatch pass it came in ("3:pong").
    const ReplyDispatcher* passes = nullptr;

    void pong() override { add("pong"); }
    void yenimesaj() override { add("yenimesaj"); }
    void akimdegerleri(const std::array<std::string_view, 7>& f) override { add("akimdegerleri", f); }
    void reaktifenerji(const std::array<std::string_view, 9>& f) override { add("reaktifenerji", f); }
    void tedassycal(const std::array<std::string_view, 9>& f) override { add("tedassycal", f); }
    void mesajvar(std::string_view heading, std::string_view body) override {
        add("mesajvar", std::array<std::string_view, 2>{heading, body});
    }
    void hattayok(std::string_view serial) override { add("hattayok", std::array<std::string_view, 1>{serial}); }
    void sayacal(std::string_view readout) override { add("sayacal", std::array<std::string_view, 1>{readout}); }
    void sycdegerleri(const std::array<std::string_view, 3>& f) override { add("sycdegerleri", f); }
    void enerjial(const EnerjialRoute& route, std::string_view text) override {
        add("enerjial", std::array<std::string_view, 2>{route.kind, text});
    }
    void cihazenerji(const std::array<std::string_view, 3>& f) override { add("cihazenerji", f); }
    void cihazlar(std::string_view group, std::string_view model, std::string_view name,
                  std::string_view serial) override {
        add("cihazlar", std::array<std::string_view, 4>{group, model, name, serial});
    }

private:
    template <std::size_t N = 0>
    void add(std::string_view name, const std::array<std::string_view, N>& fields = {}) {
        std::string line;
        if (passes != nullptr) line = std::to_string(passes->passCount()) + ":";
        line.append(name);
        for (std::size_t i = 0; i < N; ++i) {
            line += i == 0 ? ":" : "|";
            line.append(fields[i]);
        }
        calls.push_back(line);
    }
};

}  // namespace izleme::test
