#include "energy/core/MeterReadout.h"

namespace izleme::meter {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<std::size_t> findCode(std::string_view readout, std::string_view code) {
    if (code.empty()) return std::nullopt;
    for (std::size_t at = readout.find(code); at != std::string_view::npos; at = readout.find(code, at + 1)) {
        if (at == 0) return at;
        const char before = readout[at - 1];
        if (!isDigit(before) && before != '.') return at;
    }
    return std::nullopt;
}

std::optional<std::string> cutValue(std::string_view readout, std::string_view code) {
    const std::optional<std::size_t> at = findCode(readout, code);
    if (!at) return std::nullopt;
    return std::string(readout.substr(*at + code.size(), kIndexWidth));
}

std::array<std::string, kIndexCount> withDecimalComma(std::array<std::string, kIndexCount> cut) {
    if (cut[2] == kNoIndex) return cut;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t dot = cut[i].find('.');
        if (dot != std::string::npos) cut[i][dot] = ',';
    }
    return cut;
}

void MeterReadout::reset() {
    text_.clear();
    cut_.fill(std::string(kNoIndex));
    shown_ = cut_;
}

void MeterReadout::append(std::string_view readout) {
    text_.append(readout);
    for (std::size_t i = 0; i < kIndexCount; ++i) {
        if (auto value = cutValue(text_, kIndexCodes[i].code)) cut_[i] = std::move(*value);
    }
    shown_ = withDecimalComma(cut_);
}

}  // namespace izleme::meter
