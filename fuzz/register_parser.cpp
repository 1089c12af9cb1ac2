// Register reply parser over arbitrary reply texts. The first byte picks the
// device row (0: an invalid row, as are rows past 250), the second the register cursor
// (-8..247 with room to run past the row end); the rest is the reply text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "registers/core/RegisterReplyParser.h"
#include "toolkit/core/SilentAbort.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    static izleme::RegisterTable withRow;
    static izleme::RegisterTable withoutRow;  // its device row is always 0, outside the table
    const int row = data[0];
    izleme::RegisterTable& table = row != 0 ? withRow : withoutRow;
    table.setDeviceRow(row);
    const std::int32_t cursor = static_cast<std::int32_t>(data[1]) - 8;
    table.setCursor(cursor);
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
    try {
        izleme::parseRegisterReply(table, text);
    } catch (const izleme::SilentAbort&) {
    }
    // The cursor only moves forward, and only when a row could be written.
    const bool writable = row != 0 && izleme::RegisterTable::isValidRow(row);
    if (table.cursor() < cursor || (!writable && table.cursor() != cursor)) std::abort();
    if (table.cursor() > cursor && (cursor < 0 || table.cursor() > izleme::kRegisterCount)) std::abort();
    return 0;
}
