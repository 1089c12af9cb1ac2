// Received text through the reassembler and the reply dispatcher, with handlers
// that look at every byte of what they get. The first byte picks the pending
// request kind; the rest is cut into reads by 0xFF bytes.
#include "server/core/DeviceEntry.h"
#include "server/core/Reassembler.h"
#include "server/core/ReplyDispatcher.h"
#include "toolkit/core/SilentAbort.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

struct Working : izleme::ReplyHandlers {
    std::uint64_t sum = 0;
    std::string readout;

    void see(std::string_view s) {
        for (unsigned char c : s) sum = sum * 31 + c;
    }
    template <std::size_t N>
    void see(const std::array<std::string_view, N>& f) {
        for (auto s : f) see(s);
    }
    void pong() override { ++sum; }
    void yenimesaj() override { sum += 2; }
    void akimdegerleri(const std::array<std::string_view, 7>& f) override { see(f); }
    void reaktifenerji(const std::array<std::string_view, 9>& f) override { see(f); }
    void tedassycal(const std::array<std::string_view, 9>& f) override { see(f); }
    void mesajvar(std::string_view h, std::string_view b) override {
        see(h);
        see(b);
    }
    void hattayok(std::string_view s) override {
        // A serial that is not a number ends the chunk, as a parser would.
        if (!izleme::device::serialValue(s)) throw izleme::SilentAbort("serial");
    }
    void sayacal(std::string_view t) override {
        if (readout.size() < (1u << 20)) readout.append(t);
    }
    void sycdegerleri(const std::array<std::string_view, 3>& f) override { see(f); }
    void enerjial(const izleme::EnerjialRoute& r, std::string_view t) override {
        see(r.statusText);
        see(t);
        if (t.find('#') != std::string_view::npos) throw izleme::SilentAbort("register");
    }
    void cihazenerji(const std::array<std::string_view, 3>& f) override { see(f); }
    void cihazlar(std::string_view g, std::string_view m, std::string_view n, std::string_view s) override {
        see(izleme::device::groupCaption(g));
        sum += static_cast<std::uint64_t>(izleme::device::kindOfModel(m) + 1);
        const std::string caption = izleme::device::entryCaption(n, s);
        see(izleme::device::trimBlanks(izleme::device::serialText(caption)));
    }
};

constexpr std::array<std::string_view, 11> kinds = {
    "", "anideger", "tuketim", "sabitler", "kondasatordurum", "kondasatorgucdurum",
    "harmonikb", "harmoniki", "harmoniku", "sayac", "bilinmeyen",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view kind = kinds[data[0] % kinds.size()];
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);

    izleme::Reassembler reassembler;
    izleme::ReplyDispatcher dispatcher;
    Working handlers;
    std::string fed;
    std::string handedOut;
    while (!rest.empty()) {
        const std::size_t cut = rest.find('\xFF');
        const std::string_view read = rest.substr(0, cut);
        rest.remove_prefix(cut == std::string_view::npos ? rest.size() : cut + 1);
        fed.append(read);
        const std::string now = reassembler.feed(read);
        handedOut.append(now);
        if (!now.empty()) (void)dispatcher.dispatch(now, kind, handlers);
    }
    if (reassembler.hasPending()) {
        const std::string last = reassembler.takePending();
        handedOut.append(last);
        (void)dispatcher.dispatch(last, kind, handlers);
    }
    // The reassembler hands out every byte once, in order.
    if (handedOut != fed) __builtin_trap();
    return 0;
}
