#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTimer>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/gdi/Dc.h"
#include "platform/registry/RegistryStore.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/PrintDialog.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/ScriptedAnswers.h"
#include "tests/support/TestEnvironment.h"

namespace {

// Scripted answers, but the print dialog shows the system's dialog (or takes the settings' PDF
// file) as for a user.
class CSystemPrintDialog : public CScriptedAnswers {
 public:
  SPrintDialogChoice OnPrintDialog(const SPrintDialogRequest& request) override { return request.show(); }
};

struct SPdfPage {
  int width = 0;
  int height = 0;
  int dpi = 0;
};

// Prints one page on the dialog's printer and gives the page's measures.
SPdfPage PrintOnePage(CPrintDialog& dialog) {
  CDC dc;
  dc.Attach(dialog.GetPrinterDC());
  const SPdfPage page{dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES), dc.GetDeviceCaps(LOGPIXELSX)};
  EXPECT_GT(dc.StartDoc(u"page"), 0);
  EXPECT_GT(dc.StartPage(), 0);
  dc.TextOut(100, 100, CString(u"A4"));
  EXPECT_GT(dc.EndPage(), 0);
  EXPECT_GT(dc.EndDoc(), 0);
  dc.Detach();
  return page;
}

// The page's size in points as the file gives it, "595.000000 842.000000" for A4.
std::string MediaBox(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string text(std::istreambuf_iterator<char>(in), {});
  const std::string key = "/MediaBox [0 0 ";
  const std::size_t start = text.find(key);
  if (start == std::string::npos) return std::string();
  const std::size_t end = text.find(']', start);
  return text.substr(start + key.size(), end - start - key.size());
}

TEST(PrintDialogPdfTest, TheSettingsPdfFileTakesTheWholeA4SheetAt300Dpi) {
  CUiApplication application;
  CSystemPrintDialog answers;
  const std::string path = TestPath("setting.pdf");
  ASSERT_TRUE(RegSetString(kPrintSettingsKey, u"PdfFile", CString::FromUtf8(path)));
  CPrintDialog dialog(FALSE);
  ASSERT_EQ(dialog.DoModal(), IDOK);
  const SPdfPage page = PrintOnePage(dialog);
  EXPECT_EQ(page.width, 2480);
  EXPECT_EQ(page.height, 3508);
  EXPECT_EQ(page.dpi, 300);
  EXPECT_EQ(MediaBox(path), "595.000000 842.000000");
}

// The user picks the dialog's PDF file: the page is the whole paper the dialog shows, not the
// part a printer could print.
TEST(PrintDialogPdfTest, APdfFileChosenInTheSystemDialogTakesTheWholePaper) {
  CUiApplication application;
  CSystemPrintDialog answers;
  const std::string path = TestPath("chosen.pdf");
  bool answered = false;
  // The dialog is up once its event loop runs the timer.
  QTimer::singleShot(0, [&] {
    QDialog* shown = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
      if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible()) shown = dialog;
    ASSERT_NE(shown, nullptr);
    for (QComboBox* printers : shown->findChildren<QComboBox*>(QStringLiteral("printers")))
      printers->setCurrentIndex(printers->findText(QStringLiteral("PDF"), Qt::MatchContains));
    for (QLineEdit* name : shown->findChildren<QLineEdit*>(QStringLiteral("filename")))
      name->setText(QString::fromStdString(path));
    answered = true;
    shown->accept();
  });
  CPrintDialog dialog(FALSE, PD_NOPAGENUMS | PD_HIDEPRINTTOFILE);
  ASSERT_EQ(dialog.DoModal(), IDOK);
  ASSERT_TRUE(answered);
  const SPdfPage page = PrintOnePage(dialog);
  EXPECT_EQ(page.dpi, 300);
  // A4 or, in a locale of Letter paper, Letter; never less than the sheet.
  const bool a4 = page.width == 2480 && page.height == 3508;
  const bool letter = page.width == 2550 && page.height == 3300;
  EXPECT_TRUE(a4 || letter) << page.width << " x " << page.height;
  EXPECT_EQ(MediaBox(path), a4 ? "595.000000 842.000000" : "612.000000 792.000000");
}

}  // namespace
