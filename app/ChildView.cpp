#include "app/ChildView.h"

#include <filesystem>
#include <system_error>

#include "app/VexaZedoApp.h"
#include "appbase/LoadStringOrPlaceholder.h"
#include "platform/res/StringTable.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ShellExecute.h"
#include "platform/ui/WaitCursor.h"
#include "resources/ResourceIds.h"
#include "views/TabGrid.h"
#include "views/TabSheet.h"
#include "views/TabSummary.h"

namespace {

// The sheet is placed at this size first; the next WM_SIZE gives it the whole view.
constexpr int kFirstSheetSize = 200;

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CChildView, CWnd)
  .OnCreate(&CChildView::OnCreate)
  .OnSize(&CChildView::OnSize)
  .OnDestroy(&CChildView::OnDestroy)
  .OnEraseBkgnd(&CChildView::OnEraseBkgnd)
  .OnMessage(WM_ZEDO_DOC_CHANGED, &CChildView::OnDocChanged)
  .OnCommand(ID_FILE_OPEN, &CChildView::OnFileOpen)
  .OnCommand(ID_FILE_CLOSE, &CChildView::OnFileClose)
  .OnCommand(ID_FILE_SAVE, &CChildView::OnFileSave)
  .OnCommand(ID_FILE_SAVE_AS, &CChildView::OnFileSaveAs)
  .OnCommand(ID_HELP_FINDER, &CChildView::OnHelp)
  .OnCommand(ID_HELP_CALIBRATION, &CChildView::OnHelpCalibration)
  .OnCommand(ID_HELP_FIRMWARE_UPDATE, &CChildView::OnHelpFirmwareUpdate)
  .OnUpdateCommandUI(ID_FILE_CLOSE, &CChildView::OnUpdateNeedsMeasurements)
  .OnUpdateCommandUI(ID_FILE_SAVE, &CChildView::OnUpdateFileSave)
  .OnUpdateCommandUI(ID_FILE_SAVE_AS, &CChildView::OnUpdateNeedsMeasurements)
  .OnCommand(ID_EDIT_COPY, &CChildView::OnEditCopy)
  .OnCommand(ID_EXPORT_GRAPHIC, &CChildView::OnExportGraphic)
  .OnCommand(ID_EDIT_DELETE, &CChildView::OnEditDelete)
  .OnCommand(ID_EDIT_SELECT_ALL, &CChildView::OnEditSelectAll)
  .OnCommand(ID_EXPORT_CSV, &CChildView::OnExportCsv)
  .OnCommand(ID_EDIT_PASTE, &CChildView::OnEditPaste)
  .OnCommand(ID_FILE_PRINT, &CChildView::OnFilePrint)
  .OnUpdateCommandUI(ID_EDIT_COPY, &CChildView::OnUpdateNeedsMeasurements)
  .OnUpdateCommandUI(ID_EXPORT_GRAPHIC, &CChildView::OnUpdateNeedsMeasurements)
  .OnUpdateCommandUI(ID_EXPORT_CSV, &CChildView::OnUpdateNeedsMeasurements)
  .OnUpdateCommandUI(ID_FILE_PRINT, &CChildView::OnUpdateNeedsMeasurements)
  .OnUpdateCommandUI(ID_EDIT_PASTE, &CChildView::OnUpdatePaste)
  .OnUpdateCommandUI(ID_EDIT_DELETE, &CChildView::OnUpdateDelete)
  .OnUpdateCommandUI(ID_EDIT_SELECT_ALL, &CChildView::OnUpdateSelectAll)
END_MESSAGE_MAP()
// clang-format on

CChildView::CChildView(CZedoDoc& doc) : m_doc(doc) { m_doc.AddView(this); }

CChildView::~CChildView() {
  m_doc.RemoveView(this);
  if (IsWindow()) DestroyWindow();
}

void CChildView::PreCreateWindow(CREATESTRUCT& create) {
  create.dwExStyle |= WS_EX_CLIENTEDGE;
  create.style &= ~LONG(WS_BORDER);
}

BOOL CChildView::Create(CWnd* frame, UINT id) {
  CREATESTRUCT create;
  create.style = LONG(WS_CHILD | WS_VISIBLE | WS_BORDER);
  PreCreateWindow(create);
  return CreateEx(create.dwExStyle, nullptr, nullptr, DWORD(create.style), CRect(0, 0, 222, 222), frame, id);
}

int CChildView::OnCreate(LPCREATESTRUCT) {
  const CString caption = LoadStringOrPlaceholder(IDS_TAB_MEASUREMENTS);
  m_pTabSheet = std::make_unique<CTabSheet>(caption.GetString(), this, 0, &m_doc);
  m_pSummaryPage = std::make_unique<CTabSummary>(this, &m_doc);
  m_pGridPage = std::make_unique<CTabGrid>(this, &m_doc);
  m_pTabSheet->AddPage(m_pGridPage.get());
  m_pTabSheet->AddPage(m_pSummaryPage.get());
  if (!m_pTabSheet->Create(this, WS_CHILD, WS_EX_CONTROLPARENT)) return -1;
  m_pTabSheet->SetWindowPos(nullptr, 0, 0, kFirstSheetSize, kFirstSheetSize, SWP_NOZORDER);
  if (CTabCtrl* tabs = m_pTabSheet->GetTabControl())
    tabs->SetWindowPos(nullptr, 0, 0, kFirstSheetSize, kFirstSheetSize, SWP_NOZORDER);
  m_pTabSheet->ShowWindow(SW_SHOW);
  m_pTabSheet->SetActivePage(0);
  if (CTabCtrl* tabs = m_pTabSheet->GetTabControl()) {
    tabs->SetItemText(0, LoadStringOrPlaceholder(IDS_TAB_MEASUREMENTS));
    tabs->SetItemText(1, LoadStringOrPlaceholder(IDS_TAB_SUMMARY));
  }
  UpdateTitle();
  return 0;
}

void CChildView::OnSize(UINT, int cx, int cy) {
  if (!m_pTabSheet || !m_pTabSheet->IsWindow()) return;
  m_pTabSheet->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER);
  if (CTabCtrl* tabs = m_pTabSheet->GetTabControl()) tabs->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER);
}

void CChildView::OnDestroy() {
  if (!m_pTabSheet) return;
  m_pTabSheet->RemovePage(m_pGridPage.get());
  m_pGridPage.reset();
  if (m_pSummaryPage->IsWindow()) m_pTabSheet->RemovePage(m_pSummaryPage.get());
  m_pSummaryPage.reset();
  m_pTabSheet.reset();
}

BOOL CChildView::OnEraseBkgnd(CDC*) { return TRUE; }

LRESULT CChildView::OnDocChanged(WPARAM, LPARAM) {
  UpdateTitle();
  return 0;
}

CString CChildView::BuildTitle() const {
  CString title = LoadStringOrPlaceholder(IDS_MAIN_TITLE);
  const CString project = m_doc.GetTitle(false);
  if (!project.IsEmpty()) title += u" - " + project;
  return title;
}

void CChildView::UpdateTitle() {
  if (CWnd* frame = GetParent()) frame->SetWindowText(BuildTitle());
}

void CChildView::OnFileOpen() {
  m_doc.OnFileOpen(CString());
  UpdateTitle();
}

void CChildView::OnFileClose() {
  m_doc.QuerySave();
  UpdateTitle();
}

void CChildView::OnFileSave() {
  m_doc.Save();
  UpdateTitle();
}

void CChildView::OnFileSaveAs() {
  m_doc.OnFileSaveAs();
  UpdateTitle();
}

void CChildView::OnUpdateNeedsMeasurements(CCmdUI* cmdUI) { cmdUI->Enable(m_doc.HasMeasurements()); }

void CChildView::OnUpdateFileSave(CCmdUI* cmdUI) { cmdUI->Enable(m_doc.IsModified()); }

void CChildView::OnEditCopy() {
  if (m_pTabSheet) m_pTabSheet->Copy();
}

void CChildView::OnExportGraphic() {
  if (m_pTabSheet) m_pTabSheet->ExportGraphic();
}

void CChildView::OnEditDelete() {
  if (m_pTabSheet) m_pTabSheet->DeleteSelected();
}

void CChildView::OnEditSelectAll() {
  if (m_pTabSheet) m_pTabSheet->SelectAll();
}

void CChildView::OnExportCsv() {
  if (m_pTabSheet) m_pTabSheet->ExportCsv();
}

void CChildView::OnEditPaste() {
  if (m_pTabSheet) m_pTabSheet->Paste();
}

void CChildView::OnFilePrint() {
  if (m_pTabSheet) m_pTabSheet->Print();
}

// Also when another running copy of the program put measurements on the clipboard.
void CChildView::OnUpdatePaste(CCmdUI* cmdUI) { cmdUI->Enable(m_doc.IsClipboardDataAvailable()); }

void CChildView::OnUpdateDelete(CCmdUI* cmdUI) {
  cmdUI->Enable(FALSE);
  if (m_pTabSheet) m_pTabSheet->OnUpdateDelete(cmdUI);
}

void CChildView::OnUpdateSelectAll(CCmdUI* cmdUI) {
  cmdUI->Enable(FALSE);
  if (m_pTabSheet) m_pTabSheet->OnUpdateSelectAll(cmdUI);
}

// A missing help file is named with the path looked for: the desktop opener, a program of its
// own, would fail where the user cannot see it.
void CChildView::OpenHelpFile(const CString& name) {
  if (name.IsEmpty()) return;
  const CVexaZedoApp* app = GetZedoApp();
  const CString folder = app ? app->GetProgramFolder() : CString();
  const CString path = folder.IsEmpty() ? name : folder + u"/" + name;
  std::error_code error;
  if (!std::filesystem::is_regular_file(std::filesystem::path(path.ToUtf8()), error)) {
    CString text;
    text.Format(LoadStringOrPlaceholder(IDS_HELP_FILE_NOT_FOUND).GetString(), path.GetString());
    MessageBox(this, text, LoadStringOrPlaceholder(IDS_MAIN_TITLE), MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  CWaitCursorScope wait;
  ShellExecute(this, u"open", path.GetString(), nullptr, nullptr, SW_SHOWNORMAL);
}

void CChildView::OnHelp() { OpenHelpFile(ResString(IDS_HELP_FILE)); }

void CChildView::OnHelpCalibration() { OpenHelpFile(ResString(IDS_CALIBRATION_HELP_FILE)); }

// The firmware-update help is a compiled help file; the desktop's handler shows it from its
// start.
void CChildView::OnHelpFirmwareUpdate() { OpenHelpFile(ResString(IDS_FIRMWARE_HELP_FILE)); }
