// The text export of the measurement page: the measurement list or the report of the chosen
// measurements, as UTF-16LE text with a byte-order mark into one file or one file per
// measurement, or onto the clipboard. Each text is measured by its writer and then written into
// a buffer of exactly that length. A file takes its name only once it is complete, so that a
// failed export leaves no partial file under the chosen name.

#include <memory>
#include <new>
#include <string>

#include "appbase/LoadStringOrPlaceholder.h"
#include "platform/base/ErrorCodes.h"
#include "platform/base/FileException.h"
#include "platform/ui/Clipboard.h"
#include "resources/ResourceIds.h"
#include "views/ExportCsvDialog.h"
#include "views/ExportFile.h"
#include "views/ExportNames.h"
#include "views/ExportProgress.h"
#include "views/TabGrid.h"

namespace {

// The text export finds the chosen measurements through their column 1.
constexpr int kChoiceColumn = 1;
constexpr BYTE kByteOrderMark[2] = {0xFF, 0xFE};
constexpr char16_t kBlockSeparator[] = u"\r\n--------------------------------------------\r\n";

void WriteText(CExportFile& file, const std::u16string& text) {
  // UTF-16 code units in little-endian order, as this machine keeps them.
  file.Write(text.data(), int(text.size() * sizeof(char16_t)));
}

// Runs the writing of one file; memory that runs out on the way is a failure of that file.
template <class F>
void WritingFile(const CString& path, F&& write) {
  try {
    write();
  } catch (const std::bad_alloc&) {
    ThrowFileException(ERROR_NOT_ENOUGH_MEMORY, path);
  }
}

// Opens the file for an export; none, after saying so, when it cannot be created.
std::unique_ptr<CExportFile> OpenExportFile(CWnd* owner, const CString& path) {
  try {
    return std::make_unique<CExportFile>(path);
  } catch (const CFileException&) {
    ShowExportBox(owner, LoadStringOrPlaceholder(IDS_FILE_NOT_CREATED));
    return nullptr;
  }
}

}  // namespace

std::vector<int> CTabGrid::ChosenForText(bool allData) const {
  std::vector<int> chosen;
  for (int row = 1; row + 1 < m_Grid.GetRowCount(); row += 2)
    if (allData || m_Grid.IsCellSelected(row, kChoiceColumn) || m_Grid.IsCellSelected(row + 1, kChoiceColumn))
      chosen.push_back(row / 2);
  return chosen;
}

int CTabGrid::FormatText(const STextJob& job, int index, WCHAR* buffer, int bufferLength) {
  return job.report ? FormatReportRow(index, job.withCurve, buffer, bufferLength)
                    : FormatListRow(index, job.withCurve, buffer, bufferLength);
}

std::u16string CTabGrid::BuildText(const STextJob& job, int index) {
  std::u16string text(size_t(FormatText(job, index, nullptr, 0)), u'\0');
  FormatText(job, index, text.data(), int(text.size()));
  return text;
}

LRESULT CTabGrid::OnExportCsv(WPARAM, LPARAM) {
  CExportCsvDialog dialog(HasSelectedCell(), this);
  if (dialog.DoModal() != IDOK) return 1;
  const STextJob job{dialog.GetFormat() == 1, dialog.m_bCurve, dialog.GetPath(),
                     ChosenForText(dialog.IsAllData())};
  m_lastExport = SExportResult{int(job.chosen.size()), {}};
  CExportProgress progress(this);
  try {
    switch (dialog.GetTarget()) {
      case CExportOptionsDialog::kTargetOneFile:
        ExportTextToFile(job, progress);
        break;
      case CExportOptionsDialog::kTargetEachFile:
        ExportTextToEachFile(job, progress);
        break;
      default:
        if (!CopyTextToClipboard(job, progress)) return 0;
        break;
    }
  } catch (const CFileException& e) {
    ShowExportBox(this, e.GetErrorMessage());
  } catch (const std::bad_alloc&) {
    // Memory ran out before a file was begun, or while the clipboard's text was measured.
    ShowExportBox(this, job.path.IsEmpty()
                            ? LoadStringOrPlaceholder(IDS_CLIPBOARD_COPY_FAILED)
                            : CFileException(ERROR_NOT_ENOUGH_MEMORY, job.path).GetErrorMessage());
  }
  progress.SetPos(100);
  progress.Linger();
  return 0;
}

void CTabGrid::ExportTextToFile(const STextJob& job, CExportProgress& progress) {
  std::unique_ptr<CExportFile> file = OpenExportFile(this, job.path);
  if (!file) return;
  WritingFile(job.path, [&] {
    file->Write(kByteOrderMark, sizeof kByteOrderMark);
    if (!job.report) WriteText(*file, BuildText(job, -1));
    const int count = int(job.chosen.size());
    for (int n = 0; n < count; ++n) {
      progress.SetPos(100 * n / count);
      progress.SetText(IDS_EXPORT_CREATING, job.path);
      if (job.report && n > 0) WriteText(*file, kBlockSeparator);
      WriteText(*file, BuildText(job, job.chosen[size_t(n)]));
    }
  });
  file->Commit();
  m_lastExport.files.push_back(job.path);
}

void CTabGrid::ExportTextToEachFile(const STextJob& job, CExportProgress& progress) {
  const std::u16string header = job.report ? std::u16string() : BuildText(job, -1);
  const int count = int(job.chosen.size());
  for (int n = 1; n <= count; ++n) {
    const CString name = NumberedExportName(job.path, n);
    progress.SetPos(100 * (n - 1) / count);
    progress.SetText(IDS_EXPORT_CREATING, name);
    std::unique_ptr<CExportFile> file = OpenExportFile(this, name);
    if (!file) return;
    WritingFile(name, [&] {
      file->Write(kByteOrderMark, sizeof kByteOrderMark);
      WriteText(*file, header);
      WriteText(*file, BuildText(job, job.chosen[size_t(n - 1)]));
    });
    file->Commit();
    m_lastExport.files.push_back(name);
  }
}

bool CTabGrid::CopyTextToClipboard(const STextJob& job, CExportProgress& progress) {
  progress.SetText(IDS_EXPORT_CREATING, job.path);
  const int count = int(job.chosen.size());
  const int separatorLength = int(std::char_traits<char16_t>::length(kBlockSeparator));
  int total = job.report ? 0 : FormatText(job, -1, nullptr, 0);
  for (int n = 0; n < count; ++n) {
    if (job.report && n > 0) total += separatorLength;
    total += FormatText(job, job.chosen[size_t(n)], nullptr, 0);
    progress.SetPos(40 * (n + 1) / count);
  }
  std::vector<BYTE> block;
  try {
    // One buffer for the whole text; each writer fills the room that is left.
    std::u16string text(size_t(total), u'\0');
    progress.SetText(IDS_EXPORT_CREATING, job.path);
    int at = job.report ? 0 : FormatText(job, -1, text.data(), total);
    for (int n = 0; n < count; ++n) {
      if (job.report && n > 0) {
        text.replace(size_t(at), size_t(separatorLength), kBlockSeparator);
        at += separatorLength;
      }
      at += FormatText(job, job.chosen[size_t(n)], text.data() + at, total - at);
      progress.SetPos(40 + 60 * (n + 1) / count);
    }
    block = MakeTextBlock(CF_UNICODETEXT, CString(text.data(), int(text.size())));
  } catch (const std::bad_alloc&) {
    ShowExportBox(this, LoadStringOrPlaceholder(IDS_CLIPBOARD_COPY_FAILED));
    return false;
  }
  bool placed = false;
  // A clipboard that someone else holds open is not ours to close.
  if (OpenClipboard(this)) {
    placed = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, std::move(block));
    CloseClipboard();
  }
  if (!placed) {
    ShowExportBox(this, LoadStringOrPlaceholder(IDS_CLIPBOARD_COPY_FAILED));
    return false;
  }
  return true;
}
