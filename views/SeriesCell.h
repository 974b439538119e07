#pragma once
// CSeriesCell: the cell that fills a measurement's detail row and opens or closes it. This
// form keeps only the binding and an open row of the least open height.

#include "grid/TextCell.h"

class CZedoDoc;

class CSeriesCell : public CTextCell {
  DECLARE_DYNCREATE(CSeriesCell)

 public:
  void SetMeasurement(CZedoDoc* doc, int index);
  void Expand(bool immediate);
  void Collapse(bool immediate);

 private:
  CZedoDoc* m_pDoc = nullptr;
  int m_nIndex = -1;
};
