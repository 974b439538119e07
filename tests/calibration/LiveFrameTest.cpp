#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calibration/LiveFrameAssembler.h"
#include "calibration/LiveSample.h"

namespace {

// Feeds the text and decodes every complete frame with the firmware version.
std::vector<SLiveSample> DecodeAll(const std::string& text, const char16_t* firmware) {
  CLiveFrameAssembler assembler;
  SLiveSample sample;
  std::vector<SLiveSample> decoded;
  for (char ch : text) {
    BYTE bytes[4];
    if (!assembler.Feed(BYTE(ch)) || !assembler.GetFrameBytes(bytes)) continue;
    ++sample.sampleNumber;
    sample.Decode(bytes[0], bytes[1], bytes[2], bytes[3], firmware);
    decoded.push_back(sample);
  }
  return decoded;
}

struct SBandCase {
  const char16_t* firmware;
  BYTE bytes[4];
  int force, current, counter, driveState;
};

class LiveSampleBands : public ::testing::TestWithParam<SBandCase> {};

TEST_P(LiveSampleBands, DecodesTheFieldsOfItsFirmwareBand) {
  const SBandCase& c = GetParam();
  SLiveSample sample;
  sample.counter = 77;
  sample.current = 66;
  sample.Decode(c.bytes[0], c.bytes[1], c.bytes[2], c.bytes[3], c.firmware);
  EXPECT_EQ(sample.force, c.force);
  EXPECT_EQ(sample.current, c.current);
  EXPECT_EQ(sample.counter, c.counter);
  EXPECT_EQ(sample.driveState, c.driveState);
  EXPECT_EQ(sample.sampleNumber, 0);
}

// Worked by hand: W1 = b0 b1, W2 = b2 b3.
INSTANTIATE_TEST_SUITE_P(
    Frames, LiveSampleBands,
    ::testing::Values(
        // 0x0BB8 = 3000 N; W2 = 0x0001: current 1, state 0.
        SBandCase{u"1.4.8", {0x0B, 0xB8, 0x00, 0x01}, 3000, 1, 77, 0},
        SBandCase{u"1.3.3", {0x0B, 0xB8, 0x00, 0x01}, 3000, 1, 77, 0},
        // Oldest band: (0x0BB8 & 0xFFF) x 10 = 30000 N; current the whole W2; state from b0.
        SBandCase{u"1.3.2", {0x0B, 0xB8, 0x00, 0x01}, 30000, 1, 77, 0},
        // 0x38 0x05: bit 11 set, so counter 5; state (0x38 >> 4) & 7 = 3; current kept.
        SBandCase{u"1.4.8", {0x00, 0x10, 0x38, 0x05}, 16, 66, 5, 3},
        // 0x30 0x05: current 5, state 3, counter kept.
        SBandCase{u"1.4.8", {0x00, 0x10, 0x30, 0x05}, 16, 5, 77, 3},
        // Bit 15 ignored: 0xB0 gives state 3.
        SBandCase{u"1.5.0", {0xFF, 0xFF, 0xB7, 0xFF}, 65535, 0x7FF, 77, 3},
        // 1.3.3 band: 12-bit current 0x7FF... from 0x3FFF is 0xFFF, state 3.
        SBandCase{u"1.4.7", {0x01, 0x00, 0x3F, 0xFF}, 256, 0xFFF, 77, 3},
        // Versions compare as numbers: 1.10.0 lies above 1.4.8.
        SBandCase{u"1.10.0", {0x00, 0x10, 0x38, 0x05}, 16, 66, 5, 3},
        // An unparsable version selects the oldest band: state from b0 = 0x20 -> 2.
        SBandCase{u"", {0x20, 0x64, 0x12, 0x34}, 1000, 0x1234, 77, 2}));

TEST(LiveFrameAssembler, DecodesFramesEndedByTheNextTagLetter) {
  // Bytes before the first tag letter are ignored; the last frame has no tag letter after it.
  const auto samples = DecodeAll("xyz0B5\r\na0BB80001b0BB83005c0BB83805d0BB8", u"1.4.8");
  ASSERT_EQ(samples.size(), 3u);
  EXPECT_EQ(samples[0].current, 1);
  EXPECT_EQ(samples[1].current, 5);
  EXPECT_EQ(samples[2].counter, 5);
  EXPECT_EQ(samples[2].sampleNumber, 3);
}

TEST(LiveFrameAssembler, AShortFrameLosesTheFrameItsTagLetterBegins) {
  // Seven digits, then a frame that is lost with it; decoding resumes at the tag after that.
  const auto samples = DecodeAll("a0BB8000b00100001c00200002d", u"1.4.8");
  ASSERT_EQ(samples.size(), 1u);
  EXPECT_EQ(samples[0].force, 0x20);
}

TEST(LiveFrameAssembler, NineCharactersWithoutATagLetterLoseTheSynchronisation) {
  // The frame after 'a' runs to nine characters; the '0' after them is dropped and the 'b'
  // begins the next frame.
  const auto samples = DecodeAll("a0BB80001000b00100001c00200002d", u"1.4.8");
  ASSERT_EQ(samples.size(), 2u);
  EXPECT_EQ(samples[0].force, 0x10);
  EXPECT_EQ(samples[1].force, 0x20);
}

TEST(LiveFrameAssembler, UpperCaseLettersAreDigitsAndLowerCaseOnesEndTheFrame) {
  // 'A' to 'D' are no tags: the frame decodes to 0xABCD. A lower-case 'b' inside a frame ends
  // it early and costs the next frame too.
  EXPECT_EQ(DecodeAll("aABCD0001b", u"1.4.8").at(0).force, 0xABCD);
  const auto samples = DecodeAll("a0BB8000b00100001c00300003d", u"1.4.8");
  ASSERT_EQ(samples.size(), 1u);
  EXPECT_EQ(samples[0].force, 0x30);
}

TEST(LiveFrameAssembler, AFrameWithANonHexadecimalCharacterIsDroppedAndNotCounted) {
  CLiveFrameAssembler assembler;
  const std::string text = "a0BX80001b00100001c";
  int complete = 0, usable = 0;
  for (char ch : text) {
    BYTE bytes[4];
    if (!assembler.Feed(BYTE(ch))) continue;
    ++complete;
    if (assembler.GetFrameBytes(bytes)) ++usable;
  }
  EXPECT_EQ(complete, 2);
  EXPECT_EQ(usable, 1);
  EXPECT_EQ(assembler.GetFrameText(), "00100001c");
  const auto samples = DecodeAll(text, u"1.4.8");
  ASSERT_EQ(samples.size(), 1u);
  EXPECT_EQ(samples[0].sampleNumber, 1);
  EXPECT_EQ(samples[0].force, 0x10);
}

}  // namespace
