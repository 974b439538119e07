#include <gtest/gtest.h>

#include <vector>

#include "platform/io/HidReportDescriptor.h"

// Expected lengths are counted by hand from the items: bits = report size × report count,
// summed per report id and kind; the length is the longest report in whole bytes plus the
// report id byte.
TEST(HidReportDescriptor, ReportLengthsAsTheClassApiCountsThem) {
  struct Case {
    const char* what;
    std::vector<BYTE> descriptor;
    int input;
    int feature;
    bool numbered;
  };
  const Case cases[] = {
      {"one unnumbered input and feature report",
       {0x06, 0x00, 0xFF,  // usage page, vendor defined
        0x09, 0x01,        // usage
        0xA1, 0x01,        // collection (application)
        0x15, 0x00,        // logical minimum 0
        0x26, 0xFF, 0x00,  // logical maximum 255
        0x75, 0x08,        // report size 8
        0x95, 0x10,        // report count 16
        0x09, 0x01,        // usage
        0x81, 0x02,        // input: 16 bytes
        0x95, 0x3F,        // report count 63
        0x09, 0x02,        // usage
        0xB1, 0x02,        // feature: 63 bytes
        0xC0},             // end collection
       17,
       64,
       false},
      {"numbered reports: the longest of each kind counts",
       {0x75, 0x08, 0x85, 0x01, 0x95, 0x07, 0x81, 0x02,  // input id 1: 7 bytes
        0x85, 0x02, 0x95, 0x03, 0x81, 0x02,              // input id 2: 3 bytes
        0x85, 0x03, 0x95, 0x20, 0xB1, 0x02},             // feature id 3: 32 bytes
       8,
       33,
       true},
      {"push and pop keep the globals around a field",
       {0x75, 0x08, 0x95, 0x04,                          // 4 fields of 8 bits
        0xA4, 0x75, 0x10, 0x95, 0x02, 0x81, 0x02, 0xB4,  // pushed: 2 fields of 16 bits
        0x81, 0x02},                                     // popped: 4 fields of 8 bits
       9,
       0,
       false},
      {"odd bit counts round up to whole bytes",
       {0x75, 0x01, 0x95, 0x0C, 0xB1, 0x02},  // feature: 12 bits
       0,
       3,
       false},
      {"a truncated item ends the descriptor", {0x75, 0x08, 0x95, 0x02, 0x81, 0x02, 0x26, 0xFF}, 3, 0, false},
  };
  for (const auto& c : cases) {
    const SHidReportLayout layout = ParseHidReportDescriptor(c.descriptor.data(), int(c.descriptor.size()));
    EXPECT_EQ(layout.caps.inputReportLength, c.input) << c.what;
    EXPECT_EQ(layout.caps.featureReportLength, c.feature) << c.what;
    EXPECT_EQ(layout.numberedReports, c.numbered) << c.what;
  }
}
