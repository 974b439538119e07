#pragma once
// The measurement page on a shown window of its own, 1280 x 800, filled with `count` tests as a
// download fills the document; shared by the benchmarks of the page.

#include <vector>

#include "bench/MeasRecords.h"
#include "document/ZedoDoc.h"
#include "platform/ui/SimulatedInput.h"
#include "resources/ResourceIds.h"
#include "views/TabGrid.h"

struct STabGridHost {
  static constexpr int kWidth = 1280;
  static constexpr int kHeight = 800;

  explicit STabGridHost(int count) : page(&host, &doc) {
    host.CreateEx(0, nullptr, u"ZD-Zedo", WS_POPUP, CRect(0, 0, kWidth, kHeight), nullptr, 0);
    page.Create(IDD_TAB_GRID, &host);
    page.MoveWindow(0, 0, kWidth, kHeight);
    page.ShowWindow(SW_SHOW);
    host.ShowWindow(SW_SHOW);
    const std::vector<BYTE> records = Records(count);
    doc.AddDownloadedData(records.data(), records.size(), nullptr);
    PumpMessages();
  }
  ~STabGridHost() {
    page.DestroyWindow();
    host.DestroyWindow();
  }
  CCellGrid& Grid() { return page.GetGrid(); }

  CZedoDoc doc;
  CWnd host;
  CTabGrid page;
};
