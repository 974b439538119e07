#include "views/ExportBmpDialog.h"

#include <charconv>
#include <string>
#include <vector>

#include "appbase/LoadStringOrPlaceholder.h"
#include "appbase/Registry.h"
#include "platform/registry/RegistryStore.h"
#include "platform/ui/MessageBox.h"
#include "resources/ResourceIds.h"

namespace {

// Longest stored choice text that is read, in characters.
constexpr int kLongestChoiceText = 100;
const char16_t* const kChoiceNames[CExportOptionsDialog::kColumnCount] = {u"ImgExpSource", u"ImgExpTarget",
                                                                          u"ImgExpSelection"};

// The code a stored text holds: decimal digits, a minus sign allowed in front. False for any other
// text and for a number beyond an int, which cannot be a code.
bool ReadChoiceCode(const CString& text, int& code) {
  const std::string digits = text.ToUtf8();
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, code);
  return error == std::errc() && stop == end;
}

std::array<SExportColumn, CExportOptionsDialog::kColumnCount> PictureColumns() {
  using D = CExportBmpDialog;
  return {{{IDS_EXPORT_BMP_CONTENT_HEADING,
            126,
            D::kHeadersAndDetails,
            {{D::kHeadersOnly, IDS_EXPORT_HEADERS_ONLY, IDB_EXPORT_HEADERS_ONLY},
             {D::kAsIs, IDS_EXPORT_AS_IS, IDB_EXPORT_AS_IS},
             {D::kHeadersAndDetails, IDS_EXPORT_HEADERS_DETAILS, IDB_EXPORT_HEADERS_DETAILS}}},
           {IDS_EXPORT_BMP_TARGET_HEADING,
            180,
            D::kOneFile,
            {{D::kOneFile, IDS_EXPORT_ONE_FILE, IDB_EXPORT_PICTURE_FILE},
             {D::kEachFile, IDS_EXPORT_EACH_FILE, IDB_EXPORT_PICTURE_FILES},
             {D::kClipboard, IDS_EXPORT_CLIPBOARD, IDB_EXPORT_CLIPBOARD}}},
           {IDS_EXPORT_BMP_DATA_HEADING,
            90,
            D::kSelectionOnly,
            {{D::kAllData, IDS_EXPORT_ALL, IDB_EXPORT_ALL},
             {D::kSelectionOnly, IDS_EXPORT_SELECTION, IDB_EXPORT_SELECTION}}}}};
}

}  // namespace

CExportBmpDialog::CExportBmpDialog(bool selectionExists, CWnd* parent)
    : CExportOptionsDialog(IDD_EXPORT_BMP, IDC_EXPORT_BMP_FONT, PictureColumns(), selectionExists, parent) {
  LoadSettings();
  KeepKnownChoices();
  LoadPictures({IDB_PREVIEW_COLUMN_HEADERS, IDB_PREVIEW_HEADER, IDB_PREVIEW_HEADER_TORN, IDB_PREVIEW_DETAIL,
                IDB_PREVIEW_DETAIL_TORN, IDB_PREVIEW_PICTURE_ICON, IDB_PREVIEW_CLIPBOARD_ICON});
}

int CExportBmpDialog::GetContent() const {
  const int code = m_choices[0];
  return code == kHeadersOnly ? 0 : code == kAsIs ? 1 : 2;
}

int CExportBmpDialog::GetTarget() const {
  const int code = m_choices[1];
  return code == kOneFile ? kTargetOneFile : code == kClipboard ? kTargetClipboard : kTargetEachFile;
}

bool CExportBmpDialog::IsAllData() const { return m_choices[2] == kAllData; }

// Read and written directly as texts: a value of another type is not used, nor is a text that is
// no number, and a write that fails goes unreported.
void CExportBmpDialog::LoadSettings() {
  if (!RegKeyExists(kSettingsKey)) return;
  for (int column = 0; column < kColumnCount; ++column) {
    CString text;
    int code = 0;
    if (RegGetString(kSettingsKey, kChoiceNames[column], text) && text.GetLength() <= kLongestChoiceText &&
        ReadChoiceCode(text, code))
      m_choices[size_t(column)] = code;
  }
}

// One change of the settings store for the three texts: each change rewrites and syncs it.
void CExportBmpDialog::SaveSettings() {
  std::vector<SRegValue> values;
  for (int column = 0; column < kColumnCount; ++column) {
    CString text;
    text.Format(u"%d", m_choices[size_t(column)]);
    values.push_back(SRegValue::String(kChoiceNames[column], text));
  }
  RegSetValues(kSettingsKey, values);
}

void CExportBmpDialog::ShowNoSelectionMessage() {
  MessageBox(this, LoadStringOrPlaceholder(IDS_EXPORT_NO_SELECTION), u"ZD-Zedo", MB_OK | MB_ICONEXCLAMATION);
}

CString CExportBmpDialog::GetDefaultExtension() const { return u"png"; }

CString CExportBmpDialog::GetDefaultFileName() const {
  return LoadStringOrPlaceholder(IDS_GRAPHIC_FILE_NAME);
}

CString CExportBmpDialog::GetFileFilter() const {
  return LoadStringOrPlaceholder(IDS_FILTER_PNG) + u" (*.png)|*.png|" +
         LoadStringOrPlaceholder(IDS_FILTER_BMP) + u" (*.bmp)|*.bmp|" +
         LoadStringOrPlaceholder(IDS_FILTER_JPG) + u" (*.jpg)|*.jpg|" +
         LoadStringOrPlaceholder(IDS_FILTER_ALL) + u" (*.*)|*.*||";
}

bool CExportBmpDialog::AcceptFileEnding(const CString& ending) {
  if (ending.CompareNoCase(u".bmp") == 0)
    m_nImageType = kBmp;
  else if (ending.CompareNoCase(u".png") == 0)
    m_nImageType = kPng;
  else if (ending.CompareNoCase(u".jpg") == 0)
    m_nImageType = kJpeg;
  else
    return false;
  return true;
}

std::vector<UINT> CExportBmpDialog::GetPreviewRows(int picture) const {
  const bool severalRows = GetTarget() != kTargetEachFile;
  std::vector<UINT> rows{IDB_PREVIEW_HEADER};
  switch (GetContent()) {
    case 0:
      if (severalRows) rows.insert(rows.end(), {IDB_PREVIEW_HEADER, IDB_PREVIEW_HEADER});
      break;
    case 1:
      if (severalRows)
        rows.insert(rows.end(), {IDB_PREVIEW_HEADER, IDB_PREVIEW_DETAIL, IDB_PREVIEW_HEADER});
      else if (picture == 1)
        rows.push_back(IDB_PREVIEW_DETAIL);
      break;
    default:
      rows.push_back(IDB_PREVIEW_DETAIL);
      if (severalRows)
        rows.insert(rows.end(),
                    {IDB_PREVIEW_HEADER, IDB_PREVIEW_DETAIL, IDB_PREVIEW_HEADER, IDB_PREVIEW_DETAIL});
      break;
  }
  // Torn strips stand for the further rows of all measurements.
  if (IsAllData() && severalRows) {
    if (GetContent() == 0)
      rows.push_back(IDB_PREVIEW_HEADER_TORN);
    else
      rows.insert(rows.end(), {IDB_PREVIEW_HEADER, IDB_PREVIEW_DETAIL_TORN});
  }
  return rows;
}

UINT CExportBmpDialog::GetPreviewIcon(bool& transparent) const {
  transparent = GetTarget() == kTargetClipboard;
  return transparent ? IDB_PREVIEW_CLIPBOARD_ICON : IDB_PREVIEW_PICTURE_ICON;
}
