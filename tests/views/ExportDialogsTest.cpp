#include <gtest/gtest.h>

#include <functional>

#include "appbase/Registry.h"
#include "platform/registry/RegistryStore.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageTap.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/SimulatedInput.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/WinUser.h"
#include "resources/ResourceIds.h"
#include "tests/support/TestEnvironment.h"
#include "tests/views/GridPageFixture.h"
#include "tests/views/SettingsRewrites.h"
#include "views/ExportBmpDialog.h"
#include "views/ExportCsvDialog.h"
#include "views/OptionLabelSplit.h"

namespace {

const CString kPictureNoSelection =
    u"You have chosen to export 'Selection only' but none of the measurements has been selected.";
const CString kTextNoSelection =
    u"You have chosen to export \"Selection only\" but none of the measurements has been selected.";

class ExportDialogTest : public ::testing::Test {
 protected:
  // Runs the dialog modally with the script working it once it has painted; the modal result.
  INT_PTR Run(CExportOptionsDialog& dialog, std::function<void(CExportOptionsDialog&)> script) {
    answers.AddModalDialogScript([script](CWnd& window) {
      auto& shown = dynamic_cast<CExportOptionsDialog&>(window);
      shown.RedrawWindow();
      PumpMessages();
      script(shown);
    });
    return dialog.DoModal();
  }
  static void ClickOption(CExportOptionsDialog& dialog, int code) {
    const CRect row = dialog.GetOptionRect(code);
    ASSERT_FALSE(row.IsRectEmpty()) << "option " << code << " was not painted";
    SimulateClick(&dialog, row.CenterPoint());
    PumpMessages();
  }
  static void ClickControl(CExportOptionsDialog& dialog, int id) {
    CWnd* control = dialog.GetDlgItem(id);
    ASSERT_NE(control, nullptr);
    CRect rect;
    control->GetClientRect(rect);
    SimulateClick(control, rect.CenterPoint());
    PumpMessages();
  }
  static CString StoredText(const char16_t* name) {
    CString text;
    RegGetString(kSettingsKey, name, text);
    return text;
  }
  static DWORD StoredNumber(const char16_t* name) {
    DWORD value = 0xFFFF;
    RegGetDword(kSettingsKey, name, value);
    return value;
  }

  CUiApplication app;
  SProgramReady ready;
  CScriptedAnswers answers;
};

TEST_F(ExportDialogTest, ThePictureDialogStoresTheClickedChoicesAsTextsAndClosesForTheClipboard) {
  CExportBmpDialog dialog(false);
  const INT_PTR result = Run(dialog, [](CExportOptionsDialog& shown) {
    ClickOption(shown, CExportBmpDialog::kAsIs);
    ClickOption(shown, CExportBmpDialog::kClipboard);
    ClickOption(shown, CExportBmpDialog::kAllData);
    ClickControl(shown, IDOK);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_TRUE(answers.GetFileDialogs().empty());
  EXPECT_EQ(StoredText(u"ImgExpSource"), u"1");
  EXPECT_EQ(StoredText(u"ImgExpTarget"), u"7");
  EXPECT_EQ(StoredText(u"ImgExpSelection"), u"3");
  EXPECT_EQ(dialog.GetContent(), 1);
  EXPECT_EQ(dialog.GetTarget(), CExportOptionsDialog::kTargetClipboard);
  EXPECT_TRUE(dialog.IsAllData());
  EXPECT_TRUE(dialog.GetPath().IsEmpty());
}

TEST_F(ExportDialogTest, TheTextDialogStoresNumbersTheCurveFlagAndTheFolder) {
  const CString path = CString::FromUtf8(TestPath("Export.csv"));
  answers.AddFileDialogAnswer(path);
  CExportCsvDialog dialog(false);
  const INT_PTR result = Run(dialog, [](CExportOptionsDialog& shown) {
    ClickOption(shown, CExportCsvDialog::kReport);
    ClickOption(shown, CExportCsvDialog::kEachFile);
    ClickOption(shown, CExportCsvDialog::kAllData);
    ClickControl(shown, IDC_EXPORT_CURVE);
    ClickControl(shown, IDOK);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(StoredNumber(u"CsvExpFormat2"), 1u);
  EXPECT_EQ(StoredNumber(u"CsvExpTarget2"), 5u);
  EXPECT_EQ(StoredNumber(u"CsvExpSelection2"), 2u);
  EXPECT_EQ(StoredNumber(u"bCsvExpCurve2"), 1u);
  EXPECT_EQ(StoredText(u"ExportPath"), CString::FromUtf8(TestTempDir()));
  EXPECT_EQ(dialog.GetPath(), path);
  EXPECT_EQ(dialog.GetFormat(), 1);
  EXPECT_EQ(dialog.GetTarget(), CExportOptionsDialog::kTargetEachFile);
  EXPECT_TRUE(dialog.m_bCurve);
  const auto files = answers.GetFileDialogs();
  ASSERT_EQ(files.size(), 1u);
  EXPECT_FALSE(files[0].open);
  EXPECT_EQ(files[0].defaultExt, u"csv");
  EXPECT_EQ(files[0].fileName, u"ZD-Zedo Data");
  EXPECT_EQ(files[0].filter, u"CSV (comma separated values) file (*.csv)|*.csv|All files (*.*)|*.*||");
  EXPECT_EQ(files[0].flags, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
}

TEST_F(ExportDialogTest, TheStoredChoicesOpenTheDialogsAndTheFileDialogStartsInTheExportFolder) {
  RegSetString(kSettingsKey, u"ImgExpSource", u"0");
  RegSetString(kSettingsKey, u"ImgExpTarget", u"7");
  RegSetString(kSettingsKey, u"ImgExpSelection", u"3");
  RegSetString(kSettingsKey, u"ExportPath", u"/srv/pictures");
  CExportBmpDialog clipboard(false);
  EXPECT_EQ(clipboard.GetContent(), 0);
  EXPECT_EQ(clipboard.GetTarget(), CExportOptionsDialog::kTargetClipboard);
  EXPECT_EQ(Run(clipboard, [](CExportOptionsDialog& shown) { ClickControl(shown, IDOK); }), IDOK);
  EXPECT_TRUE(answers.GetFileDialogs().empty());

  RegSetString(kSettingsKey, u"ImgExpTarget", u"6");
  CExportBmpDialog files(false);
  Run(files, [](CExportOptionsDialog& shown) { ClickControl(shown, IDOK); });
  const auto shown = answers.GetFileDialogs();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].initialDir, u"/srv/pictures");
  EXPECT_EQ(shown[0].defaultExt, u"png");
  EXPECT_EQ(shown[0].fileName, u"ZD-Zedo Graphic");
  EXPECT_EQ(shown[0].filter,
            u"PNG graphic file (recommended) (*.png)|*.png|Bitmap graphic file (*.bmp)|*.bmp|"
            u"JPG graphic file (*.jpg)|*.jpg|All files (*.*)|*.*||");
}

// A stored code of no option of its column would pick a target the user never saw.
TEST_F(ExportDialogTest, StoredCodesOfNoOptionOfTheirColumnGiveThatColumnsInitialChoice) {
  RegSetString(kSettingsKey, u"ImgExpSource", u"9");
  RegSetString(kSettingsKey, u"ImgExpTarget", u"3");
  RegSetString(kSettingsKey, u"ImgExpSelection", u"none");
  CExportBmpDialog picture(true);
  EXPECT_EQ(picture.GetChoice(0), CExportBmpDialog::kHeadersAndDetails);
  EXPECT_EQ(picture.GetChoice(1), CExportBmpDialog::kOneFile);
  EXPECT_EQ(picture.GetChoice(2), CExportBmpDialog::kSelectionOnly);

  RegSetDword(kSettingsKey, u"CsvExpFormat2", 4);
  RegSetDword(kSettingsKey, u"CsvExpTarget2", 2);
  RegSetDword(kSettingsKey, u"CsvExpSelection2", 7);
  CExportCsvDialog text(true);
  EXPECT_EQ(text.GetChoice(0), CExportCsvDialog::kTable);
  EXPECT_EQ(text.GetChoice(1), CExportCsvDialog::kOneFile);
  EXPECT_EQ(text.GetChoice(2), CExportCsvDialog::kSelectionOnly);
}

// The picture dialog uses only text values of at most 100 characters.
TEST_F(ExportDialogTest, ThePictureDialogIgnoresNumbersAndOverlongTexts) {
  RegSetDword(kSettingsKey, u"ImgExpTarget", 7);
  RegSetString(kSettingsKey, u"ImgExpSource", CString(u"0") + CString(u' ', 100));
  CExportBmpDialog dialog(true);
  EXPECT_EQ(dialog.GetTarget(), CExportOptionsDialog::kTargetOneFile);
  EXPECT_EQ(dialog.GetContent(), 2);
}

// A stored text that is no decimal number within the range of a code cannot be read: its column
// keeps its initial choice.
TEST_F(ExportDialogTest, ThePictureDialogKeepsTheInitialChoiceForTextsThatAreNoNumber) {
  for (const char16_t* text :
       {u"", u"abc", u"1x", u"1 ", u" 1", u"+1", u"0x7", u"-", u"99999999999", u"-99999999999"}) {
    RegSetString(kSettingsKey, u"ImgExpSource", text);
    RegSetString(kSettingsKey, u"ImgExpTarget", text);
    RegSetString(kSettingsKey, u"ImgExpSelection", text);
    CExportBmpDialog dialog(true);
    EXPECT_EQ(dialog.GetChoice(0), CExportBmpDialog::kHeadersAndDetails) << CString(text).ToUtf8();
    EXPECT_EQ(dialog.GetChoice(1), CExportBmpDialog::kOneFile) << CString(text).ToUtf8();
    EXPECT_EQ(dialog.GetChoice(2), CExportBmpDialog::kSelectionOnly) << CString(text).ToUtf8();
  }
  RegSetString(kSettingsKey, u"ImgExpSource", u"-0");
  RegSetString(kSettingsKey, u"ImgExpTarget", u"007");
  CExportBmpDialog dialog(true);
  EXPECT_EQ(dialog.GetChoice(0), CExportBmpDialog::kHeadersOnly);
  EXPECT_EQ(dialog.GetChoice(1), CExportBmpDialog::kClipboard);
}

// Export stores the dialog's choices in one change of the settings store, and the folder of
// the chosen file in one more; the values are those each choice has always been stored as.
TEST_F(ExportDialogTest, ExportStoresTheChoicesInOneWriteAndTheFolderInAnother) {
  ASSERT_TRUE(RegCreateKey(kSettingsKey));
  CSettingsRewrites rewrites;
  CExportBmpDialog clipboard(true);
  Run(clipboard, [](CExportOptionsDialog& shown) {
    ClickOption(shown, CExportBmpDialog::kClipboard);
    ClickControl(shown, IDOK);
  });
  EXPECT_EQ(rewrites.Take(), 1);
  EXPECT_EQ(StoredText(u"ImgExpSource"), u"2");
  EXPECT_EQ(StoredText(u"ImgExpTarget"), u"7");
  EXPECT_EQ(StoredText(u"ImgExpSelection"), u"4");

  answers.AddFileDialogAnswer(CString::FromUtf8(TestPath("Grid.png")));
  CExportBmpDialog picture(true);
  Run(picture, [](CExportOptionsDialog& shown) {
    ClickOption(shown, CExportBmpDialog::kOneFile);
    ClickControl(shown, IDOK);
  });
  EXPECT_EQ(rewrites.Take(), 2);
  EXPECT_EQ(StoredText(u"ImgExpTarget"), u"5");

  answers.AddFileDialogAnswer(CString::FromUtf8(TestPath("Export.csv")));
  CExportCsvDialog text(true);
  Run(text, [](CExportOptionsDialog& shown) {
    ClickOption(shown, CExportCsvDialog::kReport);
    ClickControl(shown, IDC_EXPORT_CURVE);
    ClickControl(shown, IDOK);
  });
  EXPECT_EQ(rewrites.Take(), 2);
  EXPECT_EQ(StoredNumber(u"bCsvExpCurve2"), 1u);
  EXPECT_EQ(StoredNumber(u"CsvExpFormat2"), 1u);
  EXPECT_EQ(StoredNumber(u"CsvExpTarget2"), 4u);
  EXPECT_EQ(StoredNumber(u"CsvExpSelection2"), 3u);
  EXPECT_EQ(StoredText(u"ExportPath"), CString::FromUtf8(TestTempDir()));
  EXPECT_EQ(
      RegEnumValueNames(kSettingsKey),
      (std::vector<CString>{u"ImgExpSource", u"ImgExpTarget", u"ImgExpSelection", u"ExportPath",
                            u"bCsvExpCurve2", u"CsvExpFormat2", u"CsvExpTarget2", u"CsvExpSelection2"}));
}

TEST_F(ExportDialogTest, TheFileEndingDecidesWhetherTheDialogCloses) {
  struct SCase {
    const char* name;
    bool picture;
    bool closes;
    int imageType;
  };
  const SCase cases[] = {
      {"Grid.png", true, true, CExportBmpDialog::kPng},
      {"Grid.JPG", true, true, CExportBmpDialog::kJpeg},
      {"Grid.bmp", true, true, CExportBmpDialog::kBmp},
      {"Grid.gif", true, false, CExportBmpDialog::kPng},
      {"Data.CSV", false, true, 0},
      {"Data.txt", false, false, 0},
  };
  for (const SCase& c : cases) {
    SCOPED_TRACE(c.name);
    answers.AddFileDialogAnswer(CString::FromUtf8(TestPath(c.name)));
    CExportBmpDialog picture(true);
    CExportCsvDialog text(true);
    CExportOptionsDialog& dialog = c.picture ? static_cast<CExportOptionsDialog&>(picture) : text;
    const INT_PTR result = Run(dialog, [](CExportOptionsDialog& shown) { ClickControl(shown, IDOK); });
    EXPECT_EQ(result, c.closes ? IDOK : IDCANCEL);
    EXPECT_EQ(dialog.GetPath(), CString::FromUtf8(TestPath(c.name)));
    if (c.picture) {
      EXPECT_EQ(picture.GetImageType(), c.imageType);
    }
    EXPECT_EQ(StoredText(u"ExportPath"), CString::FromUtf8(TestTempDir()));
  }
}

TEST_F(ExportDialogTest, APathTooShortForANameAndAnEndingKeepsTheDialogOpen) {
  answers.AddFileDialogAnswer(u"a.png");
  CExportBmpDialog dialog(true);
  EXPECT_EQ(Run(dialog, [](CExportOptionsDialog& shown) { ClickControl(shown, IDOK); }), IDCANCEL);
  EXPECT_TRUE(StoredText(u"ExportPath").IsEmpty());
}

TEST_F(ExportDialogTest, SelectionOnlyWithoutASelectionIsRefusedButTheChoicesAreKept) {
  CExportBmpDialog picture(false);
  EXPECT_EQ(Run(picture,
                [](CExportOptionsDialog& shown) {
                  ClickOption(shown, CExportBmpDialog::kHeadersOnly);
                  ClickControl(shown, IDOK);
                }),
            IDCANCEL);
  CExportCsvDialog text(false);
  EXPECT_EQ(Run(text, [](CExportOptionsDialog& shown) { ClickControl(shown, IDOK); }), IDCANCEL);
  const auto boxes = answers.GetMessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, kPictureNoSelection);
  EXPECT_EQ(boxes[1].text, kTextNoSelection);
  EXPECT_EQ(boxes[0].type & MB_TYPEMASK, MB_OK);
  EXPECT_EQ(StoredText(u"ImgExpSource"), u"0");
  EXPECT_EQ(StoredNumber(u"CsvExpSelection2"), 3u);
  EXPECT_TRUE(answers.GetFileDialogs().empty());
}

TEST_F(ExportDialogTest, CancelStoresNothing) {
  CExportBmpDialog dialog(true);
  Run(dialog, [](CExportOptionsDialog& shown) {
    ClickOption(shown, CExportBmpDialog::kAsIs);
    ClickControl(shown, IDCANCEL);
  });
  EXPECT_TRUE(RegEnumValueNames(kSettingsKey).empty());
}

// The hit region covers the whole row; the gap between two rows belongs to none.
TEST_F(ExportDialogTest, AClickAnywhereOnARowChoosesItAndOneBetweenRowsNothing) {
  CExportBmpDialog dialog(true);
  Run(dialog, [](CExportOptionsDialog& shown) {
    const CRect first = shown.GetOptionRect(CExportBmpDialog::kHeadersOnly);
    const CRect second = shown.GetOptionRect(CExportBmpDialog::kAsIs);
    ASSERT_LT(first.bottom + 1, second.top);
    SimulateClick(&shown, CPoint(first.left + 2, first.bottom + 2));
    PumpMessages();
    EXPECT_EQ(shown.GetChoice(0), CExportBmpDialog::kHeadersAndDetails);
    SimulateClick(&shown, CPoint(second.right - 2, second.top + 1));
    PumpMessages();
    EXPECT_EQ(shown.GetChoice(0), CExportBmpDialog::kAsIs);
  });
}

TEST_F(ExportDialogTest, TheMouseRepaintsOnlyWhenTheHoveredRowChanges) {
  CExportCsvDialog dialog(true);
  Run(dialog, [](CExportOptionsDialog& shown) {
    int paints = 0;
    const MessageTap previous = SetMessageTap([&](CWnd& window, UINT message, WPARAM, LPARAM) {
      if (&window == &shown && message == WM_PAINT) ++paints;
    });
    auto moveTo = [&](CPoint point) {
      SimulateMouse(&shown, SimulatedMouseAction::Move, 0, point, 0, 0);
      PumpMessages();
    };
    const CRect table = shown.GetOptionRect(CExportCsvDialog::kTable);
    const CRect report = shown.GetOptionRect(CExportCsvDialog::kReport);
    moveTo(CPoint(table.left + 3, table.top + 3));
    moveTo(table.CenterPoint());
    moveTo(CPoint(table.right - 3, table.bottom - 3));
    EXPECT_EQ(shown.GetHovered(), CExportCsvDialog::kTable);
    EXPECT_EQ(paints, 1);
    moveTo(report.CenterPoint());
    moveTo(CPoint(report.CenterPoint().x + 5, report.CenterPoint().y));
    EXPECT_EQ(shown.GetHovered(), CExportCsvDialog::kReport);
    EXPECT_EQ(paints, 2);
    moveTo(CPoint(report.left, report.bottom + 2));
    EXPECT_EQ(shown.GetHovered(), -1);
    EXPECT_EQ(paints, 3);
    SetMessageTap(previous);
  });
}

TEST(OptionLabelSplitTest, ALongLabelBreaksBehindABlank) {
  struct SCase {
    const char16_t* label;
    int perLine;
    const char16_t* first;
    const char16_t* second;
  };
  const SCase cases[] = {
      {u"All", 8, u"All", u""},
      {u"One file only", 16, u"One file only", u""},
      {u"Each measurement to a separate file", 16, u"Each measurement ", u"to a separate file"},
      {u"Copy to clipboard", 16, u"Copy to ", u"clipboard"},
      {u"Selection only", 8, u"Selection ", u"only"},
      {u"Headers and details", 12, u"Headers and ", u"details"},
      {u"Vorschau", 5, u"Vorsc", u"hau"},
  };
  for (const SCase& c : cases) {
    CString first, second;
    SplitOptionLabel(c.label, c.perLine, first, second);
    EXPECT_EQ(first, c.first) << CString(c.label).ToUtf8();
    EXPECT_EQ(second, c.second) << CString(c.label).ToUtf8();
  }
}

TEST_F(ExportDialogTest, ThePreviewShowsWhatTheChoicesMake) {
  constexpr UINT H = IDB_PREVIEW_HEADER, D = IDB_PREVIEW_DETAIL, C = IDB_PREVIEW_COLUMN_HEADERS;
  constexpr UINT HT = IDB_PREVIEW_HEADER_TORN, DT = IDB_PREVIEW_DETAIL_TORN;
  struct SCase {
    const char16_t* content;
    const char16_t* target;
    const char16_t* data;
    std::vector<std::vector<UINT>> pictures;
  };
  const SCase cases[] = {
      {u"1", u"6", u"3", {{C, H}, {C, H, D}, {C, H}}}, {u"1", u"6", u"4", {{C, H}, {C, H, D}}},
      {u"0", u"5", u"3", {{C, H, H, H, HT}}},          {u"1", u"5", u"3", {{C, H, H, D, H, H, DT}}},
      {u"2", u"7", u"4", {{C, H, D, H, D, H, D}}},     {u"2", u"6", u"3", {{C, H, D}, {C, H, D}, {C, H, D}}},
  };
  for (const SCase& c : cases) {
    RegSetString(kSettingsKey, u"ImgExpSource", c.content);
    RegSetString(kSettingsKey, u"ImgExpTarget", c.target);
    RegSetString(kSettingsKey, u"ImgExpSelection", c.data);
    CExportBmpDialog dialog(true);
    ASSERT_EQ(dialog.GetPreviewCount(), int(c.pictures.size()));
    for (int picture = 0; picture < dialog.GetPreviewCount(); ++picture)
      EXPECT_EQ(dialog.GetPreviewStrips(picture), c.pictures[size_t(picture)])
          << CString(c.content).ToUtf8() << CString(c.target).ToUtf8() << CString(c.data).ToUtf8() << " #"
          << picture;
  }
  RegSetDword(kSettingsKey, u"CsvExpTarget2", 4);
  RegSetDword(kSettingsKey, u"CsvExpSelection2", 2);
  CExportCsvDialog oneFile(true);
  EXPECT_EQ(oneFile.GetPreviewStrips(0), (std::vector<UINT>{C, H, D, H, D, H, D, H, DT}));
  RegSetDword(kSettingsKey, u"CsvExpTarget2", 5);
  RegSetDword(kSettingsKey, u"CsvExpSelection2", 3);
  CExportCsvDialog eachFile(true);
  EXPECT_EQ(eachFile.GetPreviewCount(), 2);
  EXPECT_EQ(eachFile.GetPreviewStrips(1), (std::vector<UINT>{C, H, D}));
}

}  // namespace
