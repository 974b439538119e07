#include "tests/views/GridPageFixture.h"

#include "device/streamio/StreamIO.h"
#include "platform/ui/ResourceBitmaps.h"
#include "resources/ProgramResources.h"
#include "resources/ResourceIds.h"
#include "tests/support/TestEnvironment.h"

// clang-format off
BEGIN_MESSAGE_MAP(CStatusRecorder, CWnd)
  .OnMessage(WM_SETMESSAGESTRING, &CStatusRecorder::OnSetMessageString)
END_MESSAGE_MAP()
// clang-format on

LRESULT CStatusRecorder::OnSetMessageString(WPARAM, LPARAM lParam) {
  texts.push_back(lParam ? CString(reinterpret_cast<LPCTSTR>(lParam)) : CString());
  return 0;
}

SProgramReady::SProgramReady() {
  RegisterProgramResources(nullptr);
  UseResourceBitmaps();
  StreamIO::InitStreamIO();
}

SProgramReady::~SProgramReady() { StreamIO::ExitStreamIO(); }

GridPageTest::GridPageTest() : page(&host, &doc) {
  PinTimeZone("Europe/Berlin");
  host.CreateEx(0, nullptr, u"ZD-Zedo", WS_POPUP, CRect(0, 0, 1280, 800), nullptr, 0);
  AfxSetMainWnd(&host);
  page.Create(IDD_TAB_GRID, &host);
  page.MoveWindow(0, 0, 1280, 800);
  page.ShowWindow(SW_SHOW);
  host.ShowWindow(SW_SHOW);
}

GridPageTest::~GridPageTest() {
  page.DestroyWindow();
  AfxSetMainWnd(nullptr);
  host.DestroyWindow();
}

void GridPageTest::Load(const std::vector<CRawRecord>& records, int loadLimit) {
  std::vector<BYTE> bytes;
  for (const CRawRecord& r : records) bytes.insert(bytes.end(), r.Bytes().begin(), r.Bytes().end());
  const SMeasDeviceInfo device = DeviceBlock(loadLimit);
  ASSERT_TRUE(doc.AddDownloadedData(bytes.data(), bytes.size(), &device));
  PumpMessages();
}

std::vector<CRawRecord> GridPageTest::Tests(int count) {
  std::vector<CRawRecord> records;
  for (int i = 0; i < count; ++i)
    records.push_back(CRawRecord()
                          .Id(unsigned(i + 1))
                          .Slot(unsigned(i + 1))
                          .Peak(1000 + 10 * unsigned(i))
                          .Date(2021, 3, 1, 8, i / 60, i % 60));
  return records;
}

void GridPageTest::ChooseMeasurements(std::initializer_list<int> indexes) {
  Grid().SetSelectedRange(-1, -1, -1, -1);
  for (int index : indexes) {
    for (int row : {2 * index + 1, 2 * index + 2})
      for (int col = 0; col < CTabGrid::kColumnCount; ++col)
        Grid().SetCellState(row, col, Grid().GetCellState(row, col) | GCS_SELECTED);
  }
}

std::vector<DWORD> GridPageTest::Ids() {
  std::vector<DWORD> ids;
  for (int i = 0; i < doc.GetCount(); ++i) ids.push_back(doc.GetId(i));
  return ids;
}

void GridPageTest::SettleRows() {
  constexpr int kMostPaints = 200;
  std::vector<int> last;
  for (int paint = 0; paint < kMostPaints; ++paint) {
    Grid().RedrawWindow();
    PumpMessages();
    std::vector<int> heights;
    for (int row = 0; row < Grid().GetRowCount(); ++row) heights.push_back(Grid().GetRowHeight(row));
    if (heights == last) return;
    last = std::move(heights);
  }
  ADD_FAILURE() << "the rows keep changing";
}
