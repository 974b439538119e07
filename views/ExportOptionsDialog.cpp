#include "views/ExportOptionsDialog.h"

#include <algorithm>

#include "appbase/Registry.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/FileDialog.h"
#include "resources/ResourceIds.h"

namespace {

// Paths shorter than this cannot hold a name and a four-character ending.
constexpr int kShortestPath = 6;
constexpr int kEndingLength = 4;

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CExportOptionsDialog, CDialog)
  .OnMouseMove(&CExportOptionsDialog::OnMouseMove)
  .OnPaint(&CExportOptionsDialog::OnPaint)
  .OnEraseBkgnd(&CExportOptionsDialog::OnEraseBkgnd)
  .OnLButtonDown(&CExportOptionsDialog::OnLButtonDown)
END_MESSAGE_MAP()
// clang-format on

CExportOptionsDialog::CExportOptionsDialog(UINT templateId, int fontSourceId,
                                           std::array<SExportColumn, kColumnCount> columns,
                                           bool selectionExists, CWnd* parent)
    : CDialog(templateId, parent),
      m_columns(std::move(columns)),
      m_nFontSourceId(fontSourceId),
      m_bSelectionExists(selectionExists) {
  for (int column = 0; column < kColumnCount; ++column)
    m_choices[size_t(column)] = m_columns[size_t(column)].initialChoice;
}

CExportOptionsDialog::~CExportOptionsDialog() = default;

void CExportOptionsDialog::KeepKnownChoices() {
  for (int column = 0; column < kColumnCount; ++column) {
    const SExportColumn& options = m_columns[size_t(column)];
    int& choice = m_choices[size_t(column)];
    const bool known = std::any_of(options.options.begin(), options.options.end(),
                                   [choice](const SExportOption& option) { return option.code == choice; });
    if (!known) choice = options.initialChoice;
  }
}

void CExportOptionsDialog::LoadPictures(const std::vector<UINT>& previewPieces) {
  std::vector<UINT> ids = previewPieces;
  for (const SExportColumn& column : m_columns)
    for (const SExportOption& option : column.options) ids.push_back(option.pictureId);
  for (UINT id : ids) {
    if (m_pictures.count(id)) continue;
    auto picture = std::make_unique<CDibSectionNP>();
    picture->LoadBitmap(id);
    m_pictures[id] = std::move(picture);
  }
}

void CExportOptionsDialog::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, m_nFontSourceId, m_fontSource);
}

const SExportOption* CExportOptionsDialog::FindOption(int code) const {
  for (const SExportColumn& column : m_columns)
    for (const SExportOption& option : column.options)
      if (option.code == code) return &option;
  return nullptr;
}

CDibSectionNP* CExportOptionsDialog::Picture(UINT id) {
  auto it = m_pictures.find(id);
  return it == m_pictures.end() ? nullptr : it->second.get();
}

CSize CExportOptionsDialog::PictureSize(UINT id) const {
  auto it = m_pictures.find(id);
  return it == m_pictures.end() ? CSize(0, 0) : it->second->GetSize();
}

CRect CExportOptionsDialog::GetOptionRect(int code) const {
  auto it = m_optionRects.find(code);
  return it == m_optionRects.end() ? CRect() : it->second;
}

int CExportOptionsDialog::GetPreviewCount() const {
  if (GetTarget() != kTargetEachFile) return 1;
  return IsAllData() ? 3 : 2;
}

std::vector<UINT> CExportOptionsDialog::GetPreviewStrips(int picture) const {
  std::vector<UINT> strips{IDB_PREVIEW_COLUMN_HEADERS};
  const std::vector<UINT> rows = GetPreviewRows(picture);
  strips.insert(strips.end(), rows.begin(), rows.end());
  return strips;
}

BOOL CExportOptionsDialog::OnEraseBkgnd(CDC*) { return TRUE; }

void CExportOptionsDialog::OnLButtonDown(UINT flags, CPoint point) {
  m_nHovered = -1;
  int column = 0;
  int code = 0;
  if (m_hitRegions.HitTest(point, &column, &code, nullptr, nullptr) && column >= 0 && column < kColumnCount) {
    m_choices[size_t(column)] = code;
    Invalidate(FALSE);
  }
  CDialog::OnLButtonDown(flags, point);
}

void CExportOptionsDialog::OnMouseMove(UINT flags, CPoint point) {
  int code = -1;
  m_hitRegions.HitTest(point, nullptr, &code, nullptr, nullptr);
  // Only a change of the hovered row is worth a repaint.
  if (code != m_nHovered) Invalidate(FALSE);
  m_nHovered = code;
  CDialog::OnMouseMove(flags, point);
}

void CExportOptionsDialog::OnOK() {
  TakeControlValues();
  // Stored first, so that the choices stay even when no export follows.
  SaveSettings();
  if (!IsAllData() && !m_bSelectionExists) {
    ShowNoSelectionMessage();
    return;
  }
  if (GetTarget() == kTargetClipboard) {
    EndDialog(IDOK);
    return;
  }
  ChooseFile();
}

void CExportOptionsDialog::ChooseFile() {
  CString folder;
  CRegistry settings(kSettingsKey);
  settings.ReadString(u"ExportPath", folder);
  const CString extension = GetDefaultExtension();
  const CString name = GetDefaultFileName();
  const CString filter = GetFileFilter();
  CFileDialog dialog(FALSE, extension, name, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, this);
  dialog.m_ofn.lpstrInitialDir = folder;
  if (dialog.DoModal() != IDOK) return;
  m_strPath = dialog.GetPathName();
  if (m_strPath.GetLength() < kShortestPath) return;
  const int slash = m_strPath.ReverseFind(u'/');
  if (slash >= 0) settings.WriteString(u"ExportPath", m_strPath.Left(slash));
  if (AcceptFileEnding(m_strPath.Right(kEndingLength))) EndDialog(IDOK);
}
