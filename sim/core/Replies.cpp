#include "sim/core/Replies.h"

#include <cstdio>

#include "server/core/Cp1254.h"
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

std::string deviceRecord(const std::vector<std::uint16_t>& registers, int row) {
    std::string r;
    char buf[32];  // room for any long long, though values are capped at eight digits
    for (std::size_t j = 0; j < 45; ++j) {
        long long value = j < registers.size() ? registers[j] : 0;
        if (j >= 30 && j <= 41) value *= 3600;  // the client divides these by 3600
        if (j == 43) value = static_cast<long long>(row) * 1000;  // first five characters name the row
        if (value > 99999999) value = 99999999;
        std::snprintf(buf, sizeof buf, "$1%08lld", value);
        r += buf;
    }
    return r;
}

}  // namespace izleme::sim
