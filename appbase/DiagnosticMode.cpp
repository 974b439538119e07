#include "appbase/DiagnosticMode.h"

namespace {

bool& Flag() {
  static bool diagnostic = false;
  return diagnostic;
}

}  // namespace

bool IsDiagnosticMode() { return Flag(); }

void SetDiagnosticMode(bool diagnostic) { Flag() = diagnostic; }
