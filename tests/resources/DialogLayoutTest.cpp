#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/ui/Dialog.h"
#include "platform/ui/UiApplication.h"
#include "resources/ProgramResources.h"
#include "tests/resources/DialogLayoutRules.h"

void RegisterLayoutFaultDialogs(HMODULE module);

namespace {

std::vector<UINT> ProgramDialogIds() {
  std::vector<UINT> ids;
  for (const auto& entry : std::filesystem::directory_iterator(ZD_DIALOG_FOLDER)) {
    if (entry.path().extension() == ".dialog") ids.push_back(UINT(std::stoul(entry.path().stem().string())));
  }
  std::sort(ids.begin(), ids.end());
  return ids;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += "\n  " + line;
  return text;
}

class DialogMadeFromItsTemplate : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterProgramResources(nullptr);
    RegisterLayoutFaultDialogs(nullptr);
  }
  std::vector<std::string> FaultsOf(UINT id) {
    CDialog dialog(id);
    // A page (a child dialog) is checked inside a window of its own size, as its sheet shows it.
    CWnd host;
    const auto dialogTemplate = LoadDialogTemplate(id);
    CWnd* parent = nullptr;
    if (dialogTemplate && (dialogTemplate->style & WS_CHILD)) {
      CRect rect(0, 0, dialogTemplate->cx, dialogTemplate->cy);
      dialog.MapDialogRect(rect);
      host.CreateEx(0, nullptr, u"host", WS_POPUP, rect, nullptr, 0);
      parent = &host;
    }
    if (!dialog.Create(id, parent)) return {"dialog " + std::to_string(id) + " could not be made"};
    std::vector<std::string> faults = FindLayoutFaults(dialog);
    dialog.DestroyWindow();
    return faults;
  }
  CUiApplication app;
};

TEST_F(DialogMadeFromItsTemplate, EveryProgramDialogKeepsTheLayoutRules) {
  const std::vector<UINT> ids = ProgramDialogIds();
  ASSERT_GE(ids.size(), 5u) << "the dialogs are found in " << ZD_DIALOG_FOLDER;
  for (UINT id : ids) {
    const std::vector<std::string> faults = FaultsOf(id);
    EXPECT_TRUE(faults.empty()) << "dialog " << id << ":" << Joined(faults);
  }
}

struct SLayoutFaultCase {
  UINT dialog;
  std::vector<std::string> faults;
};

class LayoutFaultsAreFound : public DialogMadeFromItsTemplate,
                             public ::testing::WithParamInterface<SLayoutFaultCase> {};

TEST_P(LayoutFaultsAreFound, EachFaultIsNamed) {
  const std::vector<std::string> found = FaultsOf(GetParam().dialog);
  ASSERT_EQ(found.size(), GetParam().faults.size()) << Joined(found);
  for (std::size_t i = 0; i < found.size(); ++i)
    EXPECT_EQ(found[i].substr(0, GetParam().faults[i].size()), GetParam().faults[i]) << Joined(found);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, LayoutFaultsAreFound,
                         ::testing::Values(
                             // The label runs from 10 to 100 pixels, the edit box starts at 75; OK ends at
                             // 208 where Cancel starts at 180.
                             SLayoutFaultCase{9001,
                                              {"static -1 \"Name:\" overlaps edit 10 \"\"",
                                               "button 1 \"OK\" overlaps button 2 \"Cancel\""}},
                             // 40 dialog units of list are 65 pixels (11 to 76), over the label at 48.
                             SLayoutFaultCase{9002,
                                              {"combobox 20 \"\" overlaps static -1 \"Below it\"",
                                               "combobox 20 \"\" is 65 pixels high, not one line"}},
                             SLayoutFaultCase{
                                 9003,
                                 {"button 1 \"OK\" reaches outside the client area",
                                  "static -1 \"Measurement comment:\" needs",
                                  "checkbox 30 \"Show all rows\" needs", "button 31 \"Cancel\" needs"}}),
                         [](const ::testing::TestParamInfo<SLayoutFaultCase>& info) {
                           return "Dialog" + std::to_string(info.param.dialog);
                         });

}  // namespace
