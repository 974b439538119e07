#pragma once
// The grid page's text writers, called as the export calls them: once to measure, once with a
// buffer of the measured length. Times follow Europe/Berlin and dates the picture dd.MM.yyyy,
// times HH:mm.

#include <string>

#include "device/FileVersionInfo.h"
#include "document/Units.h"
#include "tests/views/GridPageFixture.h"

class TextExportTest : public GridPageTest {
 protected:
  using Writer = int (CTabGrid::*)(int, bool, WCHAR*, int);

  TextExportTest() { SetDateTimeFormatSetting(0x0303); }
  ~TextExportTest() override { SetDateTimeFormatSetting(0); }

  // Both passes; the filling pass must fill exactly the measured length.
  CString Write(Writer writer, int index, bool withCurve) {
    const int length = (page.*writer)(index, withCurve, nullptr, 0);
    std::u16string text(std::size_t(length), u'\0');
    EXPECT_EQ((page.*writer)(index, withCurve, text.data(), length), length);
    return CString(text);
  }
  CString List(int index, bool withCurve = false) {
    return Write(&CTabGrid::FormatListRow, index, withCurve);
  }
  CString Report(int index, bool withCurve = false) {
    return Write(&CTabGrid::FormatReportRow, index, withCurve);
  }
  // Puts one test of that instrument into the document, replacing what was there.
  void LoadOne(const CRawRecord& record, const SMeasDeviceInfo& device, const CString& comment = CString()) {
    ASSERT_TRUE(doc.AddDownloadedData(record.Bytes().data(), record.Bytes().size(), &device));
    PumpMessages();
    doc.SetComment(0, comment);
  }

  static CString ProgramVersion() {
    CFileVersionInfo version;
    version.CreateFromModule(nullptr);
    return version.GetProductVersion();
  }
  // A kN test at 14:05:09 on 15 January 2021 (winter time), its failure modes AB 60 %, C 40 %
  // and a class code beyond the named ones.
  static CRawRecord WinterTest() {
    return CRawRecord()
        .Slot(3)
        .Id(42)
        .Date(2021, 1, 15, 14, 5, 9)
        .Peak(5123)
        .Word(MeasRaw::kTearOffTime, 23)
        .Word(MeasRaw::kEffectiveLoadRate, 95)
        .Byte(MeasRaw::kFailureClass + 1, 1)
        .Byte(MeasRaw::kFailurePercent + 1, 60)
        .Byte(MeasRaw::kFailureClass + 2, 4)
        .Byte(MeasRaw::kFailurePercent + 2, 40)
        .Byte(MeasRaw::kFailureClass + 3, 9);
  }
  // The same clock time on 15 July 2021, while summer time is in force.
  static CRawRecord SummerTest() { return WinterTest().Date(2021, 7, 15, 14, 5, 9); }
};
