#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <set>
#include <thread>

#include "document/ZedoDoc.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/Wnd.h"
#include "tests/document/MeasFixtures.h"

namespace {

// A view that records the document's change notices.
class CNoticeView : public CWnd {
 public:
  std::vector<int> notices;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_ZEDO_DOC_CHANGED) notices.push_back(int(wParam));
    return CWnd::WindowProc(message, wParam, lParam);
  }
  bool Create() { return CWnd::Create(nullptr, u"view", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0) != FALSE; }
};

class ChangeNoticeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(grid.Create());
    ASSERT_TRUE(summary.Create());
    doc.AddView(&grid);
    doc.AddView(&summary);
  }
  CUiApplication app;
  CNoticeView grid, summary;
  CZedoDoc doc;
};

TEST_F(ChangeNoticeTest, NoticesReachEveryViewButTheSender) {
  doc.UpdateAllViews(&grid, 3);
  doc.UpdateAllViews(nullptr, -1);
  PumpMessages(10);
  EXPECT_EQ(grid.notices, (std::vector<int>{-1}));
  EXPECT_EQ(summary.notices, (std::vector<int>{3, -1}));

  EXPECT_TRUE(doc.RemoveView(&grid));
  EXPECT_FALSE(doc.RemoveView(&grid));
  doc.UpdateAllViews(nullptr, 5);
  PumpMessages(10);
  EXPECT_EQ(grid.notices, (std::vector<int>{-1}));
}

TEST_F(ChangeNoticeTest, ViewsGoneWithoutUnregisteringAreSkipped) {
  auto gone = std::make_unique<CNoticeView>();
  ASSERT_TRUE(gone->Create());
  doc.AddView(gone.get());
  grid.DestroyWindow();
  gone.reset();
  doc.UpdateAllViews(nullptr, -1);
  PumpMessages(10);
  EXPECT_TRUE(grid.notices.empty());
  EXPECT_EQ(summary.notices, (std::vector<int>{-1}));
}

TEST_F(ChangeNoticeTest, SelectionAndDownloadPostTheirNotices) {
  EXPECT_FALSE(doc.SetSelected(0, false)) << "an empty list";
  doc.SelectAll(false);
  PumpMessages(10);
  EXPECT_TRUE(summary.notices.empty());

  const std::vector<BYTE> download = Concat({CRawRecord().Slot(1), CRawRecord().Slot(2)});
  std::thread worker([&] { doc.AddDownloadedData(download.data(), download.size(), nullptr); });
  worker.join();
  EXPECT_TRUE(doc.SetSelected(1, false));
  doc.SelectAll(true);
  PumpMessages(10);
  EXPECT_EQ(summary.notices, (std::vector<int>{-1, 1, -1}));
  EXPECT_EQ(doc.GetCount(), 2);
}

// Downloads put their lists in place on their own thread while the user-interface thread keeps
// asking the document and handling its notices: each answer comes from one whole list, and
// every download posts its notice.
TEST_F(ChangeNoticeTest, DownloadsOnTheirThreadMeetTheQuestionsOfTheViews) {
  const std::vector<BYTE> two = Concat({CRawRecord().Slot(1), CRawRecord().Slot(2)});
  const std::vector<BYTE> three = Concat({CRawRecord().Slot(4), CRawRecord().Slot(5), CRawRecord().Slot(6)});
  constexpr int kDownloads = 20;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    for (int i = 0; i < kDownloads; ++i) {
      const std::vector<BYTE>& download = i % 2 ? three : two;
      doc.AddDownloadedData(download.data(), download.size(), nullptr);
    }
    done = true;
  });
  std::set<std::pair<int, int>> seen;  // (count, slot of the first measurement)
  while (!done) {
    seen.insert({doc.GetCount(), doc.HasMeasurements() ? doc.GetSlotId(0) : 0});
    PumpMessages();
  }
  worker.join();
  PumpMessages(10);
  for (const auto& [count, slot] : seen) {
    EXPECT_TRUE(count == 0 || count == 2 || count == 3) << count << " measurements";
    EXPECT_TRUE(slot == 0 || slot == 1 || slot == 4) << "first slot " << slot;
  }
  EXPECT_EQ(summary.notices, std::vector<int>(kDownloads, -1));
  EXPECT_EQ(doc.GetCount(), 3);
  EXPECT_EQ(doc.GetSlotId(0), 4);
}

}  // namespace
