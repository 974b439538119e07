#pragma once
// Message boxes as zdtool prints them, one a line: "box=ICON|TEXT", ICON one of error,
// question, exclamation, information or none, and the text escaped as EscapedText writes it.

#include <string>
#include <vector>

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"
#include "platform/ui/ScriptedAnswers.h"

std::string BoxLine(UINT type, const CString& text);
void PrintMessageBoxes(const std::vector<CScriptedAnswers::SShownMessageBox>& boxes);
