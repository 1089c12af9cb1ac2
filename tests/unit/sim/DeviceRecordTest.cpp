// The "cihazenerji" device record read back by the client's record fill and
// register readings.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "registers/core/DeviceRecordFill.h"
#include "registers/core/RegisterReadings.h"
#include "sim/core/RegisterReply.h"
#include "sim/core/Replies.h"

namespace izleme::sim {
namespace {

// Registers 0..44 whose pairs 30..41 hold the given signed values.
std::vector<std::uint16_t> registersWithPairs(const std::vector<std::int64_t>& pairs) {
    std::vector<std::uint16_t> r;
    for (std::uint16_t i = 0; i < 30; ++i) r.push_back(static_cast<std::uint16_t>(2300 + i));
    for (std::int64_t v : pairs) appendPair(r, v);
    for (std::uint16_t v : {7, 0, 12345}) r.push_back(v);  // 42, 43 (the row takes it), 44
    return r;
}

TEST(DeviceRecord, PairsOfRegisters30To41ReadBackExactlyUnderEitherSeparator) {
    // Cos values (S16) and total powers (S32) as the relay sends them: the
    // large and the negative ones do not fit eight digits once times 3600.
    const std::vector<std::vector<std::int64_t>> cases = {
        {980, -500, 1000, 1'800'000, 0, -200'000},
        {-1, 27'778, 65'535, -1'800'000, 123'456'789, 2'147'483'647},
        {0, 0, 0, -2'147'483'647 - 1, 65'536, -65'537},
    };
    for (const auto& pairs : cases) {
        const auto regs = registersWithPairs(pairs);
        const std::string record = deviceRecord(regs, 7);
        ASSERT_EQ(record.size(), 45u * 10u);
        for (char sep : {'.', ','}) {
            SCOPED_TRACE(std::string(1, sep) + " " + std::to_string(pairs[1]));
            RegisterTable t;
            fillDeviceRecord(t, record, sep);
            for (int j = 0; j < 30; ++j) EXPECT_EQ(t.value(7, j), regs[static_cast<std::size_t>(j)]) << j;
            EXPECT_EQ(t.value(7, 44), 12345);
            for (std::size_t k = 0; k < pairs.size(); ++k) {
                const int reg = 30 + 2 * static_cast<int>(k);
                EXPECT_EQ(pairReading(t.values(7), reg, PairCode::S32), pairs[k]) << reg;
                EXPECT_EQ(pairReading(t.values(7), reg, PairCode::S16), static_cast<std::int16_t>(pairs[k] & 0xFFFF)) << reg;
            }
            EXPECT_TRUE(t.value(1, 0) < 0) << "only the named row is written";
        }
    }
}

}  // namespace
}  // namespace izleme::sim
