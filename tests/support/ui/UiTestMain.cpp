#include <gtest/gtest.h>

#include "tests/support/TestEnvironment.h"
#include "tests/support/ui/UiLayerStateCheck.h"
#include "tests/support/ui/UnscriptedAnswers.h"

int main(int argc, char** argv) {
  CUnscriptedAnswers unscripted;
  ::testing::UnitTest::GetInstance()->listeners().Append(new CUiLayerStateCheck);
  return RunTestProgram(argc, argv);
}
