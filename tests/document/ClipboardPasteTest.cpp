#include <gtest/gtest.h>

#include "device/streamio/StreamIO.h"
#include "document/ZedoDoc.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/ScriptedAnswers.h"
#include "platform/ui/UiApplication.h"
#include "tests/document/MeasFixtures.h"

namespace {

class ClipboardPasteTest : public ::testing::Test {
 protected:
  // The clipboard image passes through the library's RAM disk.
  struct SStreamLibrary {
    SStreamLibrary() { StreamIO::InitStreamIO(); }
    ~SStreamLibrary() { StreamIO::ExitStreamIO(); }
  };

  void Fill(CZedoDoc& doc, std::initializer_list<unsigned> slots, std::int32_t limit) {
    std::vector<BYTE> bytes;
    for (unsigned slot : slots) {
      const std::vector<BYTE> raw = CRawRecord().Slot(slot).Bytes();
      bytes.insert(bytes.end(), raw.begin(), raw.end());
    }
    const SMeasDeviceInfo device = DeviceBlock(limit);
    ASSERT_TRUE(doc.AddDownloadedData(bytes.data(), bytes.size(), &device));
  }
  bool Copy(CZedoDoc& doc, const std::vector<BYTE>& selection) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    const bool copied = doc.CopyToClipboard(selection);
    CloseClipboard();
    return copied;
  }
  bool Paste(CZedoDoc& doc) {
    if (!OpenClipboard(nullptr)) return false;
    const bool pasted = doc.PasteFromClipboard();
    CloseClipboard();
    return pasted;
  }
  void Plant(const std::vector<BYTE>& block) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(RegisterClipboardFormat(CZedoDoc::kClipboardFormatName), block);
    CloseClipboard();
  }
  static std::vector<BYTE> Slots(const CZedoDoc& doc) {
    std::vector<BYTE> slots;
    for (int i = 0; i < doc.GetCount(); ++i) slots.push_back(doc.GetSlotId(i));
    return slots;
  }

  SStreamLibrary library;
  CUiApplication app;
  CScriptedAnswers answers;
  CZedoDoc source, target;
};

TEST_F(ClipboardPasteTest, ChosenMeasurementsTravelInTheirOrder) {
  Fill(source, {1, 2, 3, 4, 5}, 6000);
  source.SetComment(3, u"fourth");
  EXPECT_FALSE(source.CanPaste());
  EXPECT_FALSE(Copy(source, {}));
  ASSERT_TRUE(Copy(source, {0, 1, 0, 1, 0}));
  EXPECT_TRUE(source.CanPaste());
  EXPECT_TRUE(target.IsClipboardDataAvailable());

  ASSERT_TRUE(Paste(target));
  EXPECT_EQ(Slots(target), (std::vector<BYTE>{2, 4}));
  EXPECT_EQ(target.GetComment(1), u"fourth");
  EXPECT_TRUE(target.IsModified());

  // Pasting again appends and sorts by the list's key.
  target.Sort(2);
  ASSERT_TRUE(Paste(target));
  EXPECT_EQ(Slots(target), (std::vector<BYTE>{4, 4, 2, 2}));
  EXPECT_TRUE(answers.GetMessageBoxes().empty());
}

TEST_F(ClipboardPasteTest, ImageOfAnotherLoadLimitIsRefused) {
  Fill(source, {1, 2}, 16000);
  Fill(target, {7}, 6000);
  ASSERT_TRUE(Copy(source, {1, 1}));
  EXPECT_TRUE(Paste(target));
  ASSERT_EQ(answers.GetMessageBoxes().size(), 1u);
  EXPECT_EQ(answers.GetMessageBoxes()[0].text,
            u"All data to be pasted must have the same load limit as that in the current project.");
  EXPECT_EQ(Slots(target), (std::vector<BYTE>{7}));
}

TEST_F(ClipboardPasteTest, DamagedBlocksChangeNothing) {
  Fill(source, {1}, 6000);
  ASSERT_TRUE(Copy(source, {1}));
  std::vector<BYTE> good;
  ASSERT_TRUE(GetClipboardData(source.GetClipboardFormat(), good));
  ASSERT_GT(good.size(), 4u);
  EXPECT_EQ(good[0] | good[1] << 8 | good[2] << 16 | good[3] << 24, int(good.size() - 4));

  std::vector<BYTE> longWord = good;
  longWord[0] = BYTE(longWord[0] + 1);  // claims one byte more than the block holds
  std::vector<BYTE> cut(good.begin(), good.end() - 10);
  cut[0] = BYTE(cut[0] - 10);  // consistent length, but the image ends early
  std::vector<BYTE> garbage{8, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8};
  for (const auto& block : {longWord, cut, garbage, std::vector<BYTE>{1, 0}}) {
    Fill(target, {9}, 6000);
    Plant(block);
    EXPECT_FALSE(Paste(target)) << block.size();
    EXPECT_EQ(Slots(target), (std::vector<BYTE>{9}));
  }
  EXPECT_TRUE(answers.GetMessageBoxes().empty());

  Plant({0, 0, 0, 0});
  EXPECT_FALSE(target.IsClipboardDataAvailable()) << "an empty image offers nothing to paste";
}

TEST_F(ClipboardPasteTest, NewerFormatOnTheClipboardIsRefused) {
  CBytes image;
  image.Str(u"JovanT ZD-Zedo project file").U16(9).U16(0).U16(0).U16(0).U16(3).U32(0);
  CBytes block;
  block.U32(std::uint32_t(image.Get().size())).Raw(image.Get());
  Fill(target, {9}, 6000);
  Plant(block.Get());
  EXPECT_TRUE(Paste(target));
  ASSERT_EQ(answers.GetMessageBoxes().size(), 1u);
  EXPECT_EQ(answers.GetMessageBoxes()[0].text.Left(34), u"The project file is not supported ");
  EXPECT_EQ(Slots(target), (std::vector<BYTE>{9}));
}

}  // namespace
