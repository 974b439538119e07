#include "app/ChildView.h"

#include "app/VexaZedoApp.h"
#include "app/data/LoadStringOrPlaceholder.h"
#include "platform/res/StringTable.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/Cursor.h"
#include "platform/ui/ShellExecute.h"
#include "resources/ResourceIds.h"

namespace {

constexpr UINT kTabSheetId = 1;

// Shows the wait cursor while it lives.
class CWaitCursor {
 public:
  CWaitCursor() : m_previous(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
  ~CWaitCursor() { SetCursor(m_previous); }
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;

 private:
  HCURSOR m_previous;
};

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CChildView, CWnd)
  .OnCreate(&CChildView::OnCreate)
  .OnSize(&CChildView::OnSize)
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
  // The measurement pages come with the views; until then the sheet shows its tabs alone.
  if (!m_tabSheet.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), this, kTabSheetId)) return -1;
  m_tabSheet.InsertItem(0, LoadStringOrPlaceholder(IDS_TAB_MEASUREMENTS).GetString());
  m_tabSheet.InsertItem(1, LoadStringOrPlaceholder(IDS_TAB_SUMMARY).GetString());
  m_tabSheet.SetCurSel(0);
  UpdateTitle();
  return 0;
}

void CChildView::OnSize(UINT, int cx, int cy) {
  if (m_tabSheet.IsWindow()) m_tabSheet.MoveWindow(0, 0, cx, cy);
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

void CChildView::OpenHelpFile(const CString& name) {
  if (name.IsEmpty()) return;
  CWaitCursor wait;
  const CVexaZedoApp* app = GetZedoApp();
  const CString folder = app ? app->GetProgramFolder() : CString();
  const CString path = folder.IsEmpty() ? name : folder + u"/" + name;
  ShellExecute(this, u"open", path.GetString(), nullptr, nullptr, SW_SHOWNORMAL);
}

void CChildView::OnHelp() { OpenHelpFile(ResString(IDS_HELP_FILE)); }

void CChildView::OnHelpCalibration() { OpenHelpFile(ResString(IDS_CALIBRATION_HELP_FILE)); }

// The firmware-update help is a compiled help file; the desktop's handler shows it from its
// start.
void CChildView::OnHelpFirmwareUpdate() { OpenHelpFile(ResString(IDS_FIRMWARE_HELP_FILE)); }
