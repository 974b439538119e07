#pragma once
// The coloured log that the calibration procedures write to, in a window of its own, and the
// file its lines may be mirrored to.

#include <string>

#include "platform/ui/Wnd.h"
#include "toolkit/ColorRichEditCtrl.h"

class CLogWindow {
 public:
  ~CLogWindow();
  bool Create();
  // From now on every line also goes to a new file at `path`.
  bool MirrorTo(const std::string& path);
  // What the mirror file holds so far.
  std::string MirroredText();

  CColorRichEditCtrl log;

 private:
  CWnd m_parent;
  std::string m_path;
};
