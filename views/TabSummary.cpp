#include "views/TabSummary.h"

#include "appbase/LoadStringOrPlaceholder.h"
#include "appbase/Registry.h"
#include "document/ZedoDoc.h"
#include "platform/ui/FileDialog.h"
#include "resources/ResourceIds.h"
#include "toolkit/ImageObj.h"
#include "views/ExportFile.h"
#include "views/SummaryView.h"

namespace {

constexpr UINT kViewId = 666;
constexpr int kShortestPath = 6;
constexpr BYTE kSummaryByteOrderMark[2] = {0xFF, 0xFE};

// The picture type a file name asks for; other endings get ".png" appended.
DWORD ImageTypeOf(CString& path) {
  const CString ending = path.Right(4);
  if (ending.CompareNoCase(u".bmp") == 0) return IMAGE_TYPE_BMP;
  if (ending.CompareNoCase(u".png") == 0) return IMAGE_TYPE_PNG;
  if (ending.CompareNoCase(u".jpg") == 0) return IMAGE_TYPE_JPEG;
  path += u".png";
  return IMAGE_TYPE_PNG;
}

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CTabSummary, CPropertyPage)
  .OnSize(&CTabSummary::OnSize)
  .OnEraseBkgnd(&CTabSummary::OnEraseBkgnd)
  .OnMessage(WM_PAGE_PRINT, &CTabSummary::OnPrint)
  .OnMessage(WM_PAGE_COPY, &CTabSummary::OnCopy)
  .OnMessage(WM_PAGE_EXPORT_GRAPHIC, &CTabSummary::OnExportGraphic)
  .OnMessage(WM_ZEDO_DOC_CHANGED, &CTabSummary::OnDocumentChanged)
  .OnMessage(WM_PAGE_EXPORT_CSV, &CTabSummary::OnExportCsv)
END_MESSAGE_MAP()
// clang-format on

CTabSummary::CTabSummary(CWnd* owner, CZedoDoc* doc)
    : CPropertyPage(IDD_TAB_SUMMARY), m_pOwner(owner), m_pDoc(doc) {}

CTabSummary::~CTabSummary() {
  // Notices must not reach a page that is gone.
  if (m_pDoc) m_pDoc->RemoveView(this);
  m_pDoc = nullptr;
}

BOOL CTabSummary::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  m_pView = new CSummaryView(m_pDoc);
  m_pView->Create(nullptr, nullptr, WS_CHILD | WS_BORDER, CRect(0, 0, 500, 500), this, kViewId);
  m_pView->SetScrollSizes(MM_TEXT, CSize(1000, 1000));
  m_pView->ShowWindow(SW_SHOW);
  m_pDoc->AddView(this);
  return TRUE;
}

void CTabSummary::OnSize(UINT type, int cx, int cy) {
  CPropertyPage::OnSize(type, cx, cy);
  if (!m_pView || !m_pView->GetSafeHwnd()) return;
  CRect client;
  GetClientRect(client);
  m_pView->SetWindowPos(nullptr, 0, 0, client.Width(), client.Height(), SWP_NOZORDER);
}

BOOL CTabSummary::OnEraseBkgnd(CDC*) { return TRUE; }

LRESULT CTabSummary::OnPrint(WPARAM, LPARAM) {
  if (m_pView) m_pView->PrintSummary();
  return 0;
}

LRESULT CTabSummary::OnCopy(WPARAM, LPARAM) {
  if (m_pView) m_pView->CopyAsText();
  return 0;
}

LRESULT CTabSummary::OnDocumentChanged(WPARAM, LPARAM) {
  m_pDoc->RecomputeSummary();
  if (m_pView) m_pView->Invalidate(TRUE);
  return 0;
}

CString CTabSummary::ExportFolder() {
  CString folder;
  CRegistry(kSettingsKey).ReadString(u"ExportPath", folder);
  return folder;
}

void CTabSummary::RememberExportFolder(const CString& path) {
  const int slash = path.ReverseFind(u'/');
  if (slash >= 0) CRegistry(kSettingsKey).WriteString(u"ExportPath", path.Left(slash));
}

bool CTabSummary::AskImageFile(CString& path, DWORD& type) {
  const CString folder = ExportFolder();
  const CString filter = LoadStringOrPlaceholder(IDS_FILTER_PNG) + u" (*.png)|*.png|" +
                         LoadStringOrPlaceholder(IDS_FILTER_BMP) + u" (*.bmp)|*.bmp|" +
                         LoadStringOrPlaceholder(IDS_FILTER_JPG) + u" (*.jpg)|*.jpg|" +
                         LoadStringOrPlaceholder(IDS_FILTER_ALL) + u" (*.*)|*.*||";
  const CString name = LoadStringOrPlaceholder(IDS_GRAPHIC_FILE_NAME);
  CFileDialog dialog(FALSE, u"png", name, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, this);
  dialog.m_ofn.lpstrInitialDir = folder;
  if (dialog.DoModal() != IDOK) return false;
  path = dialog.GetPathName();
  if (path.GetLength() < kShortestPath) return false;
  RememberExportFolder(path);
  type = ImageTypeOf(path);
  return !path.IsEmpty() && type != 0;
}

LRESULT CTabSummary::OnExportGraphic(WPARAM, LPARAM) {
  CString path;
  DWORD type = 0;
  if (!m_pView || !AskImageFile(path, type)) return 0;
  if (m_pView->ExportImage(path, type)) m_strLastExport = path;
  return 0;
}

LRESULT CTabSummary::OnExportCsv(WPARAM, LPARAM) {
  if (!m_pView) return 0;
  const CString text = m_pView->GetSummaryText();
  const CString folder = ExportFolder();
  const CString filter = LoadStringOrPlaceholder(IDS_FILTER_CSV) + u" (*.csv)|*.csv|" +
                         LoadStringOrPlaceholder(IDS_FILTER_ALL) + u" (*.*)|*.*||";
  const CString name = LoadStringOrPlaceholder(IDS_DATA_FILE_NAME);
  CFileDialog dialog(FALSE, u"csv", name, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, this);
  dialog.m_ofn.lpstrInitialDir = folder;
  if (dialog.DoModal() != IDOK) return 0;
  const CString path = dialog.GetPathName();
  if (path.IsEmpty()) return 0;
  RememberExportFolder(path);
  // Written whole beside the chosen file before it takes its name: a write that fails leaves the
  // file that was there as it was.
  CExportFile file(path);
  file.Write(kSummaryByteOrderMark, sizeof kSummaryByteOrderMark);
  // UTF-16 code units in little-endian order, as this machine keeps them.
  file.Write(text.GetString(), text.GetLength() * 2);
  file.Commit();
  m_strLastExport = path;
  return 0;
}
