#include "sim/core/Replies.h"

#include <cstdio>
#include <utility>

#include "toolkit/core/Cp1254.h"
#include "server/core/Keywords.h"
#include "server/core/Wire.h"
#include "sim/core/RegisterReply.h"

namespace izleme::sim {

std::string safeField(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != '\x01' && c != '\x02' && c != '\xF4') out.push_back(c);
    return out;
}

std::string toWire(std::string_view utf8) {
    if (auto cp = cp1254::fromUtf8(utf8)) return safeField(*cp);
    // Convert character by character, replacing what the code page lacks.
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        std::size_t len = 1;
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b >= 0xF0) len = 4;
        else if (b >= 0xE0) len = 3;
        else if (b >= 0xC0) len = 2;
        if (i + len > utf8.size()) len = utf8.size() - i;
        if (auto cp = cp1254::fromUtf8(utf8.substr(i, len)))
            out += *cp;
        else
            out.push_back('?');
        i += len;
    }
    return safeField(out);
}

std::string fieldsMessage(std::string_view keyword, const std::vector<std::string>& fields) {
    std::vector<std::string> safe;
    safe.reserve(fields.size());
    for (const auto& f : fields) safe.push_back(safeField(f));
    return *wire::buildMessage(keyword, safe);
}

std::string pongMessage() { return fieldsMessage(kw::pong, {}); }

std::string deviceEntryMessage(std::string_view group, std::string_view model, std::string_view name, std::string_view serial) {
    return fieldsMessage(kw::cihazlar, {std::string(group), std::string(model), std::string(name), std::string(serial)});
}

std::string offlineMessage(std::string_view serial) { return fieldsMessage(kw::Hattayok, {std::string(serial)}); }

std::string newMessagesNotice() { return fieldsMessage(kw::yenimesaj, {}); }

std::string waitingMessage(std::string_view heading, std::string_view body) {
    return fieldsMessage(kw::mesajvar, {std::string(heading), std::string(body)});
}

namespace {

// The three characters between "enerjial" and the register reply text.
constexpr std::string_view dataHead = "\x01#\x01";

}  // namespace

std::string registerReplyMessage(const std::vector<std::uint16_t>& registers) {
    std::string m(kw::enerjial);
    m += dataHead;
    m += encodeRegisterReply(1, registers);
    m += wire::terminator;
    return m;
}

std::string waveformMessage(const std::array<std::int8_t, 128>& samples) {
    std::vector<std::uint16_t> regs;
    for (std::size_t i = 0; i < samples.size(); i += 2)
        regs.push_back(static_cast<std::uint16_t>(static_cast<std::uint8_t>(samples[i]) << 8 | static_cast<std::uint8_t>(samples[i + 1])));
    return registerReplyMessage(regs);
}

std::string readoutMessage(std::string_view readout) {
    std::string m(kw::sayacal);
    m += "\x01#\x01";
    m += safeField(readout);
    m += wire::terminator;
    return m;
}

namespace {

// One entry of type "1": exactly eight characters the client converts as they
// stand. Up to 99999999 (down to -9999999) the integer itself; beyond that the
// nearest thousand in exponent form ("235926E3"), which the client reads too.
// Returns the text and the value it stands for.
std::pair<std::string, long long> recordEntry(long long value) {
    char buf[32];
    if (value >= -9999999 && value <= 99999999) {
        std::snprintf(buf, sizeof buf, "%08lld", value);
        return {buf, value};
    }
    const long long upper = value > 0 ? 999999 : -99999;
    long long thousands = value / 1000;
    const long long rest = value % 1000;
    if (rest >= 500) ++thousands;
    if (rest <= -500) --thousands;
    if (value > 0 ? thousands > upper : thousands < upper) thousands = upper;
    std::snprintf(buf, sizeof buf, "%06lldE3", thousands);  // six characters either way
    return {buf, thousands * 1000};
}

}  // namespace

std::string deviceRecord(const std::vector<std::uint16_t>& registers, int row) {
    constexpr std::size_t entries = 45, hourlyFirst = 30, hourlyLast = 41;
    auto reg = [&](std::size_t j) -> long long { return j < registers.size() ? registers[j] : 0; };
    std::string r;
    for (std::size_t j = 0; j < entries; ++j) {
        std::string text;
        if (j == 43) {
            text = recordEntry(static_cast<long long>(row) * 1000).first;  // first five characters name the row
        } else if (j < hourlyFirst || j > hourlyLast) {
            text = recordEntry(reg(j)).first;
        } else {
            // The client divides these by 3600 and reads them as register
            // pairs (high, low). A high register too large for eight digits
            // goes as the nearest thousand; the low register carries what
            // that left out, times 65536, so that the pair reads exactly.
            const std::size_t hi = j;
            const auto [hiText, hiSent] = recordEntry(reg(hi) * 3600);
            const long long lo = reg(hi + 1) * 3600 + (reg(hi) * 3600 - hiSent) * 65536;
            r += "$1" + hiText + "$1" + recordEntry(lo).first;
            ++j;
            continue;
        }
        r += "$1" + text;
    }
    return r;
}

}  // namespace izleme::sim
