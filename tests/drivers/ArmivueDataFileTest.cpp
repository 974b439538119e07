#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "drivers/ArmiSmartDevice.h"
#include "tests/support/TestEnvironment.h"

namespace {

using TMeas = Device::CArmiSmartDevice::TMeas;

// Local times of these objects are Berlin's, one in winter and one in summer time.
class ArmivueDataFile : public ::testing::Test {
 protected:
  void SetUp() override { PinTimeZone("Europe/Berlin"); }

  static TMeas Instrument(BYTE regional, BYTE storageMode) {
    TMeas meas;
    meas.version = CVersion(u"1.0");
    meas.name = u"Armivue";
    meas.serialNumber = u"AV-0042";
    meas.softwareVersion = u"1.2.3";
    meas.hardwareIndex = u"B";
    meas.signature = u"06000102";
    meas.regional = regional;
    meas.storageMode = storageMode;
    return meas;
  }

  std::u16string Write(const TMeas& meas) {
    const int length = device.WriteDataFile(meas, nullptr, 0);
    std::u16string text(size_t(length), u'\0');
    EXPECT_EQ(device.WriteDataFile(meas, text.data(), length), length);
    return text;
  }

  TMeas Read(const CString& text, bool expected = true) {
    TMeas meas;
    EXPECT_EQ(device.ReadDataFile(meas, text), expected);
    return meas;
  }

  Device::CArmiSmartDevice device;
};

TEST_F(ArmivueDataFile, MetricObjectIsWrittenLineByLine) {
  TMeas meas = Instrument(0, 1);
  meas.rawDefaultDiameter = 16;
  meas.correction = 40;
  meas.comment = u"Bridge & deck\r\neast \"A\"";
  meas.objectNumber = 7;
  meas.objectName = u"Pier 1";
  meas.date = 1768469405;  // 15 January 2026 10:30:05 in Berlin
  meas.readings = {{1, 35, 16}, {2, 255, 9}, {3, 120, 0}};
  EXPECT_EQ(Write(meas),
            u"Armivue+ Data File Version          ;;;'1.0\r\n"
            u"\r\n"
            u"Instrument Data\r\n"
            u"    Name                            ;;;Armivue\r\n"
            u"    Serial Number                   ;;;AV-0042\r\n"
            u"    Software Version                ;;;'1.2.3\r\n"
            u"    Hardware Index                  ;;;B\r\n"
            u"    Signature                       ;;;'06000102\r\n"
            u"\r\n"
            u"Settings\r\n"
            u"    Regional                        ;;;Metric\r\n"
            u"    Data Storage Mode               ;;;Auto\r\n"
            u"    Raw Default Bar Diameter [mm]   ;;;'16\r\n"
            u"    Default Bar Diameter [mm]       ;;;'16\r\n"
            u"    Neighboring Bar Correction [mm] ;;;'40\r\n"
            u"\r\n"
            u"Comment\r\n"
            u"    \"Bridge &amp deck&#13east &quotA&quot\"\r\n"
            u"\r\n"
            u"\r\n"
            u"\r\n"
            u"Data\r\n"
            u"    Object Number                   ;;;7\r\n"
            u"    Object Name                     ;;;\"Pier 1\"\r\n"
            u"    Date                            ;;;'15.1.2026  10:30:5\r\n"
            u"    # of Measurements               ;;;3\r\n"
            u"\r\n"
            u"\r\n"
            u"Number            ;Cover [mm]        ;Diameter [mm]     ;Raw Diameter [mm] \r\n"
            u"------------------;------------------;------------------;------------------\r\n"
            u" 1                ; 35               ;16                ;16\r\n"
            u" 2                ;n/a               ; 9                ; 9\r\n"
            u" 3                ;120               ;n/a               ;n/a\r\n");
}

TEST_F(ArmivueDataFile, AstmInchObjectShowsInchesAndBarNumbers) {
  TMeas meas = Instrument(1, 0);
  meas.version = CVersion(u"1.2");
  meas.rawDefaultDiameter = 16;
  meas.correction = 130;
  meas.objectNumber = -1;
  meas.objectName = u"Wall\tnorth";
  meas.date = 1782907509;  // 1 July 2026 14:05:09 in Berlin, summer time
  meas.readings = {{1, 50, 16}, {2, 8, 30}, {12, 100, 40}};
  EXPECT_EQ(Write(meas),
            u"Armivue+ Data File Version          ;;;'1.2\r\n"
            u"\r\n"
            u"Instrument Data\r\n"
            u"    Name                            ;;;Armivue\r\n"
            u"    Serial Number                   ;;;AV-0042\r\n"
            u"    Software Version                ;;;'1.2.3\r\n"
            u"    Hardware Index                  ;;;B\r\n"
            u"    Signature                       ;;;'06000102\r\n"
            u"\r\n"
            u"Settings\r\n"
            u"    Regional                        ;;;ASTM inch\r\n"
            u"    Data Storage Mode               ;;;Manual\r\n"
            u"    Raw Default Bar Diameter [mm]   ;;;'16\r\n"
            u"    Default Bar Diameter            ;;;'#5\r\n"
            u"    Neighboring Bar Correction [in] ;;;'5.2\r\n"
            u"\r\n"
            u"Comment\r\n"
            u"    \"\"\r\n"
            u"\r\n"
            u"\r\n"
            u"\r\n"
            u"Data\r\n"
            u"    Object Number                   ;;;65535\r\n"
            u"    Object Name                     ;;;\"Wall&#9north\"\r\n"
            u"    Date                            ;;;'1.7.2026  14:5:9\r\n"
            u"    # of Measurements               ;;;3\r\n"
            u"\r\n"
            u"\r\n"
            u"Number            ;Cover [in]        ;Diameter          ;Raw Diameter [mm] \r\n"
            u"------------------;------------------;------------------;------------------\r\n"
            u" 1                ;1.97              ;#5                ;16\r\n"
            u" 2                ;0.31              ;#9                ;30\r\n"
            u"12                ;3.94              ;#13               ;40\r\n");
}

TEST_F(ArmivueDataFile, AstmMillimetreObjectShowsMillimetresAndBarNumbers) {
  TMeas meas = Instrument(2, 1);
  meas.comment = u"x";
  meas.date = 1774778400;  // 29 March 2026 12:00:00 in Berlin, the day summer time starts
  meas.readings = {{1, 50, 16}, {2, 8, 60}};
  EXPECT_EQ(Write(meas),
            u"Armivue+ Data File Version          ;;;'1.0\r\n"
            u"\r\n"
            u"Instrument Data\r\n"
            u"    Name                            ;;;Armivue\r\n"
            u"    Serial Number                   ;;;AV-0042\r\n"
            u"    Software Version                ;;;'1.2.3\r\n"
            u"    Hardware Index                  ;;;B\r\n"
            u"    Signature                       ;;;'06000102\r\n"
            u"\r\n"
            u"Settings\r\n"
            u"    Regional                        ;;;ASTM mm\r\n"
            u"    Data Storage Mode               ;;;Auto\r\n"
            u"    Raw Default Bar Diameter [mm]   ;;;'0\r\n"
            u"    Default Bar Diameter            ;;;'#0\r\n"
            u"    Neighboring Bar Correction [mm] ;;;'-\r\n"
            u"\r\n"
            u"Comment\r\n"
            u"    \"x\"\r\n"
            u"\r\n"
            u"\r\n"
            u"\r\n"
            u"Data\r\n"
            u"    Object Number                   ;;;0\r\n"
            u"    Object Name                     ;;;\"\"\r\n"
            u"    Date                            ;;;'29.3.2026  12:0:0\r\n"
            u"    # of Measurements               ;;;2\r\n"
            u"\r\n"
            u"\r\n"
            u"Number            ;Cover [mm]        ;Diameter          ;Raw Diameter [mm] \r\n"
            u"------------------;------------------;------------------;------------------\r\n"
            u" 1                ; 50               ;#5                ;16\r\n"
            u" 2                ;  8               ;#18               ;60\r\n");
}

TEST_F(ArmivueDataFile, JapaneseObjectUsesItsOwnDiameters) {
  TMeas meas = Instrument(3, 0);
  meas.rawDefaultDiameter = 28;
  meas.correction = 150;
  meas.objectNumber = 500;
  meas.objectName = u"A";
  meas.date = 1792914330;  // 25 October 2026 08:45:30 in Berlin, the day summer time ends
  meas.readings = {{1, 254, 7}, {2, 0, 55}};
  EXPECT_EQ(Write(meas),
            u"Armivue+ Data File Version          ;;;'1.0\r\n"
            u"\r\n"
            u"Instrument Data\r\n"
            u"    Name                            ;;;Armivue\r\n"
            u"    Serial Number                   ;;;AV-0042\r\n"
            u"    Software Version                ;;;'1.2.3\r\n"
            u"    Hardware Index                  ;;;B\r\n"
            u"    Signature                       ;;;'06000102\r\n"
            u"\r\n"
            u"Settings\r\n"
            u"    Regional                        ;;;Japanese\r\n"
            u"    Data Storage Mode               ;;;Manual\r\n"
            u"    Raw Default Bar Diameter [mm]   ;;;'28\r\n"
            u"    Default Bar Diameter [mm]       ;;;'29\r\n"
            u"    Neighboring Bar Correction [mm] ;;;'150\r\n"
            u"\r\n"
            u"Comment\r\n"
            u"    \"\"\r\n"
            u"\r\n"
            u"\r\n"
            u"\r\n"
            u"Data\r\n"
            u"    Object Number                   ;;;500\r\n"
            u"    Object Name                     ;;;\"A\"\r\n"
            u"    Date                            ;;;'25.10.2026  8:45:30\r\n"
            u"    # of Measurements               ;;;2\r\n"
            u"\r\n"
            u"\r\n"
            u"Number            ;Cover [mm]        ;Diameter [mm]     ;Raw Diameter [mm] \r\n"
            u"------------------;------------------;------------------;------------------\r\n"
            u" 1                ;254               ; 6                ; 7\r\n"
            u" 2                ;  0               ;57                ;55\r\n");
}

TEST_F(ArmivueDataFile, ObjectsReadBackAsWritten) {
  TMeas meas = Instrument(1, 1);
  meas.rawDefaultDiameter = 20;
  meas.correction = 90;
  // Semicolons, an apostrophe after one, quotes, line breaks and TABs all belong to the texts.
  meas.comment = u"a;;b;'c \"quoted\"\r\nline two\n\tend & more";
  meas.objectName = u"Pier;'2\";x";
  meas.objectNumber = 42;
  meas.date = 1782907509;
  meas.readings = {{1, 50, 16}, {2, 255, 0}, {3, 8, 60}};
  const TMeas back = Read(Write(meas));
  EXPECT_EQ(back.version, meas.version);
  EXPECT_EQ(back.name, meas.name);
  EXPECT_EQ(back.serialNumber, meas.serialNumber);
  EXPECT_EQ(back.softwareVersion, meas.softwareVersion);
  EXPECT_EQ(back.hardwareIndex, meas.hardwareIndex);
  EXPECT_EQ(back.signature, meas.signature);
  EXPECT_EQ(back.regional, 1);
  EXPECT_EQ(back.storageMode, 1);
  EXPECT_EQ(back.rawDefaultDiameter, 20);
  EXPECT_EQ(back.correction, 90);
  // A lone LF comes back as CR LF: the file knows only one line break.
  EXPECT_EQ(back.comment, CString(u"a;;b;'c \"quoted\"\r\nline two\r\n\tend & more"));
  EXPECT_EQ(back.objectName, meas.objectName);
  EXPECT_EQ(back.objectNumber, 42);
  EXPECT_EQ(back.date, meas.date);
  ASSERT_EQ(back.readings.size(), 3u);
  EXPECT_EQ(back.readings[0].cover, 50);
  EXPECT_EQ(back.readings[0].rawDiameter, 16);
  EXPECT_EQ(back.readings[1].cover, 255);
  EXPECT_EQ(back.readings[1].rawDiameter, 0);
  EXPECT_EQ(back.readings[2].number, 3);
  EXPECT_EQ(back.readings[2].cover, 8);
  EXPECT_EQ(back.readings[2].rawDiameter, 60);
}

// Empty texts keep their lines: a label's semicolons, its marker, and nothing after them.
TEST_F(ArmivueDataFile, EmptyInstrumentTextsAreWrittenAndReadInTheirPlaces) {
  TMeas meas = Instrument(0, 0);
  meas.name.Empty();
  meas.serialNumber.Empty();
  meas.softwareVersion.Empty();
  meas.hardwareIndex.Empty();
  meas.signature.Empty();
  meas.objectNumber = 4;
  meas.date = 0;  // 1 January 1970 01:00:00 in Berlin
  meas.readings = {{1, 35, 16}};
  const std::u16string text =
      u"Armivue+ Data File Version          ;;;'1.0\r\n"
      u"\r\n"
      u"Instrument Data\r\n"
      u"    Name                            ;;;\r\n"
      u"    Serial Number                   ;;;\r\n"
      u"    Software Version                ;;;'\r\n"
      u"    Hardware Index                  ;;;\r\n"
      u"    Signature                       ;;;'\r\n"
      u"\r\n"
      u"Settings\r\n"
      u"    Regional                        ;;;Metric\r\n"
      u"    Data Storage Mode               ;;;Manual\r\n"
      u"    Raw Default Bar Diameter [mm]   ;;;'0\r\n"
      u"    Default Bar Diameter [mm]       ;;;'0\r\n"
      u"    Neighboring Bar Correction [mm] ;;;'-\r\n"
      u"\r\n"
      u"Comment\r\n"
      u"    \"\"\r\n"
      u"\r\n"
      u"\r\n"
      u"\r\n"
      u"Data\r\n"
      u"    Object Number                   ;;;4\r\n"
      u"    Object Name                     ;;;\"\"\r\n"
      u"    Date                            ;;;'1.1.1970  1:0:0\r\n"
      u"    # of Measurements               ;;;1\r\n"
      u"\r\n"
      u"\r\n"
      u"Number            ;Cover [mm]        ;Diameter [mm]     ;Raw Diameter [mm] \r\n"
      u"------------------;------------------;------------------;------------------\r\n"
      u" 1                ; 35               ;16                ;16\r\n";
  EXPECT_EQ(Write(meas), text);
  TMeas back;
  back.name = u"old";
  back.signature = u"old";
  ASSERT_TRUE(device.ReadDataFile(back, CString(text)));
  EXPECT_EQ(back.name.ToUtf8(), "");
  EXPECT_EQ(back.serialNumber.ToUtf8(), "");
  EXPECT_EQ(back.softwareVersion.ToUtf8(), "");
  EXPECT_EQ(back.hardwareIndex.ToUtf8(), "");
  EXPECT_EQ(back.signature.ToUtf8(), "");
  EXPECT_EQ(back.regional, 0);
  EXPECT_EQ(back.storageMode, 0);
  EXPECT_EQ(back.objectNumber, 4);
  EXPECT_EQ(back.date, 0);
  ASSERT_EQ(back.readings.size(), 1u);
  EXPECT_EQ(back.readings[0].cover, 35);
}

// Each text empty on its own: the ones around it stay where they were.
TEST_F(ArmivueDataFile, AnEmptyTextDoesNotTakeTheNextOne) {
  const auto texts = [](const TMeas& meas) {
    return std::vector<std::string>{meas.name.ToUtf8(),
                                    meas.serialNumber.ToUtf8(),
                                    meas.softwareVersion.ToUtf8(),
                                    meas.hardwareIndex.ToUtf8(),
                                    meas.signature.ToUtf8(),
                                    std::to_string(meas.regional),
                                    std::to_string(meas.storageMode),
                                    meas.objectName.ToUtf8()};
  };
  CString TMeas::*const fields[] = {&TMeas::name, &TMeas::serialNumber, &TMeas::softwareVersion,
                                    &TMeas::hardwareIndex, &TMeas::signature};
  for (CString TMeas::*field : fields) {
    TMeas meas = Instrument(2, 1);
    meas.objectName = u"Pier 1";
    (meas.*field).Empty();
    EXPECT_EQ(texts(Read(Write(meas))), texts(meas));
  }
}

class ArmivueDataFileText : public ArmivueDataFile {
 protected:
  CString Text(BYTE regional) {
    TMeas meas = Instrument(regional, 0);
    meas.rawDefaultDiameter = 17;
    meas.correction = 40;
    meas.objectNumber = 3;
    meas.date = 1768469405;
    meas.readings = {{1, 50, 16}, {2, 60, 20}, {3, 70, 24}, {4, 80, 28}, {5, 90, 32}};
    return CString(Write(meas));
  }
  static CString Replaced(CString text, const char16_t* from, const char16_t* to) {
    EXPECT_EQ(text.Replace(from, to), 1) << CString(from).ToUtf8();
    return text;
  }
};

TEST_F(ArmivueDataFileText, InchCorrectionsReadInSinglePrecision) {
  const struct {
    const char16_t* text;
    BYTE millimetres;
  } cases[] = {{u"5.2", 130}, {u"2.8", 70}, {u"3.6", 90}, {u"2.0", 50}, {u"1.5", 0}, {u"-", 0}};
  const CString text = Text(1);
  for (const auto& c : cases) {
    const TMeas meas = Read(Replaced(text, u";;;'0.0", CString(u";;;'") + c.text));
    EXPECT_EQ(meas.correction, c.millimetres) << CString(c.text).ToUtf8();
  }
  Read(Replaced(text, u";;;'0.0", u";;;'5.3"), false);
  Read(Replaced(text, u";;;'0.0", u";;;'abc"), false);
  EXPECT_EQ(Read(Replaced(Text(0), u";;;'40", u";;;'150")).correction, 150);
  Read(Replaced(Text(0), u";;;'40", u";;;'151"), false);
}

TEST_F(ArmivueDataFileText, OnlyVersionOneIsRead) {
  Read(Replaced(Text(0), u";;;'1.0", u";;;'2.0"), false);
  Read(Replaced(Text(0), u"Armivue+ Data File Version", u"Armivue Data File Version"), false);
  EXPECT_EQ(Read(Replaced(Text(0), u";;;'1.0", u";;;'1.7")).version, CVersion(u"1.7"));
}

TEST_F(ArmivueDataFileText, TableEndsAtTheFirstRowWithABadNumberOrDiameter) {
  const CString text = Text(0);
  EXPECT_EQ(Read(Replaced(text, u"\r\n 5    ", u"\r\n120    ")).readings.size(), 4u);
  EXPECT_EQ(Read(Replaced(text, u"\r\n 3    ", u"\r\n-3    ")).readings.size(), 2u);
  EXPECT_EQ(Read(Replaced(text, u";24\r\n", u";61\r\n")).readings.size(), 2u);
  EXPECT_EQ(Read(text.Left(text.GetLength() - 10)).readings.size(), 4u);
}

TEST_F(ArmivueDataFileText, UnreadableCoversRefuseTheFile) {
  Read(Replaced(Text(1), u"1.97", u"10.5"), false);
  Read(Replaced(Text(0), u" 60 ", u" -6 "), false);
  Read(Replaced(Text(0), u" 60 ", u"256 "), false);
  EXPECT_EQ(Read(Replaced(Text(0), u" 60 ", u"n/a ")).readings[1].cover, 255);
  // Inch covers just below the limit stay real covers rather than turning into "n/a".
  const TMeas inches = Read(Replaced(Text(1), u"1.97", u"10.03"));
  EXPECT_EQ(inches.readings[0].cover, 254);
}

TEST_F(ArmivueDataFileText, NumbersOutOfRangeGiveTheirMarks) {
  const CString text = Text(0);
  EXPECT_EQ(Read(Replaced(text, u";;;'17\r\n", u";;;'-3\r\n")).rawDefaultDiameter, 0);
  EXPECT_EQ(Read(Replaced(text, u";;;'17\r\n", u";;;'101\r\n")).rawDefaultDiameter, 0);
  EXPECT_EQ(Read(Replaced(text, u";;;3\r\n", u";;;-2\r\n")).objectNumber, -1);
  EXPECT_EQ(Read(Replaced(text, u";;;3\r\n", u";;;501\r\n")).objectNumber, -1);
  EXPECT_EQ(Read(Replaced(text, u";;;Manual", u";;;Sometimes")).storageMode, 255);
  EXPECT_EQ(Read(Replaced(text, u";;;Manual", u";;;A")).storageMode, 1);
  EXPECT_EQ(Read(Replaced(Text(1), u";;;ASTM inch", u";;;ASTM in")).regional, 1);
}

TEST_F(ArmivueDataFileText, MissingKeysAndDates) {
  const CString text = Text(0);
  Read(Replaced(text, u"Serial Number", u"Serial"), false);
  Read(Replaced(text, u"Object Number", u"Object"), false);
  EXPECT_EQ(Read(Replaced(text, u"    Date", u"    Day")).date, 0);
  TMeas meas;
  meas.date = 99;
  EXPECT_TRUE(device.ReadDataFile(meas, Replaced(text, u"15.1.2026  10:30:5", u"15.1.2026")));
  EXPECT_EQ(meas.date, 99);
  const TMeas noComment = Read(Replaced(text, u"Comment\r\n", u"Remark\r\n"));
  EXPECT_TRUE(noComment.comment.IsEmpty());
}

// A date whose numbers lie outside the calendar reads like one that does not give six numbers:
// the object keeps its date and the file is read.
TEST_F(ArmivueDataFileText, DatesOutsideTheCalendarLeaveTheDate) {
  const char16_t* dates[] = {u"15.1.-2147483648  10:30:5",   u"15.-2147483648.2026  10:30:5",
                             u"-2147483648.1.2026  10:30:5", u"15.1.2026  2147483647:30:5",
                             u"15.1.2147483647  10:30:5",    u"0.1.2026  10:30:5",
                             u"32.1.2026  10:30:5",          u"15.0.2026  10:30:5",
                             u"15.13.2026  10:30:5",         u"15.1.0  10:30:5",
                             u"15.1.10000  10:30:5",         u"15.1.2026  24:30:5",
                             u"15.1.2026  -1:30:5",          u"15.1.2026  10:60:5",
                             u"15.1.2026  10:30:60"};
  const CString text = Text(0);
  for (const char16_t* date : dates) {
    TMeas meas;
    meas.date = 99;
    EXPECT_TRUE(device.ReadDataFile(meas, Replaced(text, u"15.1.2026  10:30:5", date)))
        << CString(date).ToUtf8();
    EXPECT_EQ(meas.date, 99) << CString(date).ToUtf8();
  }
  // The calendar's edges are dates; a day beyond its month's end goes on into the next month.
  const struct {
    const char16_t* date;
    std::int64_t stamp;
  } edges[] = {{u"1.1.1  0:0:0", -62135600008},  // Berlin's mean solar time, UTC + 0:53:28
               {u"31.12.9999  23:59:59", 253402297199},
               {u"31.4.2026  0:0:0", 1777586400}};
  for (const auto& edge : edges)
    EXPECT_EQ(Read(Replaced(text, u"15.1.2026  10:30:5", edge.date)).date, edge.stamp)
        << CString(edge.date).ToUtf8();
}

TEST_F(ArmivueDataFile, UnknownUnitsOrStorageModesWriteNothing) {
  std::u16string buffer(4000, u'*');
  EXPECT_EQ(device.WriteDataFile(Instrument(4, 0), buffer.data(), 4000), 0);
  EXPECT_EQ(device.WriteDataFile(Instrument(0, 2), buffer.data(), 4000), 0);
  EXPECT_EQ(device.WriteDataFile(Instrument(0, 255), buffer.data(), 4000), 0);
  const int length = device.WriteDataFile(Instrument(0, 0), nullptr, 0);
  EXPECT_EQ(device.WriteDataFile(Instrument(0, 0), buffer.data(), length - 1), 0);
  EXPECT_EQ(buffer, std::u16string(4000, u'*'));
  EXPECT_EQ(device.WriteDataFile(Instrument(0, 0), buffer.data(), length), length);
  EXPECT_EQ(buffer[size_t(length)], u'*');
}

// A stored object of the binary download: the texts, the settings and the readings.
std::vector<BYTE> BinaryRecord(BYTE storageMode, BYTE count) {
  std::vector<BYTE> record(Device::CArmiSmartDevice::kBinaryRecordSize, 0);
  record[0] = 1;
  record[1] = 3;
  const char name[] = "ABCDEFGHIJKLMNOPSERIAL";  // the name fills its field without a zero
  std::copy(name, name + 22, record.begin() + 2);
  const char software[] = "2.0.1";
  std::copy(software, software + 5, record.begin() + 34);
  record[43] = 'C';
  const char signature[] = "06000203X";
  std::copy(signature, signature + 9, record.begin() + 48);
  record[57] = 2;
  record[58] = storageMode;
  record[59] = 18;
  record[60] = 70;
  record[61] = 0x2C;
  record[62] = 0x01;
  record[63] = count;
  for (int i = 0; i < 99; ++i) {
    record[size_t(64 + i)] = BYTE(10 + i);
    record[size_t(163 + i)] = BYTE(i % 61);
  }
  return record;
}

TEST_F(ArmivueDataFile, BinaryRecordsCarryEveryField) {
  TMeas meas;
  ASSERT_TRUE(device.ParseBinaryRecord(meas, BinaryRecord('A', 3).data()));
  EXPECT_EQ(meas.version, CVersion(u"1.3"));
  EXPECT_EQ(meas.name, CString(u"ABCDEFGHIJKLMNOP"));
  EXPECT_EQ(meas.serialNumber, CString(u"SERIAL"));
  EXPECT_EQ(meas.softwareVersion, CString(u"2.0.1"));
  EXPECT_EQ(meas.hardwareIndex, CString(u"C"));
  EXPECT_EQ(meas.signature, CString(u"06000203X"));
  EXPECT_EQ(meas.regional, 2);
  EXPECT_EQ(meas.storageMode, 1);
  EXPECT_EQ(meas.rawDefaultDiameter, 18);
  EXPECT_EQ(meas.correction, 70);
  EXPECT_EQ(meas.objectNumber, 300);
  ASSERT_EQ(meas.readings.size(), 3u);
  EXPECT_EQ(meas.readings[2].number, 3);
  EXPECT_EQ(meas.readings[2].cover, 12);
  EXPECT_EQ(meas.readings[2].rawDiameter, 2);
}

TEST_F(ArmivueDataFile, BinaryRecordsStorageModesAndCounts) {
  const struct {
    BYTE mode;
    BYTE count;
    bool read;
    BYTE storageMode;
    size_t readings;
  } cases[] = {{'A', 0, true, 1, 0}, {'M', 99, true, 0, 99}, {'X', 1, true, 255, 1}, {'M', 100, false, 0, 0}};
  for (const auto& c : cases) {
    TMeas meas;
    EXPECT_EQ(device.ParseBinaryRecord(meas, BinaryRecord(c.mode, c.count).data()), c.read) << int(c.count);
    EXPECT_EQ(meas.storageMode, c.storageMode) << c.mode;
    EXPECT_EQ(meas.readings.size(), c.readings) << int(c.count);
  }
  TMeas meas;
  EXPECT_FALSE(device.ParseBinaryRecord(meas, nullptr));
}

}  // namespace
