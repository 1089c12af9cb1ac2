#include "server/core/EnerjialRoute.h"

#include <array>

#include "server/core/Keywords.h"
#include "toolkit/core/Cp1254.h"

namespace izleme {
namespace {

// Texts are written in UTF-8 here and held in code page 1254, as they travel
// and display.
std::string text(std::string_view utf8) { return cp1254::fromUtf8(utf8).value_or(std::string()); }

struct Row {
    std::string_view kind;
    std::string_view keyword;
    int cursor;
    bool row1;
    std::string_view status;
    std::string_view heading;
    std::string_view requestLine;
    bool clearsStatus;
    EnerjialTarget target;
    bool memo;
    int phase;
};

constexpr std::string_view kHarmonicStatus = " Seri Nolu Cihazın harmonik değerleri alınıyor. ";
constexpr std::string_view kHarmonicHeading = " nolu cihaz harmonik verileri";

constexpr std::array<Row, 9> kRows = {{
    {"anideger", kw::enertum, 0, true, " Seri Nolu Cihazın ölçüm değerleri alınıyor. ", " Nolu Cihaz Verileri",
     "Lütfen bekleyin...", true, EnerjialTarget::RegisterParser, true, 0},
    {"tuketim", kw::enerharcanan, 70, true, " Seri Nolu Cihazın tüketim değerleri alınıyor. ",
     " Nolu Cihaz Tüketim Verileri", "Tüketim verileri istendi.Lütfen bekleyin...", true,
     EnerjialTarget::RegisterParser, true, 0},
    {"sabitler", kw::tavrsabitiste, 166, true, " Seri Nolu Cihazın sabit değerleri alınıyor. ",
     " Nolu Cihaz Sabit Verileri", "Sabit değerler istendi.Lütfen bekleyin...", true, EnerjialTarget::RegisterParser,
     false, 0},
    {"kondasatordurum", kw::kondasatordurum, 66, false, " Seri Nolu Cihazın kondansatör durumları alınıyor.",
     " nolu cihaz kondansatör bilgileri", "Lütfen bekleyin...", false, EnerjialTarget::RegisterParser, false, 0},
    {"kondasatorgucdurum", kw::kondasatorgucdurum, 192, false, " Seri Nolu Cihazın kondansatör Güçleri alınıyor.",
     " nolu cihaz kondansatör Güç bilgileri", "Kondansatör durumları istendi.Lütfen bekleyin...", true,
     EnerjialTarget::RegisterParser, false, 0},
    {"harmonikb", kw::harmonikbir, -1, false, kHarmonicStatus, kHarmonicHeading,
     "Faz1 harmonik değerleri istendi.Lütfen bekleyin...", true, EnerjialTarget::Waveform, false, 1},
    {"harmoniki", kw::harmonikiki, -1, false, kHarmonicStatus, kHarmonicHeading,
     "Faz2 harmonik değerleri istendi.Lütfen bekleyin...", true, EnerjialTarget::Waveform, false, 2},
    {"harmoniku", kw::harmonikuc, -1, false, kHarmonicStatus, kHarmonicHeading,
     "Faz3 harmonik değerleri istendi.Lütfen bekleyin...", true, EnerjialTarget::Waveform, false, 3},
    // A meter reading: its reply is "sayacal"; an "enerjial" under this kind is not read.
    {"sayac", kw::sayac, 0, false, "", "", "Sayaç okuma isteği gönderildi.Lütfen bekleyin...", true,
     EnerjialTarget::None, false, 0},
}};

const std::array<EnerjialRoute, kRows.size()>& table() {
    static const std::array<EnerjialRoute, kRows.size()> routes = [] {
        std::array<EnerjialRoute, kRows.size()> out;
        for (std::size_t i = 0; i < kRows.size(); ++i) {
            const Row& r = kRows[i];
            EnerjialRoute& e = out[i];
            e.kind = std::string(r.kind);
            e.requestKeyword = std::string(r.keyword);
            e.cursor = r.cursor;
            e.setDeviceRow1 = r.row1;
            e.statusText = text(r.status);
            e.headingText = text(r.heading);
            e.requestLine = text(r.requestLine);
            e.clearsStatusLine = r.clearsStatus;
            e.target = r.target;
            e.showInMemo1 = r.memo;
            e.phase = r.phase;
        }
        return out;
    }();
    return routes;
}

}  // namespace

const EnerjialRoute* findDataRequest(std::string_view kind) {
    for (const auto& r : table()) {
        if (r.kind == kind) return &r;
    }
    return nullptr;
}

const EnerjialRoute* findEnerjialRoute(std::string_view pendingKind) {
    const EnerjialRoute* r = findDataRequest(pendingKind);
    return r != nullptr && r->target != EnerjialTarget::None ? r : nullptr;
}

}  // namespace izleme
