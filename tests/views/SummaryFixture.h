#pragma once
// A summary page on a host window of its own, with a project document filled from hand-built
// records, as the tab sheet would hold it.

#include <gtest/gtest.h>

#include <vector>

#include "document/ZedoDoc.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "resources/ProgramResources.h"
#include "resources/ResourceIds.h"
#include "tests/document/MeasFixtures.h"
#include "tests/support/TestEnvironment.h"
#include "views/SummaryView.h"
#include "views/TabSummary.h"

class SummaryPageTest : public ::testing::Test {
 protected:
  SummaryPageTest() : page(&host, &doc) {
    PinTimeZone("Europe/Berlin");
    RegisterProgramResources(nullptr);
    host.CreateEx(0, nullptr, u"ZD-Zedo", WS_POPUP, CRect(0, 0, 1280, 800), nullptr, 0);
    page.Create(IDD_TAB_SUMMARY, &host);
    Resize(1280, 800);
    page.ShowWindow(SW_SHOW);
    host.ShowWindow(SW_SHOW);
  }
  ~SummaryPageTest() override {
    page.DestroyWindow();
    host.DestroyWindow();
  }

  CSummaryView& View() { return *page.GetView(); }
  void Resize(int width, int height) {
    host.MoveWindow(0, 0, width, height);
    page.MoveWindow(0, 0, width, height);
  }
  // Fills the document as a download does and lets the notice reach the page, then paints.
  void Load(const std::vector<CRawRecord>& records) {
    std::vector<BYTE> bytes;
    for (const CRawRecord& r : records) bytes.insert(bytes.end(), r.Bytes().begin(), r.Bytes().end());
    const SMeasDeviceInfo device = DeviceBlock(16000);
    ASSERT_TRUE(doc.AddDownloadedData(bytes.data(), bytes.size(), &device));
    Repaint();
  }
  void Repaint() {
    PumpMessages();
    View().UpdateWindow();
  }
  static std::vector<CRawRecord> Peaks(std::initializer_list<unsigned> peaks) {
    std::vector<CRawRecord> records;
    unsigned id = 1;
    for (unsigned peak : peaks) {
      records.push_back(CRawRecord().Id(id).Peak(peak).Date(2021, 3, 1, 8, 0, int(id)));
      ++id;
    }
    return records;
  }
  // The client point of a hit region with the id (and the data, unless -1): the middle of the
  // first row of the region, scanning the view row by row.
  CPoint FindHit(int wantedId, int wantedData = -1) {
    CRect client;
    View().GetClientRect(client);
    for (int y = 0; y < client.bottom; y += 2) {
      for (int x = 0; x < client.right; ++x) {
        int id = 0;
        int data = 0;
        if (!View().GetHitAreas().HitTest(CPoint(x, y), &id, &data, nullptr, nullptr)) continue;
        if (id != wantedId || (wantedData >= 0 && data != wantedData)) continue;
        int right = x;
        int rightId = id;
        int rightData = data;
        while (rightId == id && rightData == data &&
               View().GetHitAreas().HitTest(CPoint(right + 1, y), &rightId, &rightData, nullptr, nullptr))
          ++right;
        return CPoint((x + right) / 2, y + 1);
      }
    }
    ADD_FAILURE() << "no hit region " << wantedId << " / " << wantedData;
    return CPoint(-1, -1);
  }
  void MoveMouse(CPoint point) { SimulateMouse(&View(), SimulatedMouseAction::Move, 0, point, 0, 0); }

  CUiApplication app;
  CZedoDoc doc;
  CWnd host;
  CTabSummary page;
};
