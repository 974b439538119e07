#include "tests/tools/BoxLines.h"

#include <cstdio>

#include "platform/ui/MessageBox.h"
#include "tests/tools/EscapedText.h"

namespace {

const char* IconName(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONERROR:
      return "error";
    case MB_ICONQUESTION:
      return "question";
    case MB_ICONEXCLAMATION:
      return "exclamation";
    case MB_ICONINFORMATION:
      return "information";
    default:
      return "none";
  }
}

}  // namespace

std::string BoxLine(UINT type, const CString& text) {
  return std::string("box=") + IconName(type) + "|" + EscapedText(text);
}

void PrintMessageBoxes(const std::vector<CScriptedAnswers::SShownMessageBox>& boxes) {
  for (const auto& box : boxes) std::printf("%s\n", BoxLine(box.type, box.text).c_str());
}
