// Which device list entries a "cihazenerji" record marks: the entries of the
// group named as the device list captions it whose caption holds the serial.
#pragma once

#include <string_view>

namespace izleme::device {

// Whether a group with this caption is the one a record's group name names
// (the name upper-cased as the device list does when it makes a group).
bool recordNamesGroup(std::string_view groupCaptionText, std::string_view groupName);

// Whether an entry of that group is marked: its caption contains the serial
// anywhere (so serial 12 marks the devices 12 and 123 alike); an empty serial
// marks nothing.
bool recordMarksEntry(std::string_view entryCaptionText, std::string_view serial);

}  // namespace izleme::device
