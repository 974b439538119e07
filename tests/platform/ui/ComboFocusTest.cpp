#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/gdi/Bitmap.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/WindowImage.h"
#include "tests/platform/ui_xserver/WaitForCondition.h"

void RegisterUiTestResources(HMODULE module);

namespace {

constexpr UINT kFocusCueDialog = 130;
constexpr int kFocusCueName = 1001, kFocusCueCombo = 1003;

// The pixels of the window's picture, row by row.
std::vector<DWORD> Pixels(CWnd* wnd) {
  CBitmap picture;
  picture.Attach(CopyWindowImage(wnd));
  BITMAP info{};
  if (!picture.m_hObject || !picture.GetBitmap(&info)) return {};
  std::vector<DWORD> pixels(std::size_t(info.bmWidthBytes) * std::size_t(info.bmHeight) / sizeof(DWORD));
  picture.GetBitmapBits(DWORD(pixels.size() * sizeof(DWORD)), pixels.data());
  return pixels;
}

TEST(ComboFocusTest, AFocusedDropDownListShowsTheFocus) {
  CUiApplication application;
  CScriptedAnswers answers;
  RegisterUiTestResources(nullptr);
  CDialog dialog(kFocusCueDialog);
  ASSERT_TRUE(dialog.Create(kFocusCueDialog));
  auto* combo = static_cast<CComboBox*>(dialog.GetDlgItem(kFocusCueCombo));
  combo->AddString(u"COM7:");
  combo->SetCurSel(0);
  dialog.ShowWindow(SW_SHOW);
  CWnd* name = dialog.GetDlgItem(kFocusCueName);
  // On a real display the focus comes once the window manager has activated the dialog.
  ASSERT_TRUE(WaitFor([name] {
    name->SetFocus();
    return CWnd::GetFocus() == name;
  }));
  const std::vector<DWORD> unfocused = Pixels(combo);
  if (const char* keep = std::getenv("ZD_SCREENSHOT_DIR"))
    SaveWindowImage(&dialog, CString::FromUtf8(std::string(keep) + "/combo-unfocused.png"));
  combo->SetFocus();
  ASSERT_TRUE(WaitFor([combo] { return CWnd::GetFocus() == combo; }));
  EXPECT_NE(Pixels(combo), unfocused) << "the focus shows on the box";
  if (const char* keep = std::getenv("ZD_SCREENSHOT_DIR"))
    SaveWindowImage(&dialog, CString::FromUtf8(std::string(keep) + "/combo-focused.png"));
  dialog.DestroyWindow();
}

}  // namespace
