// The waveform reader: the byte fields of a reply become signed samples, and
// the shared sample buffers take what a reply reaches.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/core/Waveform.h"

namespace izleme {
namespace {

const std::string kEnd = "\xF4\xF4\xF4";

// A reply text after its 11-byte head: address, function, byte count, then
// every byte as a decimal number closed by "$", then the terminator.
std::string reply(const std::vector<int>& bytes, const std::string& tail = kEnd) {
    std::string s = "1$3$" + std::to_string(bytes.size()) + "$";
    for (int b : bytes) s += std::to_string(b) + "$";
    return s + tail;
}

TEST(WaveformReader, ByteValuesStandForSignedBytes) {
    const WaveformRead r = readWaveform(reply({0, 1, 127, 128, 200, 255}));
    EXPECT_FALSE(r.broken);
    EXPECT_EQ(r.samples, (std::vector<int>{0, 1, 127, -128, -56, -1}));
}

TEST(WaveformReader, LeadingFieldsAreSkippedWhateverTheyHold) {
    // The three leading fields are never read as numbers.
    EXPECT_EQ(readWaveform("x$y$$5$6$" + kEnd).samples, (std::vector<int>{5, 6}));
    // Without three "$" there is nothing to read.
    EXPECT_TRUE(readWaveform("1$3$").samples.empty());
    EXPECT_TRUE(readWaveform("").samples.empty());
    EXPECT_TRUE(readWaveform("7").samples.empty());
}

TEST(WaveformReader, ThePair199And239BecomesThree) {
    const WaveformRead r = readWaveform(reply({10, 199, 239, 20, 199, 5}));
    EXPECT_FALSE(r.broken);
    // Every later sample moves one position earlier; 199 alone stays -57.
    EXPECT_EQ(r.samples, (std::vector<int>{10, 3, 20, -57, 5}));
}

// What ends the samples: the message's own end is clean; a field before a "$"
// that is not a byte value breaks the reply, and the samples after it are not read.
TEST(WaveformReader, EndsOfTheSamples) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<int> samples;
        bool broken;
    };
    const Case cases[] = {
        {"terminator", reply({1, 2}), {1, 2}, false},
        {"nothing after the last $", reply({1, 2}, ""), {1, 2}, false},
        {"one character after the last $", reply({1, 2}, "9"), {1, 2}, false},
        {"a cut-off field", reply({1, 2}, "12"), {1, 2}, false},
        {"a letter in the middle", "1$3$8$1$2$x$4$" + kEnd, {1, 2}, true},
        {"an empty field", "1$3$8$1$$4$" + kEnd, {1}, true},
        {"a value above a byte", "1$3$8$1$256$4$" + kEnd, {1}, true},
        {"a negative value", "1$3$8$1$-3$4$" + kEnd, {1}, true},
        {"a decimal number", "1$3$8$1$2,5$4$" + kEnd, {1}, true},
    };
    for (const Case& c : cases) {
        const WaveformRead r = readWaveform(c.text);
        EXPECT_EQ(r.samples, c.samples) << c.name;
        EXPECT_EQ(r.broken, c.broken) << c.name;
    }
}

TEST(SampleBuffers, ACompleteReplyFillsVoltageCurrentAndCheckBytes) {
    std::vector<int> bytes;
    for (int i = 0; i < 128; ++i) bytes.push_back(i < 64 ? i : 255 - (i - 64));
    bytes.push_back(17);  // check bytes
    bytes.push_back(42);
    const WaveformRead r = readWaveform(reply(bytes));
    ASSERT_FALSE(r.broken);
    ASSERT_EQ(r.samples.size(), 130u);
    SampleBuffers b;
    b.store(r.samples);
    EXPECT_EQ(b.voltage[0], 0);
    EXPECT_EQ(b.voltage[63], 63);
    EXPECT_EQ(b.current[0], -1);
    EXPECT_EQ(b.current[63], -64);
    EXPECT_EQ(b.current[64], 17);
    EXPECT_EQ(b.current[65], 42);
    EXPECT_EQ(b.voltage[64], 0);  // never written
    EXPECT_EQ(b.voltage[65], 0);
}

TEST(SampleBuffers, AShortReplyLeavesThePositionsItDoesNotReach) {
    SampleBuffers b;
    b.store(std::vector<int>(130, 9));
    b.store({1, 2, 3});
    EXPECT_EQ(b.voltage[0], 1);
    EXPECT_EQ(b.voltage[2], 3);
    EXPECT_EQ(b.voltage[3], 9);
    EXPECT_EQ(b.current[0], 9);
    // Samples past the check bytes are not stored anywhere.
    std::vector<int> many(140, 5);
    b.store(many);
    EXPECT_EQ(b.current[65], 5);
}

}  // namespace
}  // namespace izleme
