// The device record fill: a "cihazenerji" record into the value table.
#include "registers/core/DeviceRecordFill.h"

#include <algorithm>
#include <optional>

#include "toolkit/core/NumberFormat.h"
#include "toolkit/core/SilentAbort.h"

namespace izleme {
namespace {

constexpr int kMaxPasses = 201;
constexpr std::size_t kEntryWidth = 8;
constexpr std::size_t kMinEntries = 45;
constexpr std::size_t kRowEntry = 43;
constexpr std::size_t kHourlyFirst = 30;  // entries 30..41 are stored divided by 3600
constexpr std::size_t kHourlyLast = 41;

std::string_view takeFront(std::string_view& rest, std::size_t n) {
    const std::string_view front = rest.substr(0, std::min(n, rest.size()));
    rest.remove_prefix(front.size());
    return front;
}

}  // namespace

std::vector<std::string> deviceRecordEntries(std::string_view record, char decimalSeparator) {
    std::vector<std::string> entries;
    if (record.empty() || record.front() != '$') return entries;
    std::string_view rest = record;
    for (int pass = 0; pass < kMaxPasses && !rest.empty(); ++pass) {
        takeFront(rest, 1);  // the "$" before each entry
        const std::string_view type = takeFront(rest, 1);
        const std::string_view chars = takeFront(rest, kEntryWidth);
        if (type == "1") {
            entries.emplace_back(chars);
        } else if (type == "0") {
            std::string entry(chars.substr(0, std::min<std::size_t>(5, chars.size())));
            entry += decimalSeparator;
            if (chars.size() > 5) entry.append(chars.substr(5));
            entries.push_back(std::move(entry));
        }
    }
    return entries;
}

void fillDeviceRecord(RegisterTable& table, std::string_view record, char decimalSeparator) {
    const std::vector<std::string> entries = deviceRecordEntries(record, decimalSeparator);
    if (entries.size() < kMinEntries) return;

    const std::string_view rowText = std::string_view(entries[kRowEntry]).substr(0, 5);
    const std::optional<std::int64_t> row = parseInteger(rowText);
    if (!row) throw SilentAbort("device record: row is not an integer");
    if (*row < 1 || *row > kDeviceRowCount) return;  // no such row: nothing stored
    const int target = static_cast<int>(*row);

    const std::size_t count = std::min<std::size_t>(entries.size(), kRegisterCount);
    for (std::size_t j = 0; j < count; ++j) {
        std::optional<double> v = parseNumber(entries[j], decimalSeparator);
        if (!v) throw SilentAbort("device record: entry is not a number");
        if (j >= kHourlyFirst && j <= kHourlyLast) *v /= 3600.0;
        table.setValue(target, static_cast<int>(j), *v);
    }
}

}  // namespace izleme
