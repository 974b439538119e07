#include <gtest/gtest.h>

#include "calibration/TempLogHeader.h"
#include "calibration/VexalonDoc.h"
#include "platform/base/LocalTime.h"

namespace {

TEST(TempLogHeader, ReportHeaderAndDeviceBlockWithPlainLineEndsAndTabs) {
  CVexalonDoc doc;
  doc.Reset();
  doc.m_deviceName = u"ZD-2";
  doc.m_serialNumber = u"VN02-123-4567";
  doc.m_pcbSerialNumber = u"PCB-9";
  doc.m_lifetimeCounter = 305419896;
  doc.m_calibrationCounter = 0;
  const CString header = BuildTempLogHeader(doc, true);
  EXPECT_EQ(header.Find(u'\r'), -1);
  EXPECT_EQ(header.Find(u'\v'), -1);
  EXPECT_EQ(header.Left(3), CString(u"1\n\n")) << "the header's prefix line first";
  EXPECT_NE(header.Find(u" Calibration\n"), -1);
  EXPECT_NE(header.Find(u"Serial Number:"), -1);
  EXPECT_NE(header.Find(u"\nPCB Serial Number:\tPCB-9\nLifetime Counter:\t305419896\nCalibration Counter:\t0\n"), -1)
      << header.ToUtf8();
  EXPECT_EQ(header.Right(2), CString(u"\n\n")) << "the device block ends with an empty line";
  EXPECT_NE(BuildTempLogHeader(doc, false).Find(u" Verification\n"), -1);
}

}  // namespace
