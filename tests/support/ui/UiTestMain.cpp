#include "tests/support/TestEnvironment.h"
#include "tests/support/ui/UnscriptedAnswers.h"

int main(int argc, char** argv) {
  CUnscriptedAnswers unscripted;
  return RunTestProgram(argc, argv);
}
