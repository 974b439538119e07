#include "views/ExportProgress.h"

#include "appbase/LoadStringOrPlaceholder.h"
#include "platform/base/Clock.h"
#include "resources/ResourceIds.h"

namespace {

constexpr DWORD kLingerMilliseconds = 500;

}  // namespace

CExportProgress::CExportProgress(CWnd* page) {
  m_dialog.Create(IDD_PROGRESS, page);
  m_dialog.ShowWindow(SW_SHOW);
  m_dialog.SetPos(0);
  m_dialog.SetText(LoadStringOrPlaceholder(IDS_EXPORT_PREPARING));
}

CExportProgress::~CExportProgress() { m_dialog.DestroyWindow(); }

void CExportProgress::SetText(UINT formatId, const CString& name) {
  CString text;
  text.Format(LoadStringOrPlaceholder(formatId), name.GetString());
  m_dialog.SetText(text);
}

void CExportProgress::Linger() { Sleep(kLingerMilliseconds); }
