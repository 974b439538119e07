#include <chrono>
#include <thread>

#include "app/ToolBarExt.h"
#include "appbase/ProgressDlg.h"
#include "document/CommentDlg.h"
#include "document/DateTimeDlg.h"
#include "document/Units.h"
#include "platform/base/LocalTime.h"
#include "platform/registry/RegistryStore.h"
#include "platform/ui/DateTimeCtrl.h"
#include "platform/ui/Edit.h"
#include "resources/ResourceIds.h"
#include "tests/app/ShellFixture.h"

namespace {

class DialogsTest : public ShellTest {
 protected:
  DialogsTest() {
    PinTimeZone("Europe/Berlin");
    SetDateTimeFormatSetting(0x0303);
  }
  static std::int64_t Local(int year, int month, int day, int hour, int minute, int second = 0) {
    SLocalTime time;
    time.year = year;
    time.month = month;
    time.day = day;
    time.hour = hour;
    time.minute = minute;
    time.second = second;
    return LocalTimeToStamp(time);
  }
  static void Pick(CWnd& dialog, int id, int year, int month, int day, int hour, int minute) {
    auto* picker = dynamic_cast<CDateTimeCtrl*>(dialog.GetDlgItem(id));
    ASSERT_NE(picker, nullptr);
    SLocalTime value;
    picker->GetTime(value);
    if (year) {
      value.year = year;
      value.month = month;
      value.day = day;
    } else {
      value.hour = hour;
      value.minute = minute;
    }
    picker->SetTime(value);
  }
};

struct SShiftCase {
  const char* name;
  int toMonth;
  int toDay;
  int toHour;
};

void PrintTo(const SShiftCase& c, std::ostream* out) { *out << c.name; }

class TimeShiftTest : public DialogsTest, public ::testing::WithParamInterface<SShiftCase> {};

// The shifted time stamp is exactly the date and time the user picked, whether or not a
// daylight-saving change lies between.
TEST_P(TimeShiftTest, TheNewTimeIsTheDateAndTimeThePickersShow) {
  const SShiftCase& param = GetParam();
  const std::int64_t old = Local(2023, 1, 15, 10, 0);
  answers.AddModalDialogScript([&](CWnd& dialog) {
    Pick(dialog, IDC_DATE_PICKER, 2023, param.toMonth, param.toDay, 0, 0);
    Pick(dialog, IDC_TIME_PICKER, 0, 0, 0, param.toHour, 0);
    dialog.SendMessage(WM_COMMAND, IDOK);
  });
  CDateTimeDlg dialog;
  dialog.SetOldTime(old);
  dialog.SetNewTime(old);
  ASSERT_EQ(dialog.DoModal(), IDOK);
  SLocalTime shifted;
  ASSERT_TRUE(StampToLocalTime(old + dialog.GetTimeShift(), shifted));
  EXPECT_EQ(shifted.year, 2023);
  EXPECT_EQ(shifted.month, param.toMonth);
  EXPECT_EQ(shifted.day, param.toDay);
  EXPECT_EQ(shifted.hour, param.toHour);
  EXPECT_EQ(shifted.minute, 0);
  EXPECT_EQ(shifted.second, 0);
}

INSTANTIATE_TEST_SUITE_P(Seasons, TimeShiftTest,
                         ::testing::Values(SShiftCase{"WinterToSummer", 7, 15, 10},
                                           SShiftCase{"WithinWinter", 2, 20, 14},
                                           SShiftCase{"OverTheSpringChangeNight", 3, 26, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogsTest, SummerToWinterShiftsByTheCalendarTime) {
  const std::int64_t old = Local(2023, 7, 15, 10, 0);
  answers.AddModalDialogScript([&](CWnd& dialog) {
    Pick(dialog, IDC_DATE_PICKER, 2023, 1, 15, 0, 0);
    dialog.SendMessage(WM_COMMAND, IDOK);
  });
  CDateTimeDlg dialog;
  dialog.SetOldTime(old);
  dialog.SetNewTime(old);
  dialog.DoModal();
  EXPECT_EQ(dialog.GetTimeShift(), -(181 * 86400 - 3600)) << "181 days less the hour the clock went back";
}

TEST_F(DialogsTest, TheTimeDialogShowsSecondsInEveryTimeFormat) {
  SetDateTimeFormatSetting(0x0000);
  const std::int64_t old = Local(2023, 1, 15, 14, 5, 9);
  answers.AddModalDialogScript([](CWnd& dialog) {
    CString date;
    CString time;
    dialog.GetDlgItemText(IDC_OLD_DATE, date);
    dialog.GetDlgItemText(IDC_OLD_TIME, time);
    EXPECT_EQ(date, u"01/15/2023");
    EXPECT_EQ(time, u"2:05:09 PM");
    auto* picker = dynamic_cast<CDateTimeCtrl*>(dialog.GetDlgItem(IDC_TIME_PICKER));
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->GetDisplayText(), u"2:05:09 PM");
  });
  CDateTimeDlg dialog;
  dialog.SetOldTime(old);
  dialog.SetNewTime(old);
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.GetTimeShift(), 0);
  EXPECT_EQ(CDateTimeDlg::TimeFormatWithSeconds(u"h:mm tt"), u"h:mm:ss tt");
}

TEST_F(DialogsTest, TheCommentIsTakenBackOnOkAndOnCancel) {
  for (int answer : {IDOK, IDCANCEL}) {
    answers.AddModalDialogScript([answer](CWnd& dialog) {
      auto* edit = dynamic_cast<CEdit*>(dialog.GetDlgItem(IDC_COMMENT));
      ASSERT_NE(edit, nullptr);
      int start = 0;
      int end = 0;
      edit->GetSel(start, end);
      EXPECT_EQ(start, 11) << "the caret waits at the end";
      EXPECT_EQ(end, 11);
      edit->ReplaceSel(u", cracked");
      dialog.SendMessage(WM_COMMAND, WPARAM(answer));
    });
    CCommentDlg dialog;
    dialog.SetComment(u"first pull");
    dialog.SetComment(u"first pull.");
    EXPECT_EQ(dialog.DoModal(), answer);
    EXPECT_EQ(dialog.GetComment(), u"first pull., cracked");
  }
}

TEST_F(DialogsTest, TheToolBarAnswersPressesOnButtonsOnly) {
  // The help button's command opens the help file through the recording opener.
  const std::string record = InstallRecordingOpener();
  WriteText(ProgramFolder() + "/ZD-Zedo_ENU.pdf", "%PDF-1.4\n");
  Start();
  CToolBarExt& toolBar = Frame().GetToolBar();
  const int help = toolBar.CommandToIndex(ID_HELP_FINDER);
  CRect separator;
  CRect button;
  toolBar.GetItemRect(help - 1, separator);
  toolBar.GetItemRect(help, button);
  ASSERT_EQ(toolBar.GetButtonStyle(help - 1) & TBBS_SEPARATOR, TBBS_SEPARATOR);
  SimulateClick(&toolBar, separator.CenterPoint());
  SimulateMouse(&toolBar, SimulatedMouseAction::DoubleClick, VK_LBUTTON, button.CenterPoint(), 0, MK_LBUTTON);
  SimulateMouse(&toolBar, SimulatedMouseAction::Release, VK_LBUTTON, button.CenterPoint(), 0, 0);
  PumpMessages();
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_FALSE(std::filesystem::exists(record)) << "a separator and a double click do nothing";

  SimulateClick(&toolBar, button.CenterPoint());
  for (int i = 0; i < 500 && !std::filesystem::exists(record); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_TRUE(std::filesystem::exists(record)) << "a press on a button runs its command";
}

TEST_F(DialogsTest, TheProgressTextIsRedrawnOnlyWhenItChanges) {
  CProgressDlg progress;
  ASSERT_TRUE(progress.Create(IDD_PROGRESS));
  progress.SetText(u"Reading 3 of 7");
  progress.SetText(u"Reading 3 of 7");
  CString shown;
  progress.GetDlgItemText(IDC_PROGRESS_TEXT, shown);
  EXPECT_EQ(shown, u"Reading 3 of 7");
  progress.SetPos(64);
  EXPECT_EQ(progress.GetPos(), 64);
  progress.DestroyWindow();
}

}  // namespace
