#pragma once
// CColorRichEditCtrl: the progress log of the calibration procedures. Each line is numbered,
// coloured, weighted and indented by its kind; failures show in red. Lines may also go to a
// mirror file that the owner opens, sets, clears and closes; the control never opens or
// closes it. Screen and file lines are numbered separately, so a line written to the file
// only takes a file number and no screen number.

#include <cstdio>

#include "platform/base/String.h"
#include "platform/ui/RichEditCtrl.h"

// The kinds of line: a heading (blue, bold), a status line ("...", red when it tells of a
// failure), a detail line ("......"), a result (green and bold, red on failure) and a word to
// the operator ("...", purple and bold).
enum NLogLineKind : int {
  kHeadingLine = 0,
  kStatusLine = 1,
  kDetailLine = 2,
  kResultLine = 3,
  kUserLine = 4
};

class CColorRichEditCtrl : public CRichEditCtrl {
 public:
  // Appends one line of the kind (NLogLineKind); `show` puts it on
  // the screen as well as in the mirror file.
  void AddLine(int kind, const CString& text, bool show);
  // Appends the text at the end in the colour and weight, then scrolls to the bottom.
  void AppendFormatted(const CString& text, COLORREF color, bool bold);

  int m_nScreenLines = 0;  // lines shown so far
  int m_nFileLines = 0;    // lines written to the mirror file so far
  // The owner's open file, written as UTF-8 text; the owner clears it before closing the file.
  std::FILE* m_pMirrorFile = nullptr;

 private:
  void AddLineHere(int kind, const CString& text, bool show);
};
