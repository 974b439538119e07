// The measurement page's printout: the grid prints itself, with the page's header and footer
// texts, keeping each test's header row and detail row on one page.

#include "appbase/LoadStringOrPlaceholder.h"
#include "device/FileVersionInfo.h"
#include "document/Units.h"
#include "document/ZedoDoc.h"
#include "resources/ResourceIds.h"
#include "views/TabGrid.h"

namespace {

// A test's two rows print together.
constexpr int kRowsPerTest = 2;

}  // namespace

SGridPrintInfo CTabGrid::BuildPrintInfo() const {
  SGridPrintInfo info;
  info.headerLeft = LoadStringOrPlaceholder(IDS_PRINT_MAKER);
  info.headerCenter = LoadStringOrPlaceholder(IDS_PRINT_TITLE);
  CFileVersionInfo program;
  program.CreateFromModule(nullptr);
  if (!program.GetFileVersion().IsEmpty())
    info.headerRight.Format(LoadStringOrPlaceholder(IDS_PRINT_VERSION).GetString(),
                            int(program.GetProductVersionPart(3)), int(program.GetProductVersionPart(2)),
                            int(program.GetProductVersionPart(1)), int(program.GetProductVersionPart(0)));
  info.pageFormatId = IDS_PRINT_PAGE_NUMBER;
  // The file name alone, without the folder the title may hold.
  const CString title = m_pDoc->GetTitle(false);
  info.footerCenter = title.Mid(title.ReverseFind(u'/') + 1);
  GetDateFormatString(&info.dateFormatId);
  GetTimeFormatString(&info.timeFormatId);
  return info;
}

LRESULT CTabGrid::OnPrint(WPARAM, LPARAM) {
  const SGridPrintInfo info = BuildPrintInfo();
  m_Grid.Print(nullptr, &info, kRowsPerTest);
  return 0;
}
