#include "tests/support/TestEnvironment.h"

int main(int argc, char** argv) { return RunTestProgram(argc, argv); }
