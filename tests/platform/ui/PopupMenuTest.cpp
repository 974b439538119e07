#include <gtest/gtest.h>

#include <vector>

#include "platform/gdi/Dc.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/ui/Menu.h"
#include "platform/ui/PopupMenu.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/UiThread.h"
#include "platform/ui/Wnd.h"
#include "tests/platform/gdi/BitmapPixel.h"

namespace {

constexpr COLORREF kOwnerColor = RGB(10, 200, 30);

// An owner window that measures every owner-drawn item 50 x 20 and fills it with its colour.
class COwnerWnd : public CWnd {
  DECLARE_MESSAGE_MAP()

 public:
  std::vector<ULONG_PTR> measured;
  std::vector<DRAWITEMSTRUCT> drawn;
  std::vector<UINT> commands;

  bool Create() { return CWnd::Create(nullptr, u"owner", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0); }
  void OnMeasureItem(int, MEASUREITEMSTRUCT* measure) {
    measured.push_back(measure->itemData);
    measure->itemWidth = 50;
    measure->itemHeight = 20;
  }
  void OnDrawItem(int, DRAWITEMSTRUCT* draw) {
    drawn.push_back(*draw);
    CDC::FromHandle(draw->hDC)->FillSolidRect(&draw->rcItem, kOwnerColor);
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    commands.push_back(UINT(LOWORD(DWORD(wParam))));
    return CWnd::OnCommand(wParam, lParam);
  }
};

BEGIN_MESSAGE_MAP(COwnerWnd, CWnd)
    .OnMeasureItem(&COwnerWnd::OnMeasureItem)
    .OnDrawItem(&COwnerWnd::OnDrawItem) END_MESSAGE_MAP()

// A menu object that answers the measure and draw requests itself.
class CSelfDrawnMenu : public CMenu {
 public:
  int measures = 0;
  int draws = 0;
  void MeasureItem(LPMEASUREITEMSTRUCT measure) override {
    ++measures;
    measure->itemWidth = 40;
    measure->itemHeight = 12;
  }
  void DrawItem(LPDRAWITEMSTRUCT) override { ++draws; }
};

class PopupMenuTest : public ::testing::Test {
 protected:
  CUiApplication application;
  COwnerWnd owner;
  CScriptedAnswers answers;
  CMenu menu;
  int data[3] = {0, 0, 0};

  void SetUp() override {
    ASSERT_TRUE(owner.Create());
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 1, u"&Plain\tCtrl+P");
    menu.AppendMenu(MF_OWNERDRAW, 2, reinterpret_cast<LPCTSTR>(&data[0]));
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_OWNERDRAW | MF_GRAYED, 3, reinterpret_cast<LPCTSTR>(&data[1]));
    menu.AppendMenu(MF_OWNERDRAW | MF_CHECKED, 4, reinterpret_cast<LPCTSTR>(&data[2]));
  }
};

}  // namespace

TEST_F(PopupMenuTest, ScriptedChoiceIsReturnedAndTheShownPopupRecorded) {
  answers.AddPopupMenuAnswer(4);
  EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 30, 40, &owner), 4);

  auto shown = answers.GetPopupMenus();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].x, 30);
  EXPECT_EQ(shown[0].y, 40);
  EXPECT_EQ(shown[0].owner, &owner);
  ASSERT_EQ(shown[0].items.size(), 5u);
  EXPECT_EQ(shown[0].items[0].text, CString(u"&Plain\tCtrl+P"));
  EXPECT_EQ(shown[0].items[2].state, MF_SEPARATOR);
  EXPECT_EQ(shown[0].items[3].state, MF_OWNERDRAW | MF_GRAYED);
  EXPECT_EQ(shown[0].items[4].id, 4u);
  // The owner measured and drew the owner-drawn items before the popup was answered.
  EXPECT_EQ(owner.measured.size(), 3u);
  ASSERT_EQ(owner.drawn.size(), 3u);
  EXPECT_EQ(owner.drawn[1].itemState, UINT(ODS_GRAYED));
  EXPECT_EQ(owner.drawn[2].itemState, UINT(ODS_CHECKED));
  EXPECT_EQ(owner.drawn[2].itemData, reinterpret_cast<ULONG_PTR>(&data[2]));
  EXPECT_EQ(owner.drawn[2].CtlType, ODT_MENU);
  // The items are as wide as the widest, the text item; the owner's heights stand.
  for (const DRAWITEMSTRUCT& draw : owner.drawn) {
    EXPECT_GE(draw.rcItem.right - draw.rcItem.left, 50);
    EXPECT_EQ(draw.rcItem.bottom - draw.rcItem.top, 20);
  }
}

TEST_F(PopupMenuTest, OnlyEnabledCommandsCanBeChosen) {
  for (UINT answer : {3u, 99u, 0u}) answers.AddPopupMenuAnswer(answer);
  EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner), 0);   // grayed
  EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner), 0);   // not in the menu
  EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner), 0);   // dismissed
  EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner), 0);   // no answer left
  EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, nullptr), 0);  // no owner
}

TEST_F(PopupMenuTest, WithoutReturnCommandTheChoiceArrivesAsCommand) {
  answers.AddPopupMenuAnswer(1);
  EXPECT_TRUE(menu.TrackPopupMenu(TPM_LEFTALIGN, 0, 0, &owner));
  PumpMessages();
  ASSERT_EQ(owner.commands.size(), 1u);
  EXPECT_EQ(owner.commands[0], 1u);
}

TEST_F(PopupMenuTest, RenderedPopupShowsTheSelectedItemAsTheOwnerDrewIt) {
  SRenderedPopupMenu rendered = RenderPopupMenu(menu, &owner, 1);
  ASSERT_NE(rendered.bitmap, nullptr);
  ASSERT_EQ(rendered.items.size(), 5u);
  ASSERT_FALSE(owner.drawn.empty());
  EXPECT_EQ(owner.drawn[0].itemState, UINT(ODS_SELECTED));
  const CRect& item = rendered.items[1];
  EXPECT_EQ(BitmapPixel(rendered.bitmap, item.left, item.top), kOwnerColor);
  EXPECT_EQ(BitmapPixel(rendered.bitmap, item.right - 1, item.bottom - 1), kOwnerColor);
  // Items lie one under the other, all as wide as the widest.
  for (std::size_t i = 1; i < rendered.items.size(); ++i) {
    EXPECT_EQ(rendered.items[i].top, rendered.items[i - 1].bottom);
    EXPECT_EQ(rendered.items[i].Width(), rendered.items[0].Width());
  }
  EXPECT_EQ(rendered.items[2].Height(), GetSystemMetrics(SM_CYMENU) / 2);
  DeleteObject(rendered.bitmap);
}

TEST_F(PopupMenuTest, WithoutOwnerHandlersTheMenuObjectMeasuresAndDraws) {
  CWnd plain;
  ASSERT_TRUE(plain.Create(nullptr, u"plain", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  CSelfDrawnMenu self;
  ASSERT_TRUE(self.CreatePopupMenu());
  self.AppendMenu(MF_OWNERDRAW, 5, reinterpret_cast<LPCTSTR>(&data[0]));
  self.AppendMenu(MF_OWNERDRAW, 6, reinterpret_cast<LPCTSTR>(&data[1]));
  answers.AddPopupMenuAnswer(6);
  EXPECT_EQ(self.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &plain), 6);
  EXPECT_EQ(self.measures, 2);
  EXPECT_EQ(self.draws, 2);
}

namespace {

// The program's own answer: the popup is shown, and the keys are typed into it once it is up.
class CTypingAnswers : public CUserAnswerSink {
 public:
  explicit CTypingAnswers(std::vector<UINT> keys)
      : m_keys(std::move(keys)), m_previous(SetUserAnswerSink(this)) {}
  ~CTypingAnswers() override { SetUserAnswerSink(m_previous); }
  int OnMessageBox(const SMessageBoxRequest&) override { return IDCANCEL; }
  UINT OnPopupMenu(const SPopupMenuRequest& request) override {
    PostToUiThread([this] {
      for (UINT key : m_keys) typed += SimulatePopupMenuKey(key) ? 1 : 0;
    });
    return request.show();
  }
  int typed = 0;

 private:
  std::vector<UINT> m_keys;
  CUserAnswerSink* m_previous;
};

}  // namespace

TEST_F(PopupMenuTest, ShownPopupFollowsTheKeysAndSkipsSeparators) {
  {
    CTypingAnswers user({VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 10, 10, &owner), 2);
    EXPECT_EQ(user.typed, 3);
  }
  {
    // Down to the grayed item past the separator: Return does not choose it; Escape closes.
    CTypingAnswers user({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN, VK_ESCAPE});
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 10, 10, &owner), 0);
    EXPECT_EQ(user.typed, 5);
  }
  {
    CTypingAnswers user({VK_UP, VK_RETURN});  // up from nothing: the last item
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 10, 10, &owner), 4);
  }
}
