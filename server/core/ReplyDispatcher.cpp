#include "server/core/ReplyDispatcher.h"

#include "server/core/Keywords.h"
#include "server/core/Wire.h"

#include <algorithm>
#include <array>
#include <exception>

namespace izleme {
namespace {

constexpr std::size_t npos = std::string::npos;
constexpr std::size_t sayacalHeader = 10;  // "sayacal" and three unseen bytes

// A position in the working copy of a chunk, with the cuts of the parsing
// primitives (the same results as wire::takeField and friends). The position
// of the next field separator is kept, so that a long text without separators
// is scanned once, not once per field.
class Cursor {
public:
    explicit Cursor(std::string& text) : text_(text) {}

    std::size_t pos() const { return pos_; }
    std::size_t remaining() const { return text_.size() - pos_; }
    std::string_view rest() const { return std::string_view(text_).substr(pos_); }
    std::string_view view(std::size_t from, std::size_t to) const {
        return std::string_view(text_).substr(from, to - from);
    }

    bool startsWith(std::string_view keyword) const { return wire::startsWithKeyword(rest(), keyword); }
    void skip(std::size_t n) { pos_ += std::min(n, remaining()); }
    void moveTo(std::size_t p) { pos_ = std::min(p, text_.size()); }

    std::string_view takeField() {
        const std::size_t sep = nextSeparator();
        if (sep == npos) return {};
        const auto field = view(pos_, sep);
        pos_ = sep + 1;
        return field;
    }

    std::string_view takeFieldAndSkipOne() {
        const std::size_t sep = nextSeparator();
        if (sep == npos) {
            skip(1);
            return {};
        }
        const auto field = view(pos_, sep);
        pos_ = sep + 1;
        skip(1);
        return field;
    }

private:
    std::size_t nextSeparator() {
        if (!sepKnown_ || (sepAt_ != npos && sepAt_ < pos_)) {
            sepAt_ = text_.find(wire::fieldSeparator, pos_);
            sepKnown_ = true;
        }
        return sepAt_;
    }

    std::string& text_;
    std::size_t pos_ = 0;
    bool sepKnown_ = false;  // sepAt_ is the first separator at or after pos_
    std::size_t sepAt_ = npos;
};

// Whether a byte is the first letter of a received keyword. A pass that
// starts on any other byte can match nothing, so its tests are not run.
constexpr std::array<bool, 256> keywordStarts = [] {
    std::array<bool, 256> starts{};
    for (std::string_view k : {kw::pong, kw::yenimesaj, kw::akimdegerleri, kw::reaktifenerji, kw::tedassycal,
                               kw::mesajvar, kw::Hattayok, kw::sayacal, kw::Sycdegerleri, kw::enerjial,
                               kw::cihazenerji, kw::cihazlar}) {
        starts[static_cast<unsigned char>(k.front())] = true;
    }
    return starts;
}();

template <std::size_t N>
std::array<std::string_view, N> takeFields(Cursor& c) {
    std::array<std::string_view, N> fields;
    for (auto& f : fields) f = c.takeField();
    return fields;
}

void runPass(Cursor& c, const EnerjialRoute* route, ReplyHandlers& h) {
    if (c.startsWith(kw::pong)) {
        c.skip(5);
        h.pong();
    }
    if (c.startsWith(kw::yenimesaj)) {
        c.skip(10);
        h.yenimesaj();
    }
    if (c.startsWith(kw::akimdegerleri)) {
        c.skip(14);
        h.akimdegerleri(takeFields<7>(c));
    }
    if (c.startsWith(kw::reaktifenerji)) {
        c.skip(14);
        const auto fields = takeFields<9>(c);
        c.skip(1);
        h.reaktifenerji(fields);
    }
    if (c.startsWith(kw::tedassycal)) {
        c.skip(11);
        const auto fields = takeFields<9>(c);
        c.skip(1);
        h.tedassycal(fields);
    }
    if (c.startsWith(kw::mesajvar)) {
        c.skip(9);
        const auto heading = c.takeField();
        const auto body = c.takeFieldAndSkipOne();
        h.mesajvar(heading, body);
    }
    if (c.startsWith(kw::Hattayok)) {
        c.skip(9);
        h.hattayok(c.takeFieldAndSkipOne());
    }
    if (c.startsWith(kw::sayacal)) {
        // One readout per message: the text after the 10-byte header up to
        // the message's terminator, or up to the next "sayacal" header when
        // that comes first (the rest of the text when there is neither). The
        // terminator goes with the message; a next header stays for the next
        // pass, and what follows is dispatched as usual.
        const std::string_view message = c.rest();
        const std::size_t term = message.find(wire::terminator, kw::sayacal.size());
        const std::size_t next = message.find(kw::sayacal, kw::sayacal.size());
        std::size_t end = message.size();
        std::size_t consumed = message.size();
        if (term != npos && (next == npos || term < next)) {
            end = term;
            consumed = term + wire::terminator.size();
        } else if (next != npos) {
            end = next;
            consumed = next;
        }
        const std::size_t from = std::min(sayacalHeader, end);
        c.skip(consumed);
        h.sayacal(message.substr(from, end - from));
    }
    if (c.startsWith(kw::Sycdegerleri)) {
        c.skip(13);
        h.sycdegerleri(takeFields<3>(c));
    }
    if (route != nullptr && c.startsWith(kw::enerjial)) {
        // The reply runs up to and including its terminator, the rest of the
        // text when it has none; what follows it is dispatched as usual.
        const std::size_t start = c.pos();
        const std::size_t term = c.rest().find(wire::terminator, kw::enerjial.size());
        const std::size_t end = term == npos ? start + c.remaining() : start + term + wire::terminator.size();
        const std::size_t from = std::min(start + 11, end);
        c.moveTo(end);
        h.enerjial(*route, c.view(from, end));
    }
    if (c.startsWith(kw::cihazenerji)) {
        c.skip(12);
        std::array<std::string_view, 3> fields;
        fields[0] = c.takeField();
        fields[1] = c.takeField();
        fields[2] = c.takeFieldAndSkipOne();
        h.cihazenerji(fields);
    }
    if (c.startsWith(kw::cihazlar)) {
        c.skip(9);
        const auto f = takeFields<4>(c);
        c.skip(1);
        h.cihazlar(f[0], f[1], f[2], f[3]);
    }
}

}  // namespace

bool ReplyDispatcher::dispatch(std::string_view chunk, std::string_view pendingKind, ReplyHandlers& handlers) {
    std::string text(chunk);
    Cursor c(text);
    const EnerjialRoute* route = findEnerjialRoute(pendingKind);

    // The remembered remainder is either remembered_ (kept from an earlier
    // chunk: compared by content) or, once a pass of this chunk has set it, a
    // suffix of the text (compared by position: equal suffixes of one text
    // start at the same place; no handler changes the text).
    bool suffix = false;
    std::size_t suffixAt = 0;

    const auto keepRemembered = [&] {
        if (suffix) remembered_.assign(text, suffixAt);
    };

    try {
        do {
            ++passes_;
            if (c.remaining() > 0 && keywordStarts[static_cast<unsigned char>(c.rest().front())]) {
                runPass(c, route, handlers);
            }
            const bool equal = suffix ? suffixAt == c.pos()
                                      : remembered_.size() == c.remaining() && remembered_ == c.rest();
            if (equal) {
                c.skip(1);
            } else {
                suffix = true;
                suffixAt = c.pos();
            }
        } while (c.remaining() > 1);
    } catch (...) {
        // A handler ended the handling of this chunk: the rest is dropped.
        keepRemembered();
        return false;
    }
    keepRemembered();
    return true;
}

}  // namespace izleme
