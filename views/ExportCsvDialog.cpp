#include "views/ExportCsvDialog.h"

#include "appbase/LoadStringOrPlaceholder.h"
#include "appbase/Registry.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/MessageBox.h"
#include "resources/ResourceIds.h"

namespace {

std::array<SExportColumn, CExportOptionsDialog::kColumnCount> CsvColumns() {
  using D = CExportCsvDialog;
  return {{{IDS_EXPORT_CSV_FORMAT_HEADING,
            100,
            D::kTable,
            {{D::kTable, IDS_EXPORT_TABLE, IDB_EXPORT_TABLE},
             {D::kReport, IDS_EXPORT_REPORT, IDB_EXPORT_REPORT}}},
           {IDS_EXPORT_CSV_TARGET_HEADING,
            180,
            D::kOneFile,
            {{D::kOneFile, IDS_EXPORT_ONE_FILE, IDB_EXPORT_TEXT_FILE},
             {D::kEachFile, IDS_EXPORT_EACH_FILE, IDB_EXPORT_TEXT_FILES},
             {D::kClipboard, IDS_EXPORT_CLIPBOARD, IDB_EXPORT_CLIPBOARD}}},
           {IDS_EXPORT_CSV_DATA_HEADING,
            90,
            D::kSelectionOnly,
            {{D::kAllData, IDS_EXPORT_ALL, IDB_EXPORT_ALL},
             {D::kSelectionOnly, IDS_EXPORT_SELECTION, IDB_EXPORT_SELECTION}}}}};
}

}  // namespace

CExportCsvDialog::CExportCsvDialog(bool selectionExists, CWnd* parent)
    : CExportOptionsDialog(IDD_EXPORT_CSV, IDC_EXPORT_CSV_FONT, CsvColumns(), selectionExists, parent) {
  LoadSettings();
  KeepKnownChoices();
  LoadPictures({IDB_PREVIEW_COLUMN_HEADERS, IDB_PREVIEW_HEADER, IDB_PREVIEW_DETAIL, IDB_PREVIEW_DETAIL_TORN,
                IDB_PREVIEW_TEXT_ICON, IDB_PREVIEW_CLIPBOARD_ICON});
}

void CExportCsvDialog::DoDataExchange(CDataExchange* dx) {
  CExportOptionsDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_EXPORT_CURVE, m_curveBox);
}

BOOL CExportCsvDialog::OnInitDialog() {
  CExportOptionsDialog::OnInitDialog();
  m_curveBox.SetCheck(m_bCurve ? BST_CHECKED : BST_UNCHECKED);
  return TRUE;
}

int CExportCsvDialog::GetFormat() const { return m_choices[0] == kReport ? 1 : 0; }

int CExportCsvDialog::GetTarget() const {
  const int code = m_choices[1];
  return code == kOneFile ? kTargetOneFile : code == kClipboard ? kTargetClipboard : kTargetEachFile;
}

bool CExportCsvDialog::IsAllData() const { return m_choices[2] == kAllData; }

void CExportCsvDialog::LoadSettings() {
  CRegistry settings(kSettingsKey);
  settings.ReadBool(u"bCsvExpCurve2", m_bCurve);
  DWORD code = 0;
  if (settings.ReadDWORD(u"CsvExpFormat2", code)) m_choices[0] = int(code);
  if (settings.ReadDWORD(u"CsvExpTarget2", code)) m_choices[1] = int(code);
  if (settings.ReadDWORD(u"CsvExpSelection2", code)) m_choices[2] = int(code);
}

// One change of the settings store for all four values: each change rewrites and syncs it.
void CExportCsvDialog::SaveSettings() {
  CRegistry(kSettingsKey)
      .WriteValues({SRegValue::Dword(u"bCsvExpCurve2", m_bCurve ? 1 : 0),
                    SRegValue::Dword(u"CsvExpFormat2", DWORD(m_choices[0])),
                    SRegValue::Dword(u"CsvExpTarget2", DWORD(m_choices[1])),
                    SRegValue::Dword(u"CsvExpSelection2", DWORD(m_choices[2]))});
}

void CExportCsvDialog::TakeControlValues() { m_bCurve = m_curveBox.GetCheck() == BST_CHECKED; }

void CExportCsvDialog::ShowNoSelectionMessage() {
  MessageBox(this,
             u"You have chosen to export \"Selection only\" but none of the measurements has been selected.",
             u"ZD-Zedo", MB_OK | MB_ICONEXCLAMATION);
}

CString CExportCsvDialog::GetDefaultExtension() const { return u"csv"; }

CString CExportCsvDialog::GetDefaultFileName() const { return LoadStringOrPlaceholder(IDS_DATA_FILE_NAME); }

CString CExportCsvDialog::GetFileFilter() const {
  return LoadStringOrPlaceholder(IDS_FILTER_CSV) + u" (*.csv)|*.csv|" +
         LoadStringOrPlaceholder(IDS_FILTER_ALL) + u" (*.*)|*.*||";
}

bool CExportCsvDialog::AcceptFileEnding(const CString& ending) { return ending.CompareNoCase(u".csv") == 0; }

std::vector<UINT> CExportCsvDialog::GetPreviewRows(int) const {
  const bool severalRows = GetTarget() != kTargetEachFile;
  std::vector<UINT> rows{IDB_PREVIEW_HEADER, IDB_PREVIEW_DETAIL};
  if (severalRows)
    rows.insert(rows.end(), {IDB_PREVIEW_HEADER, IDB_PREVIEW_DETAIL, IDB_PREVIEW_HEADER, IDB_PREVIEW_DETAIL});
  if (IsAllData() && severalRows) rows.insert(rows.end(), {IDB_PREVIEW_HEADER, IDB_PREVIEW_DETAIL_TORN});
  return rows;
}

UINT CExportCsvDialog::GetPreviewIcon(bool& transparent) const {
  transparent = true;
  return GetTarget() == kTargetClipboard ? IDB_PREVIEW_CLIPBOARD_ICON : IDB_PREVIEW_TEXT_ICON;
}
