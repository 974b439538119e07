#include "tests/tools/BoxLines.h"

#include <cstdio>

#include "platform/ui/MessageBox.h"

namespace {

const char* IconName(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONERROR:
      return "error";
    case MB_ICONQUESTION:
      return "question";
    case MB_ICONWARNING:
      return "warning";
    case MB_ICONINFORMATION:
      return "information";
    default:
      return "none";
  }
}

}  // namespace

void PrintMessageBoxes(const std::vector<CScriptedAnswers::SShownMessageBox>& boxes) {
  for (const auto& box : boxes) {
    CString text = box.text;
    text.Replace(u"\r", u"\\r");
    text.Replace(u"\n", u"\\n");
    std::printf("box=%s|%s\n", IconName(box.type), text.ToUtf8().c_str());
  }
}
