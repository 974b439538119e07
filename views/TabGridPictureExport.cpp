// The picture export of the measurement page: the grid is rendered with only the exported
// measurements' rows shown, their detail rows opened or closed as chosen, and encoded as BMP,
// PNG or JPEG into one file, one file per measurement, or put on the clipboard as a bitmap.
// Whatever happens, every row, the grid's redraw and the page's enabled state are put back.

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "appbase/LoadStringOrPlaceholder.h"
#include "document/ZedoDoc.h"
#include "platform/base/FileException.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Gdi.h"
#include "platform/ui/Clipboard.h"
#include "resources/ResourceIds.h"
#include "toolkit/ImageObj.h"
#include "views/DetailGripperCell.h"
#include "views/ExportBmpDialog.h"
#include "views/ExportFile.h"
#include "views/ExportNames.h"
#include "views/ExportProgress.h"
#include "views/SeriesCell.h"
#include "views/TabGrid.h"

namespace {

// The picture export finds the chosen measurements through their value column.
constexpr int kColumnHeaderHeight = 26;
constexpr int kHeaderRowHeight = 22;
constexpr BYTE kJpegQuality = 90;
constexpr int kPictureBitsPerPixel = 24;

DWORD EncoderType(int imageType) {
  if (imageType == CExportBmpDialog::kBmp) return IMAGE_TYPE_BMP;
  if (imageType == CExportBmpDialog::kJpeg) return IMAGE_TYPE_JPEG;
  return IMAGE_TYPE_PNG;
}

// Whether a measurement in the picture shows its detail row.
bool OpensDetail(int content, bool expanded) { return content == 2 || (content == 1 && expanded); }

// Copies the strip's rows into the picture from its row `top` (counted from the top) on; a strip
// whose rows are not as long as the picture's is left out.
void CopyStripRows(CImageObj& strip, CImageObj& picture, int top) {
  if (strip.GetRowBytes() != picture.GetRowBytes()) return;
  const int stripHeight = int(strip.GetHeight());
  const int pictureHeight = int(picture.GetHeight());
  for (int row = 0; row < stripHeight && top + row < pictureHeight; ++row) {
    // Both are bottom-up: the top row is the last one.
    std::memcpy(picture.GetBits(DWORD(pictureHeight - 1 - (top + row))),
                strip.GetBits(DWORD(stripHeight - 1 - row)), picture.GetRowBytes());
  }
}

// The page stays disabled while the export runs, on every way out.
class CDisabledWhileExporting {
 public:
  explicit CDisabledWhileExporting(CWnd& page) : m_page(page) { m_page.EnableWindow(FALSE); }
  ~CDisabledWhileExporting() { m_page.EnableWindow(TRUE); }
  CDisabledWhileExporting(const CDisabledWhileExporting&) = delete;
  CDisabledWhileExporting& operator=(const CDisabledWhileExporting&) = delete;

 private:
  CWnd& m_page;
};

}  // namespace

bool CTabGrid::HasSelectedCell() { return m_Grid.IsValidRange(m_Grid.GetSelectedCellRange()) != FALSE; }

bool CTabGrid::IsChosenForPicture(int index) const {
  const UINT states =
      m_Grid.GetCellState(2 * index + 1, kValueColumn) | m_Grid.GetCellState(2 * index + 2, kValueColumn);
  return (states & (GCS_SELECTED | GCS_FOCUSED)) != 0;
}

void CTabGrid::ShowPictureRow(int index, bool shown, bool open) {
  m_Grid.SetRowHeight(2 * index + 1, shown ? kHeaderRowHeight : 0);
  CDetailGripperCell* gripper = GripperOf(index);
  CSeriesCell* series = SeriesCellOf(index);
  if (gripper) gripper->SetCollapsed(!open);
  if (series) {
    if (open)
      series->Expand(true);
    else
      series->Collapse(true);
  }
  m_pDoc->SetExpanded(index, open);
}

void CTabGrid::RestorePictureRows(const std::vector<SPictureRow>& rows, CExportProgress& progress) {
  m_Grid.SetRowHeight(0, kColumnHeaderHeight);
  const int rowCount = std::max(m_Grid.GetRowCount(), 1);
  for (int index = 0; index < int(rows.size()); ++index) {
    ShowPictureRow(index, true, rows[size_t(index)].expanded);
    progress.SetPos(90 + 10 * (2 * index + 1) / rowCount);
  }
  m_Grid.SetRedraw(TRUE);
}

LRESULT CTabGrid::OnExportGraphic(WPARAM, LPARAM) {
  CExportBmpDialog dialog(HasSelectedCell(), this);
  if (dialog.DoModal() != IDOK) return 1;
  CDisabledWhileExporting disabled(*this);
  CExportProgress progress(this);
  SPictureJob job{dialog.GetContent(), dialog.GetTarget(), dialog.GetImageType(), dialog.GetPath(), 0};
  {
    m_Grid.SetRedraw(FALSE);
    std::vector<SPictureRow> rows;
    const int rowCount = std::max(m_Grid.GetRowCount(), 1);
    for (int row = 1; row + 1 < m_Grid.GetRowCount(); row += 2) {
      const int index = row / 2;
      rows.push_back({m_pDoc->IsExpanded(index), dialog.IsAllData() || IsChosenForPicture(index)});
      progress.SetPos(10 * row / rowCount);
    }
    job.count =
        dialog.IsAllData()
            ? m_Grid.GetRowCount() / 2
            : int(std::count_if(rows.begin(), rows.end(), [](const SPictureRow& r) { return r.chosen; }));
    m_lastExport = SExportResult{job.count, {}};
    // Puts every row back however the export ends.
    struct SRestore {
      CTabGrid& page;
      const std::vector<SPictureRow>& rows;
      CExportProgress& progress;
      ~SRestore() { page.RestorePictureRows(rows, progress); }
    } restore{*this, rows, progress};
    try {
      RunPictureExport(job, rows, progress);
    } catch (const std::bad_alloc&) {
      ShowExportBox(this, LoadStringOrPlaceholder(IDS_BITMAP_TOO_LARGE));
    } catch (const CFileException& e) {
      ShowExportBox(this, e.GetErrorMessage());
    }
  }
  progress.Linger();
  return 0;
}

void CTabGrid::RunPictureExport(SPictureJob& job, const std::vector<SPictureRow>& rows,
                                CExportProgress& progress) {
  if (job.target != CExportOptionsDialog::kTargetEachFile) {
    for (int index = 0; index < int(rows.size()); ++index) {
      const SPictureRow& row = rows[size_t(index)];
      ShowPictureRow(index, row.chosen, row.chosen && OpensDetail(job.content, row.expanded));
    }
  }
  if (job.target == CExportOptionsDialog::kTargetClipboard) {
    CopyPictureToClipboard();
    return;
  }
  // A picture of no measurement would be nothing but the column headers, or no file at all.
  if (job.count == 0) {
    ShowExportBox(this, LoadStringOrPlaceholder(IDS_EXPORT_NOTHING_CHOSEN));
    return;
  }
  ExportPictureStrips(job, rows, progress);
}

void CTabGrid::CopyPictureToClipboard() {
  CBitmap bitmap;
  if (!m_Grid.RenderToBitmap(&bitmap)) {
    ShowExportBox(this, LoadStringOrPlaceholder(IDS_BITMAP_TOO_LARGE));
    return;
  }
  // Emptied first, so that no earlier content (a copied measurement block) stays beside the
  // picture for a later paste to find.
  bool placed = false;
  // A clipboard that someone else holds open is not ours to close.
  if (OpenClipboard(this)) {
    // The clipboard owns the bitmap once it accepts it (and may free it at once); until then
    // it is ours to free.
    const HBITMAP handle = HBITMAP(bitmap.Detach());
    placed = EmptyClipboard() && SetClipboardData(CF_BITMAP, handle);
    if (!placed) ::DeleteObject(handle);
    CloseClipboard();
  }
  if (!placed) ShowExportBox(this, LoadStringOrPlaceholder(IDS_CLIPBOARD_COPY_FAILED));
}

void CTabGrid::ExportPictureStrips(const SPictureJob& job, const std::vector<SPictureRow>& rows,
                                   CExportProgress& progress) {
  const bool oneFile = job.target == CExportOptionsDialog::kTargetOneFile;
  const int totalWidth = m_Grid.GetTotalWidth();
  const int totalHeight = m_Grid.GetTotalHeight();
  CImageObj picture;
  int runningHeight = 0;
  int previous = -1;
  for (int index = 0, n = 0; index < int(rows.size()) && n < job.count; ++index) {
    if (!rows[size_t(index)].chosen) continue;
    // Every other measurement is hidden once; later only the one shown before changes.
    if (previous < 0) {
      for (int other = 0; other < int(rows.size()); ++other)
        if (other != index) ShowPictureRow(other, false, false);
    } else {
      ShowPictureRow(previous, false, false);
    }
    ShowPictureRow(index, true, OpensDetail(job.content, rows[size_t(index)].expanded));
    if (oneFile && n > 0) m_Grid.SetRowHeight(0, 0);
    previous = index;

    CBitmap bitmap;
    CImageObj strip;
    if (!m_Grid.RenderToBitmap(&bitmap) || !strip.CreateFromHBITMAP(HBITMAP(bitmap.GetSafeHandle()))) {
      ShowExportBox(this, LoadStringOrPlaceholder(IDS_BITMAP_TOO_LARGE));
      return;
    }
    if (!oneFile) {
      const CString name = NumberedExportName(job.path, n + 1);
      progress.SetPos(10 + 80 * n / job.count);
      progress.SetText(IDS_EXPORT_EXPORTING, name);
      if (!WritePicture(strip, job, name)) return;
    } else {
      progress.SetPos(10 + 80 * n / job.count);
      progress.SetText(IDS_EXPORT_CREATING, job.path);
      if (n == 0 &&
          !picture.Create(DWORD(totalWidth), DWORD(totalHeight), kPictureBitsPerPixel, IMAGE_TYPE_UNKNOWN)) {
        ShowExportBox(this, LoadStringOrPlaceholder(IDS_BITMAP_TOO_LARGE));
        return;
      }
      runningHeight += int(strip.GetHeight());
      CopyStripRows(strip, picture, runningHeight - int(strip.GetHeight()));
    }
    ++n;
  }
  if (oneFile) WritePicture(picture, job, job.path);
}

bool CTabGrid::WritePicture(CImageObj& picture, const SPictureJob& job, const CString& path) {
  BYTE* buffer = nullptr;
  std::int32_t size = 0;
  picture.SetJpegQuality(kJpegQuality);
  const bool encoded = picture.EncodeToMemory(buffer, size, EncoderType(job.imageType));
  std::unique_ptr<BYTE, decltype(&std::free)> owned(buffer, &std::free);
  if (!encoded) {
    ShowExportBox(this, LoadStringOrPlaceholder(IDS_GRAPHIC_ENCODING_FAILED));
    return false;
  }
  std::unique_ptr<CExportFile> file;
  try {
    file = std::make_unique<CExportFile>(path);
  } catch (const CFileException&) {
    ShowExportBox(this, LoadStringOrPlaceholder(IDS_FILE_NOT_CREATED));
    return false;
  }
  file->Write(owned.get(), size);
  file->Commit();
  m_lastExport.files.push_back(path);
  return true;
}
