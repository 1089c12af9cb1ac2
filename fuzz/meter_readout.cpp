// The meter readout cut: a readout that arrives in several "sayacal" messages
// (the input cut by 0xFF bytes) must give the same readout text and the same
// six index texts as the whole readout in one message, and every index must
// come from a whole occurrence of its code.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "energy/core/MeterReadout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    izleme::meter::MeterReadout pieces;
    std::string whole;
    while (true) {
        const std::size_t cut = rest.find('\xFF');
        const std::string_view piece = rest.substr(0, cut);
        pieces.append(piece);
        whole.append(piece);
        if (cut == std::string_view::npos) break;
        rest.remove_prefix(cut + 1);
    }
    izleme::meter::MeterReadout once;
    once.append(whole);
    if (pieces.text() != whole || once.shown() != pieces.shown()) __builtin_trap();

    for (std::size_t i = 0; i < izleme::meter::kIndexCount; ++i) {
        const std::string_view code = izleme::meter::kIndexCodes[i].code;
        const std::string& shown = once.shown()[i];
        if (shown.size() > izleme::meter::kIndexWidth) __builtin_trap();
        const auto at = izleme::meter::findCode(whole, code);
        if (!at) {
            if (shown != izleme::meter::kNoIndex) __builtin_trap();
            continue;
        }
        if (*at > 0 && ((whole[*at - 1] >= '0' && whole[*at - 1] <= '9') || whole[*at - 1] == '.')) __builtin_trap();
        if (whole.compare(*at, code.size(), code) != 0) __builtin_trap();
        // Tariff indexes show the bytes as they are; the totals may have their first "." as ",".
        std::string expected = whole.substr(*at + code.size(), izleme::meter::kIndexWidth);
        if (i < 3 && shown != expected) {
            const std::size_t dot = expected.find('.');
            if (dot != std::string::npos) expected[dot] = ',';
        }
        if (shown != expected) __builtin_trap();
    }
    return 0;
}
