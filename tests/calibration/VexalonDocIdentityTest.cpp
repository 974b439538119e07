// The lengths the calibration document accepts for the identity it reads from the instrument.

#include <gtest/gtest.h>

#include "calibration/VexalonDoc.h"
#include "tests/calibration/LiveFixture.h"

namespace {

class CalibrationDocumentIdentity : public LiveFixture {};

TEST_P(CalibrationDocumentIdentity, SerialNumbersAbove16AndRevisionsAbove5CharactersAreUndefined) {
  const struct {
    const char* identity;
    const char16_t* serialNumber;
    const char16_t* hardwareRevision;
  } cases[] = {
      {"ZD-2;B2C4E;VN02-0042-567890;0C000102;1.6.3", u"VN02-0042-567890", u"B2C4E"},
      {"ZD-2;B2C4E6;VN02-0042-567890A;0C000102;1.6.3", u"UNDEF", u"UNDEF"},
  };
  for (const auto& c : cases) {
    m_zd2.SetIdentity(c.identity);
    if (!m_peer) Connect();
    CVexalonDoc document;
    document.Reset();
    document.m_device = m_device.get();
    ASSERT_TRUE(document.ReadDeviceIdentity()) << c.identity;
    EXPECT_EQ(document.m_serialNumber, c.serialNumber) << c.identity;
    EXPECT_EQ(document.m_currentSerialNumber, c.serialNumber) << c.identity;
    EXPECT_EQ(document.m_hardwareRevision, c.hardwareRevision) << c.identity;
    EXPECT_EQ(document.m_currentHardwareRevision, c.hardwareRevision) << c.identity;
  }
}

INSTANTIATE_TEST_SUITE_P(Link, CalibrationDocumentIdentity, ::testing::Values(ELiveLink::eSocket),
                         [](const ::testing::TestParamInfo<ELiveLink>&) { return "Socket"; });

}  // namespace
