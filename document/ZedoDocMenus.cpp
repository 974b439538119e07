#include "appbase/LoadStringOrPlaceholder.h"
#include "document/Units.h"
#include "document/ZedoDoc.h"
#include "platform/gdi/ImageList.h"
#include "resources/ResourceIds.h"
#include "toolkit/OwnerMenu.h"

namespace {

constexpr int kExcludePicture = 4;
constexpr int kPictureSize = 16;
constexpr int kNarrowCell = 150;

// Shows the choices as items 1 to n and returns the chosen item, 0 for none.
UINT TrackChoices(CWnd* window, int x, int left, int right, int y, const std::vector<CString>& texts) {
  COwnerMenu menu;
  if (!menu.CreatePopupMenu()) return 0;
  menu.SetIconSize(kPictureSize, kPictureSize);
  for (std::size_t i = 0; i < texts.size(); ++i) menu.AppendItem(texts[i], MF_STRING, i + 1, nullptr, 0);
  const int anchor = right - left <= kNarrowCell ? (left + right) / 2 : x;
  return UINT(menu.TrackPopupMenu(TPM_CENTERALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD, anchor, y, window));
}

}  // namespace

bool CZedoDoc::TrackExcludeMenu(CWnd* window, int x, int y, bool& chosen) {
  CImageList pictures;
  pictures.Create(IDB_MENU_PICTURES, kPictureSize, 0, RGB(255, 255, 255));
  COwnerMenu menu;
  if (!menu.CreatePopupMenu()) return false;
  menu.SetIconSize(kPictureSize, kPictureSize);
  menu.AppendItem(LoadStringOrPlaceholder(IDS_EXCLUDE), MF_STRING, 1, &pictures, kExcludePicture);
  if (menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD, x, y, window) != 1) return false;
  chosen = true;
  return true;
}

bool CZedoDoc::TrackPercentMenu(CWnd* window, int x, int left, int right, int y, int& percent) {
  std::vector<CString> texts;
  for (int p = 0; p <= 100; p += 10) texts.push_back(FormatValue(p, 0));
  const UINT id = TrackChoices(window, x, left, right, y, texts);
  if (id == 0) return false;
  percent = int(id - 1) * 10;
  return true;
}

bool CZedoDoc::TrackFailureClassMenu(CWnd* window, int x, int left, int right, int y, BYTE& code) {
  std::vector<CString> texts;
  for (BYTE c = 0; c < 6; ++c) texts.push_back(FailureClassName(c));
  const UINT id = TrackChoices(window, x, left, right, y, texts);
  if (id == 0) return false;
  code = BYTE(id - 1);
  return true;
}

bool CZedoDoc::TrackSortKeyMenu(CWnd* window, int x, int left, int right, int y, BYTE& key) {
  std::vector<CString> texts;
  for (BYTE k = 0; k < 3; ++k) {
    CString name = SummarySortKeyName(k);
    name.Replace(u"&", u"&&");  // "Date & Time" without a mnemonic
    texts.push_back(name);
  }
  const UINT id = TrackChoices(window, x, left, right, y, texts);
  if (id == 0) return false;
  key = BYTE(id - 1);
  return true;
}

bool CZedoDoc::TrackUnitMenu(CWnd* window, int x, int left, int right, int y, BYTE& unit) {
  std::vector<CString> texts;
  for (BYTE u = 0; u < UNIT_COUNT; ++u) texts.push_back(UnitName(u));
  const UINT id = TrackChoices(window, x, left, right, y, texts);
  if (id == 0) return false;
  unit = BYTE(id - 1);
  return true;
}
