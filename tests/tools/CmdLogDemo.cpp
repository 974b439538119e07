// zdtool log-demo MIRRORFILE: writes a fixed series of log lines of every kind through the
// coloured log control, mirrored to MIRRORFILE, and prints the lines as the control shows
// them, each followed by its colour and weight.

#include <cstdio>
#include <string>

#include "platform/gdi/Geometry.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/Wnd.h"
#include "tests/tools/ZdTool.h"
#include "toolkit/ColorRichEditCtrl.h"

namespace {

struct SDemoLine {
  int kind;
  const char16_t* text;
  bool show;
};

// Every kind, a failure in each kind that turns red and in one that does not, a line for the
// file only, and text beyond ASCII.
const SDemoLine kDemoLines[] = {
    {0, u"Calibration adjustment", true},
    {1, u"Connecting to ZD-2 on COM7:", true},
    {1, u"Reference device FAILED to answer", true},
    {1, u"Retry logged in the file only", false},
    {2, u"Step 1: 1000 N at 0.1 MPa/s", true},
    {2, u"Step 1 failed tolerance check", true},
    {3, u"Error: deviation 2.4 %", true},
    {3, u"Verification passed", true},
    {4, u"Report written", true},
    {5, u"Gr\u00fc\u00dfe \u2013 done", true},
};

std::string Hex(COLORREF color) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X%02X", GetRValue(color), GetGValue(color), GetBValue(color));
  return text;
}

int RunLogDemo(const std::vector<std::string>& args) {
  if (args.size() != 1) {
    std::fprintf(stderr, "usage: zdtool log-demo MIRRORFILE\n");
    return 2;
  }
  std::FILE* mirror = std::fopen(args[0].c_str(), "w");
  if (!mirror) {
    std::fprintf(stderr, "cannot open %s\n", args[0].c_str());
    return 1;
  }
  CUiApplication application;
  CWnd dialog;
  CColorRichEditCtrl log;
  dialog.Create(nullptr, u"log-demo", WS_POPUP, CRect(0, 0, 600, 400), nullptr, 0);
  log.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY, CRect(0, 0, 600, 400), &dialog, 1);
  log.m_pMirrorFile = mirror;
  for (const SDemoLine& line : kDemoLines) log.AddLine(line.kind, line.text, line.show);
  log.m_pMirrorFile = nullptr;
  const bool written = std::fclose(mirror) == 0;

  // Control positions count a line break as one character.
  const CString all = log.GetWindowTextString();
  long start = 0;
  int pos = 0;
  for (CString text = all.Tokenize(u"\r\n", pos); pos >= 0; text = all.Tokenize(u"\r\n", pos)) {
    log.SetSel(start, start + 1);
    CHARFORMAT format;
    log.GetSelectionCharFormat(format);
    std::printf("%s\t#%s%s\n", text.ToUtf8().c_str(), Hex(format.crTextColor).c_str(),
                (format.dwEffects & CFE_BOLD) ? " bold" : "");
    start += text.GetLength() + 1;
  }
  if (!written) {
    std::fprintf(stderr, "cannot write %s\n", args[0].c_str());
    return 1;
  }
  return 0;
}

const ZdCommandRegistrar kLogDemoRegistrar({"log-demo", "MIRRORFILE", &RunLogDemo});

}  // namespace
