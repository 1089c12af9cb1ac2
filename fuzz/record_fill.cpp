// Device record fill over arbitrary records, then the instantaneous values of
// the rows it may have written. The first byte picks the decimal separator
// (even: ".", odd: ","); the rest is the record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "registers/core/DeviceRecordFill.h"
#include "registers/core/InstantValues.h"
#include "toolkit/core/SilentAbort.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    static izleme::RegisterTable table;
    const char separator = (data[0] & 1) ? ',' : '.';
    const std::string_view record(reinterpret_cast<const char*>(data + 1), size - 1);
    try {
        izleme::fillDeviceRecord(table, record, separator);
    } catch (const izleme::SilentAbort&) {
    }
    if (izleme::deviceRecordEntries(record, separator).size() > 201) std::abort();
    // Whatever was stored must display without failing.
    for (int row : {1, 7, 250}) {
        for (const izleme::DisplayText& d : izleme::instantValues(table, row, separator)) {
            if (d.text.empty()) std::abort();
        }
    }
    return 0;
}
