#pragma once
// CToolBar: a row of command buttons with pictures from image lists, loaded from a tool-bar
// resource, docked in a frame's dock bar. A click on an enabled button sends its command to
// the owner (the frame); hovering a button shows its prompt in the frame's status bar and its
// tip (both from the string with the command's id: "prompt\ntip"). The frame enables the
// buttons through their update handlers (CmdUI.h).

#include <vector>

#include "platform/gdi/ImageList.h"
#include "platform/ui/ControlBar.h"

// Bar styles.
constexpr DWORD CBRS_ALIGN_LEFT = 0x1000;
constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000;
constexpr DWORD CBRS_ALIGN_ANY = 0xF000;
constexpr DWORD CBRS_BORDER_LEFT = 0x0100;
constexpr DWORD CBRS_BORDER_TOP = 0x0200;
constexpr DWORD CBRS_BORDER_RIGHT = 0x0400;
constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800;
constexpr DWORD CBRS_TOOLTIPS = 0x0010;
constexpr DWORD CBRS_FLYBY = 0x0020;
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0040;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
constexpr DWORD TBSTYLE_FLAT = 0x0800;

// Button styles.
constexpr UINT TBBS_BUTTON = 0x0000;
constexpr UINT TBBS_SEPARATOR = 0x0001;
constexpr UINT TBBS_CHECKED = 0x0400;
constexpr UINT TBBS_DISABLED = 0x4000;

class CToolBar : public CControlBar {
  DECLARE_MESSAGE_MAP()

 public:
  BOOL CreateEx(CWnd* parent, DWORD ctrlStyle, DWORD style, UINT id);
  // The buttons of the tool-bar resource; the pictures come from SetImageList.
  BOOL LoadToolBar(UINT resourceId);
  void SetImageList(CImageList* normal);
  void SetDisabledImageList(CImageList* disabled);
  void SetBarStyle(DWORD style) { m_barStyle = style; }
  DWORD GetBarStyle() const { return m_barStyle; }
  void EnableDocking(DWORD /*alignment*/) {}

  int GetCount() const { return int(m_buttons.size()); }
  UINT GetItemID(int index) const;
  UINT GetButtonStyle(int index) const;
  int GetButtonImage(int index) const;
  void SetButtonImage(int index, int image);
  int CommandToIndex(UINT id) const;
  void GetItemRect(int index, LPRECT rect) const;
  void SetButtonEnabled(int index, bool enabled);
  void SetButtonChecked(int index, bool checked);
  bool IsButtonEnabled(int index) const;
  // The size the bar needs for its buttons.
  CSize CalcFixedLayout() const;

 protected:
  // The default press on a button: it shows pressed and sends its command when released over
  // it; a press elsewhere does nothing.
  void OnLButtonDown(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnMouseLeave();
  void OnPaint();
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const override;

 private:
  struct SButton {
    UINT id = 0;
    UINT style = TBBS_BUTTON;
    int image = -1;
  };
  int HitTest(CPoint point) const;
  void ShowPrompt(int index);

  std::vector<SButton> m_buttons;
  CImageList* m_images = nullptr;
  CImageList* m_disabledImages = nullptr;
  CSize m_image{16, 15};
  DWORD m_barStyle = 0;
  int m_pressed = -1;
  int m_hot = -1;
};
