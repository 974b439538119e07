#include "views/DetailGripperCell.h"

#include <algorithm>

#include "platform/gdi/SystemInfo.h"

IMPLEMENT_DYNCREATE(CDetailGripperCell, CMultiBmpCell)

namespace {

constexpr int kButtonX = 5;
constexpr int kSigmaX = 30;
constexpr int kImageY = 1;

MULTIBMPINFO GripperImage(int image, int x, bool shown) {
  MULTIBMPINFO info;
  info.image = image;
  info.orderKey = 0;
  info.hidden = shown ? 0 : 1;
  info.xOffset = x;
  info.yOffset = kImageY;
  info.print = 0;
  info.alpha = 0;
  return info;
}

}  // namespace

CDetailGripperCell::CDetailGripperCell() {
  AddBitmapInfo(GripperImage(kOpenButton, kButtonX, true));
  AddBitmapInfo(GripperImage(kCloseButton, kButtonX, false));
  AddBitmapInfo(GripperImage(kBlackSigma, kSigmaX, true));
  AddBitmapInfo(GripperImage(kGreySigma, kSigmaX, false));
}

void CDetailGripperCell::SetCollapsed(bool collapsed) {
  m_collapsed = collapsed;
  SetBitmapHidden(kOpenButton, !collapsed);
  SetBitmapHidden(kCloseButton, collapsed);
}

void CDetailGripperCell::SetSelected(bool selected) {
  m_selected = selected;
  SetBitmapHidden(kBlackSigma, !selected);
  SetBitmapHidden(kGreySigma, selected);
}

CSize CDetailGripperCell::GetCellExtent(CDC* dc) {
  CSize size = CCellBase::GetCellExtent(dc);
  size.cx += GetSystemMetrics(SM_CXVSCROLL);
  size.cy = std::max<LONG>(size.cy, GetSystemMetrics(SM_CYHSCROLL));
  return size;
}

// The cell only swaps the image of the pair that was hit; the page reads the state after the
// grid's click notice.
void CDetailGripperCell::OnClick(CPoint point) {
  CMultiBmpCell::OnClick(point);
  const int image = GetClickedBitmap();
  if (image == kOpenButton || image == kCloseButton) SetCollapsed(image == kCloseButton);
  if (image == kBlackSigma || image == kGreySigma) SetSelected(image != kBlackSigma);
}
