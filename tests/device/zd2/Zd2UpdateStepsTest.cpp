#include <gtest/gtest.h>

#include <vector>

#include "device/Callback.h"
#include "device/PackageHeader.h"
#include "tests/device/StepLog.h"
#include "tests/device/zd2/Zd2Fixture.h"

namespace {

class Zd2UpdateSteps : public Zd2Test {};

// The erase step switches the instrument to service mode, clears it with five service strings
// and erases its memory.
TEST_P(Zd2UpdateSteps, EraseStepGoesThroughServiceMode) {
  Connect();
  CStepLog log;
  ASSERT_TRUE(Device().SetCallback(&log));
  Device().SetStepSuffix(u" [1/2]");
  EXPECT_EQ(Device().UpdateInit(Device::CPackageHeader()), 0);
  EXPECT_EQ(Device().GetProtocolState(), 3);
  EXPECT_EQ(
      Received(),
      "<C1><D2><01>SC030000FC<0D><0A>SC030000FC<0D><0A>SC030000FC<0D><0A>SC030000FC<0D><0A>SC030000FC<0D><0A>"
      "SC030102F9<0D><0A>SE030000FC<0D><0A>");
  ASSERT_EQ(log.texts.size(), 2u);
  EXPECT_EQ(log.texts[0], CString(u"Do device specific initializations."));
  EXPECT_EQ(log.texts[1], CString(u"Erase Memory [1/2]"));
  EXPECT_EQ(log.progress, (std::vector<int>{1, 1001}));
  Device().DetachCallback();
}

// After an update the instrument leaves service mode, identifies itself again and has both of
// its calibration copies checked; a missing factory copy is written from the one in use.
TEST_P(Zd2UpdateSteps, CalibrationCheckAfterTheUpdate) {
  m_zd2.SetFactoryCopy({});
  Connect();
  EXPECT_EQ(Device().UpdateFinish(), 0);
  EXPECT_EQ(Device().GetProtocolState(), 8);
  EXPECT_EQ(
      Received(),
      "SC030102F9<0D><0A>SX030000FC<0D><0A><10>@ID@<0D><C4><C1><E3><C4><C1><E1><C4><C1><D1><C4><C1><E2>");
  // The copy takes segment 1 (and the offsets) of the calibration in use.
  const Bytes copy = m_zd2.FactoryCopy();
  const Bytes memory = m_zd2.InfoMemory();
  EXPECT_EQ(Bytes(copy.begin(), copy.begin() + 64), Bytes(memory.begin(), memory.begin() + 64));
}

TEST_P(Zd2UpdateSteps, StepsWithoutWorkAndTheSharedModeStep) {
  Connect();
  const Device::CPackageHeader header;
  const Device::SBlockRecord record;
  EXPECT_EQ(Device().UpdateSetMode(header, record), 0);
  EXPECT_EQ(Device().UpdateWriteDataBlock(record), 0);
  EXPECT_EQ(Device().UpdateSetRunMode(header, record), 0);
  // Without a package stream there is nothing to transfer.
  EXPECT_EQ(Device().UpdateWriteData(record), 1);
  EXPECT_EQ(Received(), "");
}

ZD2_ON_BOTH_LINKS(Zd2UpdateSteps);

}  // namespace
