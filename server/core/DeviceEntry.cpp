#include "server/core/DeviceEntry.h"

#include "toolkit/core/NumberFormat.h"

namespace izleme::device {
namespace {

bool isBlank(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

}  // namespace

std::string groupCaption(std::string_view groupName) {
    std::string out(groupName);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

std::string entryCaption(std::string_view deviceName, std::string_view serial) {
    std::string out(deviceName);
    out.append(" No: ");
    out.append(serial);
    return out;
}

int kindOfModel(std::string_view model) {
    if (model == "KRT100") return kindKrt100;
    if (model == "KLM200") return kindKlm200;
    if (model == "ZDN100") return kindZdn100;
    return kindNone;
}

std::string serialText(std::string_view caption) {
    const auto colon = caption.find(':');
    if (colon == std::string_view::npos) return {};
    return std::string(caption.substr(colon + 1, 10));
}

std::string_view trimLeadingBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    return text.substr(i);
}

std::string_view trimBlanks(std::string_view text) {
    text = trimLeadingBlanks(text);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::optional<std::int64_t> serialValue(std::string_view serialText) {
    return parseInteger(serialText);
}

}  // namespace izleme::device
