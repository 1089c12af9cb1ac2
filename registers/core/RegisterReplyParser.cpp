// The register reply parser: "$"-separated reply bytes into the register table.
#include "registers/core/RegisterReplyParser.h"

#include <limits>
#include <optional>
#include <string>

#include "toolkit/core/NumberFormat.h"
#include "toolkit/core/SilentAbort.h"

namespace izleme {
namespace {

constexpr std::string_view kReadCodeBytes = "$199$239";

}  // namespace

std::string shortenReadCode(std::string_view text) {
    constexpr std::string_view from = kReadCodeBytes;
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (std::size_t hit = text.find(from); hit != std::string_view::npos; hit = text.find(from, pos)) {
        out.append(text.substr(pos, hit - pos));
        out.append("$3");
        pos = hit + from.size();
    }
    out.append(text.substr(pos));
    return out;
}

namespace {

// Reads the field at the front of rest (the text up to the next "$") as a
// 32-bit integer and removes it with its "$". A field with no "$" after it
// reads as empty and fails.
std::int32_t takeIntegerField(std::string_view& rest) {
    const std::size_t end = rest.find('$');
    const std::string_view field = end == std::string_view::npos ? std::string_view{} : rest.substr(0, end);
    const std::optional<std::int64_t> n = parseInteger(field);
    if (!n || *n < std::numeric_limits<std::int32_t>::min() || *n > std::numeric_limits<std::int32_t>::max()) {
        throw SilentAbort("register reply: field is not an integer");
    }
    rest.remove_prefix(end == std::string_view::npos ? 0 : end + 1);
    return static_cast<std::int32_t>(*n);
}

}  // namespace

void parseRegisterReply(RegisterTable& table, std::string_view text) {
    const int row = table.deviceRow();
    if (!RegisterTable::isValidRow(row)) return;  // no row to write: the reply is skipped

    // Most replies carry no "$199$239": those are read in place.
    std::string shortened;
    std::string_view rest = text;
    if (text.find(kReadCodeBytes) != std::string_view::npos) {
        shortened = shortenReadCode(text);
        rest = shortened;
    }
    if (const std::size_t first = rest.find('$'); first != std::string_view::npos) rest.remove_prefix(first + 1);

    takeIntegerField(rest);  // function code, checked but not used
    const std::int32_t byteCount = takeIntegerField(rest);
    const std::int32_t pairs = byteCount / 2;

    std::optional<std::int32_t> hi;
    std::optional<std::int32_t> lo;
    for (std::int32_t i = 0; i < pairs; ++i) {
        if (!rest.empty()) hi = takeIntegerField(rest);
        if (!rest.empty()) lo = takeIntegerField(rest);
        if (!hi || !lo) return;  // the text ended before the first pair was complete
        const std::int32_t cursor = table.cursor();
        if (!RegisterTable::isValidRegister(cursor)) return;  // end of the row
        // hi * 256 + lo in 32-bit arithmetic, wrapping as the device's integers do.
        const auto value = static_cast<std::int32_t>(
            static_cast<std::uint32_t>(static_cast<std::uint32_t>(*hi) * 256u + static_cast<std::uint32_t>(*lo)));
        table.setValue(row, cursor, static_cast<double>(value));
        table.setByteCell(row, 4 * cursor, *hi);
        table.setByteCell(row, 4 * cursor + 1, *lo);
        table.setCursor(cursor + 1);
    }
}

}  // namespace izleme
