// Builders of the messages the central server sends, in the layouts the
// client reads. Texts in code page 1254.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sim/core/EnergyCounters.h"

namespace izleme::sim {

std::string pongMessage();
std::string deviceEntryMessage(std::string_view group, std::string_view model, std::string_view name, std::string_view serial);
std::string offlineMessage(std::string_view serial);
std::string newMessagesNotice();
std::string waitingMessage(std::string_view heading, std::string_view body);
// "enerjial", three characters, the register reply text, the terminator.
std::string registerReplyMessage(const std::vector<std::uint16_t>& registers);
std::string waveformMessage(const std::array<std::int8_t, 128>& samples);
std::string fieldsMessage(std::string_view keyword, const std::vector<std::string>& fields);
// "sayacal", three characters, the readout, the terminator.
std::string readoutMessage(std::string_view readout);
// Device record of "cihazenerji": 45 entries "$1" and eight characters, the
// registers 0..44 (43 names the row) as the client reads them back; entries
// 30..41 are sent times 3600 and read as exact register pairs.
std::string deviceRecord(const std::vector<std::uint16_t>& registers, int row);

// A field that cannot break the framing: bytes 0x01, 0x02 and 0xF4 dropped.
std::string safeField(std::string_view text);
// UTF-8 to code page 1254; characters the code page lacks become "?".
std::string toWire(std::string_view utf8);

}  // namespace izleme::sim
