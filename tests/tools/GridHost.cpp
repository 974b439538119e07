#include "tests/tools/GridHost.h"

#include <cstdio>

#include "grid/GridItemInfo.h"

bool CGridHost::Logs(int code) const {
  if (m_logAll) return code != GRIDN_GETDISPINFO;
  return m_logged.count(code) != 0;
}

BOOL CGridHost::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  const int code = header->code;
  if (code == GRIDN_GETDISPINFO) {
    auto* info = reinterpret_cast<GRIDDISPINFO*>(lParam);
    info->item.text.Format(u"V%d.%d", info->item.row, info->item.col);
  }
  if (Logs(code)) {
    if (code == GRIDN_CACHEHINT) {
      const auto* hint = reinterpret_cast<const SGridCacheHint*>(lParam);
      std::printf("notify=%d block=%d,%d,%d,%d\n", code, hint->range.minRow, hint->range.minCol,
                  hint->range.maxRow, hint->range.maxCol);
    } else if (code == GRIDN_GETDISPINFO) {
      const auto* info = reinterpret_cast<const GRIDDISPINFO*>(lParam);
      std::printf("notify=%d row=%d col=%d\n", code, info->item.row, info->item.col);
    } else {
      const auto* record = reinterpret_cast<const SGridCellNotify*>(lParam);
      std::printf("notify=%d row=%d col=%d\n", code, record->row, record->col);
    }
  }
  auto reply = m_replies.find(code);
  *result = reply == m_replies.end() ? 0 : reply->second;
  return TRUE;
}

BOOL CGridHost::OnCommand(WPARAM wParam, LPARAM) {
  if (Logs(int(WM_COMMAND)))
    std::printf("command=%u code=%u\n", unsigned(LOWORD(wParam)), unsigned(HIWORD(wParam)));
  return TRUE;
}
