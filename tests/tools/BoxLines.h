#pragma once
// The message boxes a command met, printed one a line as "box=ICON|TEXT" (line breaks of the
// text as "\n").

#include <vector>

#include "platform/ui/ScriptedAnswers.h"

void PrintMessageBoxes(const std::vector<CScriptedAnswers::SShownMessageBox>& boxes);
