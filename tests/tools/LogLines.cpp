#include "tests/tools/LogLines.h"

#include "platform/ui/Wnd.h"

std::vector<CString> LogLines(CWnd& log) {
  std::vector<CString> lines;
  const CString text = log.GetWindowTextString();
  int start = 0;
  while (start < text.GetLength()) {
    int end = text.Find(u'\n', start);
    if (end < 0) end = text.GetLength();
    CString line = text.Mid(start, end - start);
    line.TrimRight(u'\r');
    if (!line.IsEmpty()) lines.push_back(line);
    start = end + 1;
  }
  return lines;
}
