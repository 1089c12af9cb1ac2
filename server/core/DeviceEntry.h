// Rules of the device list: group captions, entry captions, the device kind
// of a model text and the serial number cut back out of an entry caption.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace izleme::device {

inline constexpr int kindKrt100 = 0;  // compensation relay with network analyzer
inline constexpr int kindKlm200 = 3;  // over-current relay
inline constexpr int kindZdn100 = 4;  // electricity meter
inline constexpr int kindNone = -1;   // unknown model: no icon, no page change

// The group caption of a group name: letters a to z upper-cased, every other
// byte (Turkish letters included) unchanged.
std::string groupCaption(std::string_view groupName);

// Entry caption: device name, " No: ", serial.
std::string entryCaption(std::string_view deviceName, std::string_view serial);

// Device kind (icon index) of a model text, kindNone when unknown.
int kindOfModel(std::string_view model);

// The up to 10 bytes that follow the first ":" of an entry caption, leading
// blank kept; empty when the caption holds no ":".
std::string serialText(std::string_view caption);

// Without leading blanks (a meter's `Edit111`), and without leading and
// trailing blanks (any other device's `Edit111`). Blanks are bytes up to 0x20.
std::string_view trimLeadingBlanks(std::string_view text);
std::string_view trimBlanks(std::string_view text);

// The active device serial of a serial text (leading blanks allowed);
// nothing when it is not an integer.
std::optional<std::int64_t> serialValue(std::string_view serialText);

}  // namespace izleme::device
