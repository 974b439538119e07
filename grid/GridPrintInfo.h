#pragma once
// The records of grid printing: the texts a caller gives for the header and footer of every
// page, and the measures the grid works out when printing begins.

#include "platform/base/String.h"

// The header and footer of the printed pages. An empty right header text prints the
// application's title.
struct SGridPrintInfo {
  CString headerLeft;
  CString headerCenter;
  CString headerRight;
  UINT pageFormatId = 0;  // string id of the page text: two %d, current page and page count
  CString footerCenter;
  UINT dateFormatId = 0;  // string ids of the date and time pictures of the footer
  UINT timeFormatId = 0;
};

// Measures of a printout, in the page's logical units unless said otherwise; they stay after
// printing has ended.
struct SGridPrintMetrics {
  int charWidth = 0;
  int charHeight = 0;
  int bodyHeight = 0;  // room for the rows between the heading row and the footer
  int logicalWidth = 0;
  int logicalHeight = 0;
  int deviceWidth = 0;  // the printable area in printer pixels
  int deviceHeight = 0;
  int printableWidth = 0;  // room for the non-fixed columns
  int firstColumn = 0;     // of the page printed last
  int firstRow = 0;
  int verticalPages = 0;
  int horizontalPages = 0;
};
