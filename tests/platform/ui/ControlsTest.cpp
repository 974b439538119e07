#include <gtest/gtest.h>

#include <vector>

#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/ProgressCtrl.h"
#include "platform/ui/ScrollBar.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"

namespace {

// An edit that takes digits only: the other characters never reach the editor.
class CDigitsEdit : public CEdit {
  DECLARE_MESSAGE_MAP()

 public:
  void OnChar(UINT ch, UINT repeat, UINT flags) {
    if (ch >= '0' && ch <= '9') CEdit::OnChar(ch, repeat, flags);
  }
};

// clang-format off
BEGIN_MESSAGE_MAP(CDigitsEdit, CEdit)
  .OnChar(&CDigitsEdit::OnChar)
END_MESSAGE_MAP()
// clang-format on

// The parent: records the notifications of its controls.
class CNotifiedWnd : public CWnd {
 public:
  std::vector<std::pair<UINT, UINT>> commands;  // id, notification code
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    commands.emplace_back(LOWORD(DWORD(wParam)), HIWORD(DWORD(wParam)));
    return CWnd::OnCommand(wParam, lParam);
  }
};

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(
        parent.Create(nullptr, u"controls", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
  }
  CUiApplication application;
  CNotifiedWnd parent;
};

TEST_F(ControlsTest, TypedCharactersReachTheEditorOnlyThroughTheDefaultProcessing) {
  CEdit plain;
  CDigitsEdit digits;
  ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &parent, 10));
  ASSERT_TRUE(digits.Create(WS_CHILD | WS_VISIBLE, CRect(0, 30, 100, 50), &parent, 11));
  for (CEdit* edit : {static_cast<CEdit*>(&plain), static_cast<CEdit*>(&digits)}) {
    SimulateTyping(edit, 'A', u"a");
    SimulateTyping(edit, '5', u"5");
    SimulateTyping(edit, 'B', u"b");
  }
  EXPECT_EQ(plain.GetWindowTextString(), CString(u"a5b"));
  EXPECT_EQ(digits.GetWindowTextString(), CString(u"5"));
  // Every change of the plain edit's text is told to the parent.
  int changes = 0;
  for (const auto& [id, code] : parent.commands) changes += id == 10 && code == EN_CHANGE;
  EXPECT_EQ(changes, 3);
}

TEST_F(ControlsTest, CheckBoxClickTogglesAndNotifies) {
  CButton check;
  ASSERT_TRUE(
      check.Create(u"Remember", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(0, 0, 120, 20), &parent, 20));
  EXPECT_EQ(check.GetCheck(), int(BST_UNCHECKED));
  SimulateClick(&check, CPoint(5, 10));
  EXPECT_EQ(check.GetCheck(), int(BST_CHECKED));
  EXPECT_EQ(parent.IsDlgButtonChecked(20), BST_CHECKED);
  ASSERT_FALSE(parent.commands.empty());
  EXPECT_EQ(parent.commands.back(), (std::pair<UINT, UINT>{20, BN_CLICKED}));
  parent.CheckDlgButton(20, BST_UNCHECKED);
  EXPECT_EQ(check.GetCheck(), int(BST_UNCHECKED));
}

TEST_F(ControlsTest, ADropDownBoxIsOneLineHighAndDropsToTheHeightItWasGiven) {
  CComboBox list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(10, 20, 210, 150), &parent, 40));
  CComboBox editable;
  ASSERT_TRUE(editable.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN, CRect(10, 60, 210, 190), &parent, 41));
  CComboBox simple;
  ASSERT_TRUE(simple.Create(WS_CHILD | WS_VISIBLE | CBS_SIMPLE, CRect(10, 100, 210, 230), &parent, 42));

  for (CComboBox* box : {&list, &editable}) {
    const int field = box->GetItemHeight(-1);
    EXPECT_GT(field, 10);
    EXPECT_LT(field, 30) << "one line of text, not the list";
    CRect closed;
    box->GetWindowRect(closed);
    EXPECT_EQ(closed.Height(), field + 6);
    EXPECT_EQ(closed.Width(), 200);
    CRect client;
    box->GetClientRect(client);
    EXPECT_EQ(client.Height(), field + 6);
    CRect dropped;
    box->GetDroppedControlRect(dropped);
    EXPECT_EQ(dropped.TopLeft(), closed.TopLeft());
    EXPECT_EQ(dropped.Width(), 200);
    EXPECT_EQ(dropped.Height(), 130) << "the height it was created with";
  }
  CRect tall;
  simple.GetWindowRect(tall);
  EXPECT_EQ(tall.Height(), 130) << "a simple box shows its list at all times";

  // Moving the box sets its dropped height; the closed box keeps its one line.
  list.MoveWindow(10, 20, 150, 200);
  CRect moved, dropped;
  list.GetWindowRect(moved);
  list.GetDroppedControlRect(dropped);
  EXPECT_EQ(moved.Height(), list.GetItemHeight(-1) + 6);
  EXPECT_EQ(moved.Width(), 150);
  EXPECT_EQ(dropped, CRect(moved.left, moved.top, moved.left + 150, moved.top + 200));

  // The selection field's height sets the closed box's; the list's entries keep theirs.
  const int entry = int(list.SendMessage(CB_GETITEMHEIGHT, 0, 0));
  EXPECT_EQ(list.SendMessage(CB_SETITEMHEIGHT, WPARAM(-1), 24), 0);
  EXPECT_EQ(list.SendMessage(CB_GETITEMHEIGHT, WPARAM(-1), 0), 24);
  EXPECT_EQ(list.SendMessage(CB_GETITEMHEIGHT, 0, 0), entry);
  list.GetWindowRect(moved);
  EXPECT_EQ(moved.Height(), 30);
  EXPECT_EQ(list.SendMessage(CB_SETITEMHEIGHT, 0, 18), 0);
  EXPECT_EQ(list.GetItemHeight(0), 18);
  EXPECT_EQ(list.SetItemHeight(0, 0), CB_ERR);
}

TEST_F(ControlsTest, ComboAndListKeepStringsDataAndSelection) {
  CComboBox combo;
  ASSERT_TRUE(
      combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_SORT, CRect(0, 0, 100, 100), &parent, 30));
  EXPECT_EQ(combo.AddString(u"COM7:"), 0);
  EXPECT_EQ(combo.AddString(u"COM1:"), 0) << "sorted";
  EXPECT_EQ(combo.GetCurSel(), CB_ERR) << "nothing chosen yet";
  combo.SetItemData(1, 7);
  EXPECT_EQ(combo.FindStringExact(-1, u"com7:"), 1);
  EXPECT_EQ(combo.SetCurSel(1), 1);
  EXPECT_EQ(combo.GetItemData(combo.GetCurSel()), DWORD_PTR(7));
  EXPECT_EQ(combo.SetCurSel(5), CB_ERR);
  EXPECT_EQ(combo.GetCurSel(), CB_ERR);
  EXPECT_TRUE(parent.commands.empty()) << "selecting from code does not notify";

  CListBox list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_NOTIFY, CRect(0, 100, 100, 180), &parent, 31));
  list.AddString(u"first");
  list.AddString(u"second");
  EXPECT_EQ(list.InsertString(1, u"between"), 1);
  CString text;
  list.GetText(2, text);
  EXPECT_EQ(text, CString(u"second"));
  EXPECT_EQ(list.SetCurSel(2), 2);
  EXPECT_EQ(list.GetCurSel(), 2);
  EXPECT_EQ(list.DeleteString(0), 2);
  EXPECT_EQ(list.GetCount(), 2);
}

TEST_F(ControlsTest, ProgressPositionStaysInItsRange) {
  CProgressCtrl progress;
  ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 16), &parent, 40));
  progress.SetRange32(0, 50);
  EXPECT_EQ(progress.SetPos(70), 0);
  EXPECT_EQ(progress.GetPos(), 50);
}

// A parent that moves its scroll-bar control by pages.
class CPagingWnd : public CNotifiedWnd {
  DECLARE_MESSAGE_MAP()

 public:
  std::vector<std::pair<UINT, CScrollBar*>> scrolls;
  void OnHScroll(UINT code, UINT, CScrollBar* bar) {
    scrolls.emplace_back(code, bar);
    if (code == SB_PAGEDOWN) bar->SetScrollPos(bar->GetScrollPos() + 10);
  }
};

// clang-format off
BEGIN_MESSAGE_MAP(CPagingWnd, CNotifiedWnd)
  .OnHScroll(&CPagingWnd::OnHScroll)
END_MESSAGE_MAP()
// clang-format on

TEST_F(ControlsTest, ScrollBarControlTellsItsParentAndKeepsThePlatformClamping) {
  CPagingWnd owner;
  ASSERT_TRUE(owner.Create(nullptr, u"owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 100), nullptr, 0));
  CScrollBar bar;
  ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(0, 0, 200, 16), &owner, 50));
  SCROLLINFO info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMax = 24;
  info.nPage = 10;
  info.nPos = 3;
  bar.SetScrollInfo(&info);
  SimulateScrollBar(&bar, SB_CTL, SB_PAGEDOWN);
  SimulateScrollBar(&bar, SB_CTL, SB_PAGEDOWN);
  using Scroll = std::pair<UINT, CScrollBar*>;
  EXPECT_EQ(owner.scrolls,
            (std::vector<Scroll>{
                {SB_PAGEDOWN, &bar}, {SB_ENDSCROLL, &bar}, {SB_PAGEDOWN, &bar}, {SB_ENDSCROLL, &bar}}));
  EXPECT_EQ(bar.GetScrollPos(), 15) << "24 - 10 + 1";
  EXPECT_EQ(bar.GetScrollLimit(), 15);
}

}  // namespace
