// The reply dispatcher against the plain reference dispatcher: the same reads,
// the same pending request kind and the same throwing handlers must give the
// same handler calls (with their pass and fields), the same results and the
// same remembered remainder after every read.
//
// Input: byte 0 picks the pending request kind, byte 1 how often a handler
// throws (0: never; n: every n-th call), the rest is cut into reads by 0xFF.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "server/core/ReplyDispatcher.h"
#include "tests/support/ReferenceDispatcher.h"
#include "toolkit/core/SilentAbort.h"

namespace {

// Records every call as "<pass>:<handler>:<field>|<field>..." and throws on
// every n-th call, with a different kind of exception each time.
class Recorder : public izleme::ReplyHandlers {
public:
    Recorder(std::function<std::size_t()> passes, unsigned throwEvery)
        : passes_(std::move(passes)), throwEvery_(throwEvery) {}

    std::vector<std::string> calls;

    void pong() override { add("pong", {}); }
    void yenimesaj() override { add("yenimesaj", {}); }
    void akimdegerleri(const std::array<std::string_view, 7>& f) override {
        add("akimdegerleri", {f.begin(), f.end()});
    }
    void reaktifenerji(const std::array<std::string_view, 9>& f) override {
        add("reaktifenerji", {f.begin(), f.end()});
    }
    void tedassycal(const std::array<std::string_view, 9>& f) override { add("tedassycal", {f.begin(), f.end()}); }
    void mesajvar(std::string_view heading, std::string_view body) override { add("mesajvar", {heading, body}); }
    void hattayok(std::string_view serial) override { add("hattayok", {serial}); }
    void sayacal(std::string_view readout) override { add("sayacal", {readout}); }
    void sycdegerleri(const std::array<std::string_view, 3>& f) override { add("sycdegerleri", {f.begin(), f.end()}); }
    void enerjial(const izleme::EnerjialRoute& route, std::string_view text) override {
        add("enerjial", {route.kind, route.statusText, route.headingText, text});
    }
    void cihazenerji(const std::array<std::string_view, 3>& f) override { add("cihazenerji", {f.begin(), f.end()}); }
    void cihazlar(std::string_view group, std::string_view model, std::string_view name,
                  std::string_view serial) override {
        add("cihazlar", {group, model, name, serial});
    }

private:
    void add(std::string_view name, std::vector<std::string_view> fields) {
        std::string line = std::to_string(passes_()) + ":";
        line.append(name);
        for (std::size_t i = 0; i < fields.size(); ++i) {
            line += i == 0 ? ":" : "|";
            line.append(fields[i]);
        }
        calls.push_back(std::move(line));
        if (throwEvery_ == 0 || calls.size() % throwEvery_ != 0) return;
        switch ((calls.size() / throwEvery_) % 3) {
            case 0:
                throw izleme::SilentAbort("register");
            case 1:
                throw std::out_of_range("field");
            default:
                throw 7;
        }
    }

    std::function<std::size_t()> passes_;
    unsigned throwEvery_;
};

constexpr std::array<std::string_view, 12> kinds = {
    "",          "anideger",  "tuketim",   "sabitler", "kondasatordurum", "kondasatorgucdurum",
    "harmonikb", "harmoniki", "harmoniku", "sayac",    "bilinmeyen",      "harmonik",
};

[[noreturn]] void differ(const char* what, std::size_t read) {
    std::fprintf(stderr, "dispatcher and reference differ in %s after read %zu\n", what, read);
    __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::string_view kind = kinds[data[0] % kinds.size()];
    const unsigned throwEvery = data[1] % 8;
    std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);

    izleme::ReplyDispatcher fast;
    izleme::test::ReferenceDispatcher plain;
    Recorder fastCalls([&] { return fast.passCount(); }, throwEvery);
    Recorder plainCalls([&] { return plain.passCount(); }, throwEvery);

    std::size_t read = 0;
    do {
        const std::size_t cut = rest.find('\xFF');
        const std::string_view chunk = rest.substr(0, cut);
        rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
        ++read;
        const bool fastDone = fast.dispatch(chunk, kind, fastCalls);
        const bool plainDone = plain.dispatch(chunk, kind, plainCalls);
        if (fastCalls.calls != plainCalls.calls) differ("handler calls", read);
        if (fastDone != plainDone) differ("the result", read);
        if (fast.rememberedRemainder() != plain.rememberedRemainder()) differ("the remembered remainder", read);
        if (fast.passCount() != plain.passCount()) differ("the number of passes", read);
    } while (!rest.empty());
    return 0;
}
