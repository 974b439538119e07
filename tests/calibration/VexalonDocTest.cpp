#include <gtest/gtest.h>

#include "calibration/VexalonDoc.h"
#include "tests/calibration/LiveFixture.h"

namespace {

class CalibrationDocument : public LiveFixture {
 protected:
  CVexalonDoc m_doc;
};

TEST_P(CalibrationDocument, ResetForgetsTheIdentityAndReadsItFromTheInstrument) {
  m_doc.Reset();
  EXPECT_EQ(m_doc.m_firmwareVersion, u"Unknown");
  EXPECT_EQ(m_doc.m_newCalibrator, u"--");
  EXPECT_EQ(m_doc.m_lifetimeCounter, -1);
  EXPECT_FALSE(m_doc.ReadDeviceIdentity()) << "no device";
  EXPECT_EQ(m_doc.m_deviceName, u"Unknown");

  m_zd2.SetIdentity("ZD-2;B2;VN02-0042;0C000102;1.6.3");
  m_zd2.SetQueryAnswer("@EN@", "PCB-77");
  m_zd2.SetQueryAnswer("@CD@", "2026-11-30");
  m_zd2.SetQueryAnswer("@CI@", "Jane Roe");
  // Eight hexadecimal characters, the first pair least significant: 0x00012345.
  m_zd2.SetQueryAnswer("@CA@", "45230100");
  // The calibration counter's query fails and leaves its value.
  m_zd2.SetQueryAnswer("@CB@", "?");
  Connect();
  m_doc.m_device = m_device.get();
  ASSERT_TRUE(m_doc.ReadDeviceIdentity());
  EXPECT_EQ(m_doc.m_deviceName, u"ZD-2");
  EXPECT_EQ(m_doc.m_firmwareVersion, u"1.6.3");
  EXPECT_EQ(m_doc.m_serialNumber, u"VN02-0042");
  EXPECT_EQ(m_doc.m_hardwareRevision, u"B2");
  EXPECT_EQ(m_doc.m_signature, u"0C000102");
  EXPECT_EQ(m_doc.m_pcbSerialNumber, u"PCB-77");
  EXPECT_EQ(m_doc.m_calibrator, u"Jane Roe");
  EXPECT_EQ(m_doc.m_lifetimeCounter, 0x12345);
  EXPECT_EQ(m_doc.m_calibrationCounter, -1);
  EXPECT_EQ(m_doc.m_newLifetimeCounter, 0x12345);
  EXPECT_EQ(m_doc.m_newCalibrationDate, u"2026-11-30");
  EXPECT_EQ(m_doc.m_currentPcbSerialNumber, u"PCB-77");
  EXPECT_EQ(m_doc.m_currentHardwareRevision, u"B2");

  m_doc.AddError(u"Failed to set timeouts.");
  EXPECT_EQ(m_doc.TakeErrors(), std::vector<CString>{u"Failed to set timeouts."});
  EXPECT_TRUE(m_doc.TakeErrors().empty());
  m_doc.AddError(u"Failed to set read addresses.");
  m_doc.Reset();
  EXPECT_TRUE(m_doc.TakeErrors().empty());
  EXPECT_EQ(m_doc.m_serialNumber, u"Unknown");
}

INSTANTIATE_TEST_SUITE_P(Link, CalibrationDocument, ::testing::Values(ELiveLink::eSocket),
                         [](const ::testing::TestParamInfo<ELiveLink>&) { return "Socket"; });

}  // namespace
