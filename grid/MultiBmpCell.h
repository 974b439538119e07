#pragma once
// CMultiBmpCell: a gradient cell that also draws a list of images from an image list at
// places given in pixels or in percent of the cell, and tells which image a click hit.

#include <vector>

#include "grid/GradientCell.h"
#include "platform/gdi/ImageList.h"

// One image of an image-list cell.
struct MULTIBMPINFO {
  int image = 0;
  int orderKey = 0;
  BYTE hidden = 0;
  double xOffset = 0;
  double yOffset = 0;
  double reserved[2] = {0, 0};
  BYTE xIsLeftEdge = 1;
  BYTE yIsTopEdge = 1;
  BYTE centerX = 0;
  BYTE centerY = 0;
  BYTE xInPercent = 0;
  BYTE yInPercent = 0;
  BYTE reservedFlags[2] = {0, 0};
  BYTE reservedFlag = 1;
  BYTE print = 1;
  BYTE alpha = 0;
  HBITMAP bitmap = nullptr;
};

class CMultiBmpCell : public CGradientCell {
  DECLARE_DYNCREATE(CMultiBmpCell)

 public:
  void SetImageList(CImageList* list) { m_imageList = list; }
  // Keeps the records in ascending key order; equal keys keep the order they were added in.
  void AddBitmapInfo(MULTIBMPINFO info);
  void SetBitmapHidden(int image, BOOL hidden);
  int GetClickedBitmap() const { return m_clicked; }
  const std::vector<MULTIBMPINFO>& GetBitmapInfos() const { return m_infos; }

  BOOL Draw(CDC* dc, int row, int col, CRect rect, BOOL erase, BOOL plain) override;
  BOOL PrintCell(CDC* dc, int row, int col, CRect rect) override;
  CSize GetCellExtent(CDC* dc) override;
  void OnClick(CPoint point) override;

 private:
  // Where the record's image lies in the rectangle; false without an image to place.
  bool PlaceImage(const MULTIBMPINFO& info, const CRect& rect, CRect& place) const;

  CImageList* m_imageList = nullptr;
  std::vector<MULTIBMPINFO> m_infos;
  int m_clicked = -1;
};
