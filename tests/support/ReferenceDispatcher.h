// A plain reply dispatcher for checking the production one: the loop, the
// keyword tests and the unrecognised-text rule written out one step at a time
// on a copy of the text, with no caches and no in-place tricks. Slow on long
// texts; meant for tests and fuzz targets only.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "server/core/ReplyHandlers.h"

namespace izleme::test {

class ReferenceDispatcher {
public:
    // Same contract as ReplyDispatcher::dispatch: true when the chunk was
    // handled to its end, false when a handler threw (the rest is dropped).
    bool dispatch(std::string_view chunk, std::string_view pendingKind, ReplyHandlers& handlers);

    // The unconsumed text at the end of the last pass that did not end in an
    // equal comparison, kept across chunks.
    const std::string& rememberedRemainder() const { return remembered_; }

    // Passes started so far, over all chunks (a pass whose handler threw
    // counts).
    std::size_t passCount() const { return passes_; }

private:
    std::string remembered_;
    std::size_t passes_ = 0;
};

namespace reference {

inline const std::string separator = "\x01";
inline const std::string terminator = "\xF4\xF4\xF4";

// The parsing primitives, each on the whole unconsumed text.

inline bool startsWithKeyword(const std::string& text, const std::string& keyword) {
    return text.substr(0, keyword.size()) == keyword;
}

inline void skip(std::string& text, std::size_t n) { text = n >= text.size() ? std::string() : text.substr(n); }

// p is the 1-based position of the first separator, 0 when there is none.
inline std::size_t separatorPosition(const std::string& text) {
    const std::size_t at = text.find(separator);
    return at == std::string::npos ? 0 : at + 1;
}

inline std::string takeField(std::string& text) {
    const std::size_t p = separatorPosition(text);
    const std::string field = p <= 1 ? std::string() : text.substr(0, p - 1);
    skip(text, p);
    return field;
}

inline std::string takeFieldAndSkipOne(std::string& text) {
    const std::size_t p = separatorPosition(text);
    const std::string field = p <= 1 ? std::string() : text.substr(0, p - 1);
    skip(text, p == 0 ? 1 : p + 1);
    return field;
}

template <std::size_t N>
std::array<std::string, N> takeFields(std::string& text) {
    std::array<std::string, N> fields;
    for (auto& f : fields) f = takeField(text);
    return fields;
}

template <std::size_t N>
std::array<std::string_view, N> views(const std::array<std::string, N>& fields) {
    std::array<std::string_view, N> out;
    for (std::size_t i = 0; i < N; ++i) out[i] = fields[i];
    return out;
}

// The kinds under which "enerjial" is handled; under any other kind its test
// matches and does nothing.
inline const EnerjialRoute* routeOf(std::string_view pendingKind) {
    static const std::array<std::string_view, 8> routed = {
        "anideger",           "tuketim",   "sabitler",  "kondasatordurum",
        "kondasatorgucdurum", "harmonikb", "harmoniki", "harmoniku",
    };
    for (auto kind : routed) {
        if (kind != pendingKind) continue;
        // The texts of a route come from the client's route table (its own
        // tests hold them). A routed kind missing from that table still gets
        // a route here, carrying only its kind, so that the difference shows.
        if (const EnerjialRoute* r = findEnerjialRoute(kind)) return r;
        static EnerjialRoute bare;
        bare = EnerjialRoute{};
        bare.kind = std::string(kind);
        return &bare;
    }
    return nullptr;
}

// One dispatch pass: every keyword test once, in table order, each looking at
// the text as the tests before it left it.
inline void runPass(std::string& text, const EnerjialRoute* route, ReplyHandlers& h) {
    if (startsWithKeyword(text, "pong")) {
        skip(text, 5);
        h.pong();
    }
    if (startsWithKeyword(text, "yenimesaj")) {
        skip(text, 10);
        h.yenimesaj();
    }
    if (startsWithKeyword(text, "akimdegerleri")) {
        skip(text, 14);
        const auto f = takeFields<7>(text);
        h.akimdegerleri(views(f));
    }
    if (startsWithKeyword(text, "reaktifenerji")) {
        skip(text, 14);
        const auto f = takeFields<9>(text);
        skip(text, 1);
        h.reaktifenerji(views(f));
    }
    if (startsWithKeyword(text, "tedassycal")) {
        skip(text, 11);
        const auto f = takeFields<9>(text);
        skip(text, 1);
        h.tedassycal(views(f));
    }
    if (startsWithKeyword(text, "mesajvar")) {
        skip(text, 9);
        const std::string heading = takeField(text);
        const std::string body = takeFieldAndSkipOne(text);
        h.mesajvar(heading, body);
    }
    if (startsWithKeyword(text, "Hattayok")) {
        skip(text, 9);
        const std::string serial = takeFieldAndSkipOne(text);
        h.hattayok(serial);
    }
    if (startsWithKeyword(text, "sayacal")) {
        // One message, one readout: it ends at its own terminator (which goes
        // with it) or where the next "sayacal" begins, whichever comes first,
        // else with the text. The handler gets it after the 10-byte header.
        // Taken to the end of the chunk, every readout would repeat what
        // follows it, headers of later messages included, and those would be
        // read again once the unrecognised-text rule brought them to the front.
        const std::size_t term = text.find(terminator, 7);
        const std::size_t next = text.find("sayacal", 7);
        std::size_t length = text.size();
        std::size_t end = text.size();
        if (term != std::string::npos && (next == std::string::npos || term < next)) {
            end = term;
            length = term + terminator.size();
        } else if (next != std::string::npos) {
            end = next;
            length = next;
        }
        std::string readout = text.substr(0, end);
        skip(text, length);
        skip(readout, 10);
        h.sayacal(readout);
    }
    if (startsWithKeyword(text, "Sycdegerleri")) {
        skip(text, 13);
        const auto f = takeFields<3>(text);
        h.sycdegerleri(views(f));
    }
    if (startsWithKeyword(text, "enerjial") && route != nullptr) {
        // The reply ends with the first terminator after the keyword (or with
        // the text): what follows in the same chunk is dispatched as usual.
        // Taken to the end of the chunk, it would lose every message after an
        // "enerjial" in the same read, and which ones would depend on how the
        // bytes happened to be split into reads. The handler gets the reply
        // after its 11-byte head.
        const std::size_t term = text.find(terminator, 8);
        const std::size_t length = term == std::string::npos ? text.size() : term + terminator.size();
        std::string reply = text.substr(0, length);
        skip(text, length);
        skip(reply, 11);
        h.enerjial(*route, reply);
    }
    if (startsWithKeyword(text, "cihazenerji")) {
        skip(text, 12);
        const auto f = takeFields<3>(text);
        skip(text, 1);
        h.cihazenerji(views(f));
    }
    if (startsWithKeyword(text, "cihazlar")) {
        skip(text, 9);
        const auto f = takeFields<4>(text);
        skip(text, 1);
        h.cihazlar(f[0], f[1], f[2], f[3]);
    }
}

}  // namespace reference

inline bool ReferenceDispatcher::dispatch(std::string_view chunk, std::string_view pendingKind,
                                          ReplyHandlers& handlers) {
    const EnerjialRoute* route = reference::routeOf(pendingKind);
    std::string text(chunk);
    try {
        do {
            ++passes_;
            reference::runPass(text, route, handlers);
            // Unrecognised text: a pass that leaves the text as the last
            // remembered one drops its first byte; any other pass remembers.
            if (text == remembered_) {
                reference::skip(text, 1);
            } else {
                remembered_ = text;
            }
        } while (text.size() > 1);
    } catch (...) {
        // A handler ended the chunk. The remembered remainder is the one of
        // the last pass that ran to its end.
        return false;
    }
    return true;
}

}  // namespace izleme::test
