#pragma once
// CRichEditCtrl over the toolkit's rich-text editor: text in runs of colour, weight and face.
// Character positions count a line break as one character, as the platform's rich edit
// does. The control may be driven from worker threads; the work runs on the UI thread.

#include "platform/ui/Wnd.h"

constexpr DWORD CFM_BOLD = 0x00000001;
constexpr DWORD CFM_ITALIC = 0x00000002;
constexpr DWORD CFM_UNDERLINE = 0x00000004;
constexpr DWORD CFM_STRIKEOUT = 0x00000008;
constexpr DWORD CFM_SIZE = 0x80000000;
constexpr DWORD CFM_COLOR = 0x40000000;
constexpr DWORD CFM_FACE = 0x20000000;
constexpr DWORD CFE_BOLD = 0x00000001;
constexpr DWORD CFE_ITALIC = 0x00000002;
constexpr DWORD CFE_UNDERLINE = 0x00000004;
constexpr DWORD CFE_STRIKEOUT = 0x00000008;
constexpr DWORD CFE_AUTOCOLOR = 0x40000000;

struct CHARFORMAT {
  UINT cbSize = sizeof(CHARFORMAT);
  DWORD dwMask = 0;
  DWORD dwEffects = 0;
  LONG yHeight = 0;  // twips
  LONG yOffset = 0;
  COLORREF crTextColor = 0;
  BYTE bCharSet = 0;
  BYTE bPitchAndFamily = 0;
  WCHAR szFaceName[32] = {};
};
using CHARFORMAT2 = CHARFORMAT;

class CRichEditCtrl : public CWnd {
 public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

  // start -1 puts the caret at the end; end -1 means the end of the text.
  void SetSel(long start, long end);
  void ReplaceSel(LPCTSTR text, BOOL canUndo = FALSE);
  // The format at the selection; the mask says which members are filled.
  DWORD GetSelectionCharFormat(CHARFORMAT& format) const;
  // Applies the masked members to the selection, or to text typed next when it is empty.
  BOOL SetSelectionCharFormat(CHARFORMAT& format);

  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  std::unique_ptr<WndWidget> CreateWidget(CWnd* parent) override;
};
