// The one boundary between widget texts (QString) and code page 1254 bytes,
// the form every text of the client has on the wire and in the cores.
#pragma once

#include <QList>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "toolkit/core/Cp1254.h"

namespace izleme {

inline QString fromCp1254(std::string_view bytes) { return QString::fromStdString(cp1254::toUtf8(bytes)); }

// Nothing when the text holds a character the code page cannot represent.
inline std::optional<std::string> toCp1254(const QString& text) { return cp1254::fromUtf8(text.toStdString()); }

// Characters the code page cannot hold become "?": for display and state, never for sending.
inline std::string toCp1254Lossy(const QString& text) {
    std::string out;
    for (const char32_t cp : text.toUcs4()) {
        const auto byte = cp1254::fromUnicode(cp);
        out.push_back(byte ? static_cast<char>(*byte) : '?');
    }
    return out;
}

}  // namespace izleme
