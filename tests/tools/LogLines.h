#pragma once
// The lines of a procedure's log control as the user sees them, each "N) " with its prefix and
// text; empty lines are left out.

#include <vector>

#include "platform/base/String.h"

class CWnd;

std::vector<CString> LogLines(CWnd& log);
