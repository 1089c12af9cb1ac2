#include "server/core/EnerjialRoute.h"

#include "server/core/Cp1254.h"

#include <array>

namespace izleme {
namespace {

// Texts are written in UTF-8 here and held in code page 1254, as they travel
// and display.
std::string text(std::string_view utf8) {
    return cp1254::fromUtf8(utf8).value_or(std::string());
}

EnerjialRoute registers(std::string_view kind, bool row1, std::string_view status, std::string_view heading,
                        bool memo) {
    EnerjialRoute r;
    r.kind = std::string(kind);
    r.setDeviceRow1 = row1;
    r.statusText = text(status);
    r.headingText = text(heading);
    r.target = EnerjialTarget::RegisterParser;
    r.showInMemo1 = memo;
    return r;
}

EnerjialRoute waveform(std::string_view kind, int phase) {
    EnerjialRoute r;
    r.kind = std::string(kind);
    r.statusText = text(" Seri Nolu Cihazın harmonik değerleri alınıyor. ");
    r.headingText = text(" nolu cihaz harmonik verileri");
    r.target = EnerjialTarget::Waveform;
    r.phase = phase;
    return r;
}

const std::array<EnerjialRoute, 8>& routes() {
    static const std::array<EnerjialRoute, 8> table = {
        registers("anideger", true, " Seri Nolu Cihazın ölçüm değerleri alınıyor. ", " Nolu Cihaz Verileri", true),
        registers("tuketim", true, " Seri Nolu Cihazın tüketim değerleri alınıyor. ", " Nolu Cihaz Tüketim Verileri",
                  true),
        registers("sabitler", true, " Seri Nolu Cihazın sabit değerleri alınıyor. ", " Nolu Cihaz Sabit Verileri",
                  false),
        registers("kondasatordurum", false, " Seri Nolu Cihazın kondansatör durumları alınıyor.",
                  " nolu cihaz kondansatör bilgileri", false),
        registers("kondasatorgucdurum", false, " Seri Nolu Cihazın kondansatör Güçleri alınıyor.",
                  " nolu cihaz kondansatör Güç bilgileri", false),
        waveform("harmonikb", 1),
        waveform("harmoniki", 2),
        waveform("harmoniku", 3),
    };
    return table;
}

}  // namespace

const EnerjialRoute* findEnerjialRoute(std::string_view pendingKind) {
    for (const auto& r : routes()) {
        if (r.kind == pendingKind) return &r;
    }
    return nullptr;
}

}  // namespace izleme
