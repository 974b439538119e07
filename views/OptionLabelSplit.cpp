#include "views/OptionLabelSplit.h"

void SplitOptionLabel(const CString& label, int charsPerLine, CString& first, CString& second) {
  first = label;
  second.Empty();
  if (label.GetLength() <= charsPerLine) return;
  int split = 0;
  for (int blank = label.Find(u' '); blank >= 0; blank = label.Find(u' ', split)) {
    split = blank + 1;
    if (split >= charsPerLine) break;
  }
  if (split == 0) split = charsPerLine;
  first = label.Left(split);
  second = label.Mid(split);
}
