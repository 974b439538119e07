#include "views/TabSheet.h"

#include "appbase/LoadStringOrPlaceholder.h"
#include "document/ZedoDoc.h"
#include "platform/ui/CmdUI.h"
#include "resources/ResourceIds.h"
#include "views/PageMessages.h"

namespace {

// The active page lies inside the tab control's frame, below the row of tabs.
constexpr int kPageWidthInset = 8;
constexpr int kPageHeightInset = 26;

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CTabSheet, CPropertySheet)
  .OnSize(&CTabSheet::OnSize)
  .OnEraseBkgnd(&CTabSheet::OnEraseBkgnd)
  .OnMessage(WM_ZEDO_DOC_CHANGED, &CTabSheet::OnDocumentChanged)
END_MESSAGE_MAP()
// clang-format on

CTabSheet::CTabSheet(LPCTSTR caption, CWnd* parent, UINT selectPage, CZedoDoc* doc)
    : CPropertySheet(caption, parent, selectPage), m_pDoc(doc) {
  m_pDoc->AddView(this);
}

CTabSheet::~CTabSheet() { m_pDoc->RemoveView(this); }

void CTabSheet::OnSize(UINT type, int cx, int cy) {
  CPropertySheet::OnSize(type, cx, cy);
  if (SendMessage(PSM_GETTABCONTROL) == 0) return;
  CPropertyPage* page = GetActivePage();
  if (!page || !page->IsWindow()) return;
  page->SetWindowPos(nullptr, 0, 0, cx - kPageWidthInset, cy - kPageHeightInset, SWP_NOMOVE | SWP_NOZORDER);
}

BOOL CTabSheet::OnEraseBkgnd(CDC*) { return TRUE; }

// The captions come from the string table on every notice, so a new language module shows at
// once.
LRESULT CTabSheet::OnDocumentChanged(WPARAM, LPARAM) {
  auto* tabs = reinterpret_cast<CTabCtrl*>(SendMessage(PSM_GETTABCONTROL));
  for (int i = 0; tabs && i < GetPageCount(); ++i) {
    CString text = LoadStringOrPlaceholder(i == 0 ? IDS_TAB_MEASUREMENTS : IDS_TAB_SUMMARY);
    TCITEM item;
    item.mask = TCIF_TEXT;
    item.pszText = text.GetBuffer();
    tabs->SendMessage(TCM_SETITEM, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    text.ReleaseBuffer();
  }
  return 1;
}

LRESULT CTabSheet::SendToActivePage(UINT message) {
  CPropertyPage* page = GetActivePage();
  return page && page->IsWindow() ? page->SendMessage(message, 0, 0) : 0;
}

LRESULT CTabSheet::Copy() { return SendToActivePage(WM_PAGE_COPY); }
LRESULT CTabSheet::ExportGraphic() { return SendToActivePage(WM_PAGE_EXPORT_GRAPHIC); }
LRESULT CTabSheet::DeleteSelected() { return SendToActivePage(WM_PAGE_DELETE); }
LRESULT CTabSheet::SelectAll() { return SendToActivePage(WM_PAGE_SELECT_ALL); }
LRESULT CTabSheet::ExportCsv() { return SendToActivePage(WM_PAGE_EXPORT_CSV); }
LRESULT CTabSheet::Paste() { return SendToActivePage(WM_PAGE_PASTE); }
LRESULT CTabSheet::Print() { return SendToActivePage(WM_PAGE_PRINT); }

void CTabSheet::OnUpdateDelete(CCmdUI* cmdUI) { cmdUI->Enable(SendToActivePage(WM_PAGE_CAN_DELETE) == 1); }

void CTabSheet::OnUpdateSelectAll(CCmdUI* cmdUI) {
  cmdUI->Enable(SendToActivePage(WM_PAGE_CAN_SELECT_ALL) == 1);
}
