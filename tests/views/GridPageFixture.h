#pragma once
// A measurement page on a main window of its own that records the status-bar texts, with a
// project document filled from hand-built records, as the tab sheet would hold it.

#include <gtest/gtest.h>

#include <vector>

#include "document/ZedoDoc.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "tests/document/MeasFixtures.h"
#include "views/TabGrid.h"

// The main window: keeps every text the page sends to the status bar.
class CStatusRecorder : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  std::vector<CString> texts;

 private:
  LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
};

// The program's resources, bitmaps included, and the RAM disk the document's clipboard image
// passes through; ready before the page is made.
struct SProgramReady {
  SProgramReady();
  ~SProgramReady();
};

class GridPageTest : public ::testing::Test {
 protected:
  GridPageTest();
  ~GridPageTest() override;

  CCellGrid& Grid() { return page.GetGrid(); }
  // Fills the document as a download does, with the instrument's load limit, and lets the
  // notice reach the page.
  void Load(const std::vector<CRawRecord>& records, int loadLimit = 16000);
  // Records with IDs 1, 2, ... one minute apart.
  static std::vector<CRawRecord> Tests(int count);
  // The grid's notice to its owner, as the grid sends it after its own handling.
  void Notify(int row, int col, int code) { Grid().SendNotification(row, col, code); }
  // Selects the header and detail row of each measurement, as Ctrl+clicks would.
  void ChooseMeasurements(std::initializer_list<int> indexes);
  // Paints until no detail row changes its height any more (a row opens or closes in steps).
  void SettleRows();
  CString LastStatus() const { return host.texts.empty() ? CString() : host.texts.back(); }
  std::vector<DWORD> Ids();

  CUiApplication app;
  SProgramReady ready;
  CScriptedAnswers answers;
  CZedoDoc doc;
  CStatusRecorder host;
  CTabGrid page;
};
