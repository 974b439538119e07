// The step grid's two actions: the reference loads typed in CAL MODE, and the copy of the
// instrument's loads in VERIFICATION MODE.

#include <climits>
#include <cmath>
#include <cstdlib>

#include "appbase/BoxCaption.h"
#include "appbase/LoadStringOrPlaceholder.h"
#include "calibration/GridDlg.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/OleDataSource.h"
#include "platform/ui/TextBlocks.h"
#include "resources/ResourceIds.h"

namespace {

constexpr char16_t kNumberCharacters[] = u".0123456789";
constexpr double kNewtonsPerKilonewton = 1000.0;
constexpr double kNewtonsPerPoundForce = 4.44822;

// Newtons per unit of the load unit; 0 for an unknown unit.
double NewtonsPerUnit(int loadUnit) {
  switch (loadUnit) {
    case 0:
      return 1.0;
    case 1:
      return kNewtonsPerKilonewton;
    case 2:
      return kNewtonsPerPoundForce;
    default:
      return 0.0;
  }
}

// One decimal number: digits with at most one full stop among them.
bool IsDecimalNumber(const CString& text) {
  if (text.IsEmpty() || text.SpanIncluding(kNumberCharacters).GetLength() != text.GetLength()) return false;
  int stops = 0;
  for (int i = 0; i < text.GetLength(); ++i) stops += text[i] == u'.' ? 1 : 0;
  return stops <= 1;
}

}  // namespace

bool CGridDlg::ParseLoadCell(const CString& text, int& load) const {
  CString number = text;
  number.Trim();
  const double factor = NewtonsPerUnit(m_loadUnit);
  if (factor == 0.0 || !IsDecimalNumber(number)) return false;
  // std::round rounds halves away from zero.
  const double newtons = std::round(std::strtod(number.ToUtf8().c_str(), nullptr) * factor);
  // A load beyond any int is no load a reference device shows.
  if (newtons <= 0 || newtons > INT_MAX) return false;
  load = int(newtons);
  return true;
}

void CGridDlg::CollectReferenceLoads() {
  m_collected = true;
  m_collectedRuns = 0;
  for (std::vector<int>& values : m_runValues) values.clear();
  CString emptyCells;
  CString badCells;
  const CString emptyFormat = LoadStringOrPlaceholder(IDS_GRID_CELL_EMPTY);
  const CString badFormat = LoadStringOrPlaceholder(IDS_GRID_CELL_NOT_NUMBER);
  for (int col = kFixedColumns; col < m_grid.GetColumnCount() && col - kFixedColumns < kMaxRuns; ++col) {
    ++m_collectedRuns;
    const int run = col - kFixedColumns + 1;
    for (int row = kFixedRows; row < m_grid.GetRowCount(); ++row) {
      const CString text = m_grid.GetCellText(row, col);
      int load = 0;
      if (text.IsEmpty())
        emptyCells.AppendFormat(emptyFormat.GetString(), row, run);
      else if (ParseLoadCell(text, load))
        m_runValues[std::size_t(run - 1)].push_back(load);
      else
        badCells.AppendFormat(badFormat.GetString(), row, run);
    }
  }
  if (!emptyCells.IsEmpty() || !badCells.IsEmpty()) {
    m_collected = false;
    MessageBox(this, LoadStringOrPlaceholder(IDS_GRID_INVALID_CELLS) + badCells + emptyCells, kBoxCaption,
               MB_OK | MB_ICONERROR);
    return;
  }
  EndDialog(IDOK);
  if (m_owner) m_owner->PostMessage(kGridResultMessage, 1, 0);
}

std::string CGridDlg::BuildCopyText() const {
  std::string text;
  for (int row = kFixedRows; row < m_grid.GetRowCount(); ++row) {
    CString line;
    for (int col = kFixedColumns; col < m_grid.GetColumnCount(); ++col) {
      if (col > kFixedColumns) line += u'\t';
      line += m_grid.GetCellText(row, col);
    }
    line += u"\r\n";
    text += line.ToAnsi();
  }
  return text;
}

void CGridDlg::CopyToClipboard() {
  const std::string text = BuildCopyText();
  std::vector<BYTE> block(text.begin(), text.end());
  block.push_back(0);
  COleDataSource source;
  source.CacheGlobalData(CF_TEXT, std::move(block));
  source.SetClipboard();
}
