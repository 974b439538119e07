#pragma once
// Checks, when a test ends, that it gave back what the UI layer keeps for the whole process and
// the test may change: the emulated system (version, desktop theme, palette display) and the
// current resource module. What a test left changed fails it and is put back, so that the
// tests after it find the defaults whether they run in the same process or not.

#include <gtest/gtest.h>

#include "platform/res/ResourceLookup.h"
#include "tests/support/ui/EmulatedSystemOverride.h"

class CUiLayerStateCheck : public ::testing::EmptyTestEventListener {
 public:
  void OnTestStart(const ::testing::TestInfo& test) override;
  void OnTestEnd(const ::testing::TestInfo& test) override;

 private:
  SEmulatedSystem m_system;
  HMODULE m_resources = nullptr;
};
