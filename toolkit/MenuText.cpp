#include "toolkit/MenuText.h"

#include "platform/gdi/SystemInfo.h"

CString MenuLabelOf(const CString& text) {
  int tab = text.Find(u'\t');
  return tab < 0 ? text : text.Left(tab);
}

CString MenuAcceleratorOf(const CString& text) {
  int tab = text.ReverseFind(u'\t');
  return tab < 0 ? CString() : text.Mid(tab + 1);
}

void CreateMenuFont(CFont& font) {
  NONCLIENTMETRICS metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  font.CreateFontIndirect(&metrics.lfMenuFont);
}
