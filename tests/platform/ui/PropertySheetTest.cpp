#include <gtest/gtest.h>

#include <vector>

#include "platform/res/ResourceLookup.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/IPAddressCtrl.h"
#include "platform/ui/TabCtrl.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"

void RegisterUiTestResources(HMODULE module);

namespace {

constexpr UINT kFirstPage = 131, kSecondPage = 132;
constexpr int kNumber = 1101, kAddress = 1102;

// A page that records what the sheet asked of it and answers as the test sets.
class CRecordingPage : public CPropertyPage {
 public:
  CRecordingPage(UINT id, std::vector<std::string>& log) : CPropertyPage(id), m_log(log) {}
  BOOL OnSetActive() override {
    m_log.push_back("active " + std::to_string(GetTemplateId()));
    GetSheet()->SetWizardButtons(buttons);
    return TRUE;
  }
  LRESULT OnWizardNext() override { return nextAnswer; }
  BOOL OnWizardFinish() override { return finishAnswer; }
  void OnCancel() override { m_log.push_back("cancel " + std::to_string(GetTemplateId())); }
  DWORD buttons = PSWIZB_NEXT;
  LRESULT nextAnswer = 0;
  BOOL finishAnswer = TRUE;

 private:
  std::vector<std::string>& m_log;
};

// The first page takes a COM number of 1 to 9999.
class CNumberPage : public CRecordingPage {
 public:
  using CRecordingPage::CRecordingPage;
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Text(dx, kNumber, number);
    DDV_MinMaxUInt(dx, number, 1, 9999);
  }
  UINT number = 5;
};

class WizardSheet : public ::testing::Test {
 protected:
  WizardSheet() : first(kFirstPage, log), second(kSecondPage, log) {
    RegisterUiTestResources(nullptr);
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    sheet.SetWizardMode();
  }
  // Runs the sheet modally with the script working it.
  INT_PTR Run(std::function<void(CPropertySheet&)> script) {
    answers.AddModalDialogScript([this, script](CWnd&) {
      PumpMessages();
      script(sheet);
    });
    return sheet.DoModal();
  }
  static bool Shown(CPropertySheet& sheet, UINT id) { return sheet.GetDlgItem(int(id))->IsWindowVisible(); }
  static bool Enabled(CPropertySheet& sheet, UINT id) { return sheet.GetDlgItem(int(id))->IsWindowEnabled(); }

  CUiApplication application;
  CScriptedAnswers answers;
  std::vector<std::string> log;
  CNumberPage first;
  CRecordingPage second;
  CPropertySheet sheet{u"Wizard"};
};

TEST_F(WizardSheet, NextFinishAndTheButtonsThePagesAskFor) {
  second.buttons = PSWIZB_BACK | PSWIZB_DISABLEDFINISH;
  const INT_PTR result = Run([this](CPropertySheet& s) {
    EXPECT_TRUE(Shown(s, ID_WIZNEXT));
    EXPECT_FALSE(Shown(s, ID_WIZFINISH));
    EXPECT_FALSE(Enabled(s, ID_WIZBACK));
    EXPECT_FALSE(s.PressButton(ID_WIZBACK)) << "a disabled button cannot be pressed";
    EXPECT_TRUE(s.PressButton(ID_WIZNEXT));
    PumpMessages();
    EXPECT_EQ(s.GetActivePage(), &second);
    EXPECT_FALSE(Shown(s, ID_WIZNEXT)) << "Finish takes the place of Next";
    EXPECT_TRUE(Shown(s, ID_WIZFINISH));
    EXPECT_FALSE(s.PressButton(ID_WIZFINISH)) << "a disabled Finish cannot end the wizard";
    s.SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
    PumpMessages();
    EXPECT_TRUE(s.PressButton(ID_WIZFINISH));
  });
  EXPECT_EQ(result, INT_PTR(ID_WIZFINISH));
  EXPECT_EQ(log, (std::vector<std::string>{"active 131", "active 132"}));
  EXPECT_FALSE(first.IsWindow()) << "the pages go with the sheet";
}

TEST_F(WizardSheet, APageThatRefusesKeepsTheWizardWhereItIs) {
  first.nextAnswer = -1;
  second.finishAnswer = FALSE;
  const INT_PTR result = Run([this](CPropertySheet& s) {
    s.PressButton(ID_WIZNEXT);
    EXPECT_EQ(s.GetActivePage(), &first);
    first.nextAnswer = kSecondPage;
    s.PressButton(ID_WIZNEXT);
    EXPECT_EQ(s.GetActivePage(), &second);
    s.SetWizardButtons(PSWIZB_FINISH);
    PumpMessages();
    s.PressButton(ID_WIZFINISH);
    EXPECT_EQ(s.GetActivePage(), &second);
    s.PressButton(IDCANCEL);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(log.back(), "cancel 132") << "Cancel reaches the active page first";
}

TEST_F(WizardSheet, ANumberOutOfRangeKeepsThePageWithTheRangeMessage) {
  Run([this](CPropertySheet& s) {
    s.GetActivePage()->SetDlgItemText(kNumber, u"0");
    s.PressButton(ID_WIZNEXT);
    EXPECT_EQ(s.GetActivePage(), &first);
    s.GetActivePage()->SetDlgItemText(kNumber, u"10000");
    s.PressButton(ID_WIZNEXT);
    EXPECT_EQ(s.GetActivePage(), &first);
    s.GetActivePage()->SetDlgItemText(kNumber, u"9999");
    s.PressButton(ID_WIZNEXT);
    EXPECT_EQ(s.GetActivePage(), &second);
    s.PressButton(IDCANCEL);
  });
  EXPECT_EQ(first.number, 9999u);
  const auto boxes = answers.GetMessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, CString(u"Enter a whole number from 1 to 9999."));
  EXPECT_EQ(boxes[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
}

TEST_F(WizardSheet, TheSheetHoldsItsLargestPageWithTheButtonsBelow) {
  Run([this](CPropertySheet& s) {
    CRect client, page, next;
    s.GetClientRect(client);
    s.GetActivePage()->GetWindowRect(page);
    s.GetDlgItem(int(ID_WIZNEXT))->GetWindowRect(next);
    s.ScreenToClient(page);
    s.ScreenToClient(next);
    // The pages (at most 180 × 90 dialog units) are narrower than the button row of four
    // buttons of 50 with three gaps of 7; 7 around them and a row of 14 below.
    EXPECT_EQ(client.Width(), (4 * 50 + 3 * 7 + 14) * 6 / 4);
    EXPECT_EQ(client.Height(), (90 + 14 + 14 + 7) * 13 / 8);
    EXPECT_GE(next.top, page.top + 90 * 13 / 8);
    s.PressButton(IDCANCEL);
  });
}

TEST_F(WizardSheet, TheAddressFieldGivesCompleteDottedDecimal) {
  Run([](CPropertySheet& s) {
    auto* address = dynamic_cast<CIPAddressCtrl*>(s.GetActivePage()->GetDlgItem(kAddress));
    ASSERT_NE(address, nullptr);
    EXPECT_EQ(address->GetAddressText(), CString(u"0.0.0.0"));
    address->SetAddressText(u"192.168.0.20");
    EXPECT_EQ(address->GetAddressText(), CString(u"192.168.0.20"));
    address->SetAddressText(u"10.300");
    EXPECT_EQ(address->GetAddressText(), CString(u"10.255.0.0"));
    s.PressButton(IDCANCEL);
  });
}

}  // namespace

namespace {

// A sheet made with Create: a child window with one tab per page, pages made when first shown.
class TabbedSheet : public ::testing::Test {
 protected:
  TabbedSheet() : first(kFirstPage, log), second(kSecondPage, log) {
    RegisterUiTestResources(nullptr);
    host.CreateEx(0, nullptr, u"host", WS_POPUP, CRect(0, 0, 600, 400), nullptr, 0);
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    EXPECT_EQ(sheet.SendMessage(PSM_GETTABCONTROL), 0) << "no tab control before the window";
    EXPECT_TRUE(sheet.Create(&host, WS_CHILD | WS_VISIBLE, WS_EX_CONTROLPARENT));
    sheet.MoveWindow(0, 0, 600, 400);
    sheet.GetTabControl()->MoveWindow(0, 0, 600, 400);
    host.ShowWindow(SW_SHOW);
  }
  ~TabbedSheet() override {
    sheet.DestroyWindow();
    host.DestroyWindow();
  }

  CUiApplication application;
  CScriptedAnswers answers;
  std::vector<std::string> log;
  CWnd host;
  CRecordingPage first;
  CRecordingPage second;
  CPropertySheet sheet{u"Tabs"};
};

TEST_F(TabbedSheet, EachPageHasATabAndATabClickShowsItsPage) {
  auto* tabs = reinterpret_cast<CTabCtrl*>(sheet.SendMessage(PSM_GETTABCONTROL));
  ASSERT_EQ(tabs, sheet.GetTabControl());
  ASSERT_NE(tabs, nullptr);
  ASSERT_EQ(tabs->GetItemCount(), 2);
  EXPECT_EQ(tabs->GetItemText(0), u"First") << "the page's caption";
  EXPECT_EQ(tabs->GetItemText(1), u"Second");
  EXPECT_EQ(sheet.GetActivePage(), &first);
  EXPECT_TRUE(first.IsWindow());
  EXPECT_FALSE(second.IsWindow()) << "made when first shown";
  EXPECT_TRUE(sheet.GetStyle() & WS_CHILD);

  CRect tab;
  ASSERT_TRUE(tabs->GetItemRect(1, tab));
  SimulateClick(tabs, tab.CenterPoint());
  PumpMessages();
  EXPECT_EQ(sheet.GetActivePage(), &second);
  EXPECT_EQ(tabs->GetCurSel(), 1);
  EXPECT_TRUE(second.IsWindowVisible());
  EXPECT_FALSE(first.IsWindowVisible());
  CRect page;
  second.GetWindowRect(page);
  sheet.ScreenToClient(page);
  EXPECT_GT(page.top, tab.bottom - 4) << "the page lies below the tabs";
  EXPECT_EQ(log, (std::vector<std::string>{"active 131", "active 132"}));
}

TEST_F(TabbedSheet, TabTextsChangeByMessageAndPagesCanBeRemoved) {
  CTabCtrl* tabs = sheet.GetTabControl();
  CString text = u"Renamed";
  TCITEM item;
  item.mask = TCIF_TEXT;
  item.pszText = text.GetBuffer();
  EXPECT_TRUE(tabs->SendMessage(TCM_SETITEM, 1, reinterpret_cast<LPARAM>(&item)));
  text.ReleaseBuffer();
  EXPECT_EQ(tabs->GetItemText(1), u"Renamed");

  sheet.RemovePage(&first);
  EXPECT_FALSE(first.IsWindow());
  EXPECT_EQ(sheet.GetPageCount(), 1);
  EXPECT_EQ(tabs->GetItemCount(), 1);
  EXPECT_EQ(sheet.GetActivePage(), &second) << "the next page takes the removed one's place";
  EXPECT_TRUE(second.IsWindowVisible());
}

}  // namespace
