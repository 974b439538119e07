#pragma once
// CDetailGripperCell: the first cell of a measurement's header row, with two image pairs: the
// button that opens or closes the detail row below, and the sigma that tells whether the test
// counts in the summary. A click swaps the image of the pair it hit; the page reads the new
// state afterwards and tells the detail row and the document.

#include "grid/MultiBmpCell.h"

class CDetailGripperCell : public CMultiBmpCell {
  DECLARE_DYNCREATE(CDetailGripperCell)

 public:
  // Image indexes of the gripper's image list.
  static constexpr int kOpenButton = 0;
  static constexpr int kCloseButton = 1;
  static constexpr int kBlackSigma = 2;
  static constexpr int kGreySigma = 3;

  CDetailGripperCell();
  ~CDetailGripperCell() override = default;

  // The close button is shown, that is the detail row is open.
  bool IsExpanded() const { return !m_collapsed; }
  // The summary flag, not the grid's cell selection: the grid keeps asking the cell's state
  // through CCellBase::IsSelected, which this (non-const) one leaves alone.
  bool IsSelected() { return m_selected; }
  void SetCollapsed(bool collapsed);
  void SetSelected(bool selected);

  CSize GetCellExtent(CDC* dc) override;
  void OnClick(CPoint point) override;

 private:
  bool m_collapsed = true;
  bool m_selected = true;
};
