#include <gtest/gtest.h>

#include "device/Contents.h"
#include "tests/device/zd2/Zd2Fixture.h"

namespace {

class Zd2Identity : public Zd2Test {};

TEST_P(Zd2Identity, IdentifiesTheInstrumentAndKeepsItsIdentity) {
  Connect();
  SDeviceIdent ident;
  ASSERT_TRUE(Device().Identify(ident));
  EXPECT_EQ(ident.deviceName, CString(u"ZD-2"));
  EXPECT_EQ(ident.appVersion, CString(u"1.6.2"));
  EXPECT_EQ(ident.serialNumber, CString(u"VN02-123-4567"));
  EXPECT_EQ(Device().GetProtocolState(), 8);
  Device::SDeviceInfo info;
  Device().GetDeviceInfo(info);
  EXPECT_EQ(info.hardwareRevision, CString(u"2"));
  EXPECT_EQ(info.signature, CString(u"0C000102"));
  EXPECT_EQ(Device().GetSerialNumber(), CString(u"VN02-123-4567"));
  EXPECT_EQ(Device().GetInfoText(),
            CString(u"Device type:\tZD-2\r\nSerial number:\tVN02-123-4567\r\nFirmware "
                    u"Version:\t1.6.2\r\nHardware revision:\t2\r\nSignature:\t0C000102"));
  EXPECT_EQ(Received(), "<10>@ID@<0D>");
}

TEST_P(Zd2Identity, EmptyFieldsReadAsDashAndAMissingSerialNumberGetsThePlaceholder) {
  m_zd2.SetIdentity("ZD-2;;-;0C000001;1.2.0");
  Connect();
  SDeviceIdent ident;
  ASSERT_TRUE(Device().Identify(ident));
  Device::SDeviceInfo info;
  Device().GetDeviceInfo(info);
  EXPECT_EQ(info.hardwareRevision, CString(u"-"));
  EXPECT_EQ(ident.serialNumber, CString(u"VN00-000-0000"));
  EXPECT_EQ(ident.appVersion, CString(u"1.2.0"));
}

TEST_P(Zd2Identity, RefusesASignatureOfAnotherDeviceCode) {
  m_zd2.SetIdentity("ZD-2;2;VN02-123-4567;0D000102;1.6.2");
  Connect();
  SDeviceIdent ident;
  EXPECT_FALSE(Device().Identify(ident));
  EXPECT_EQ(Device().GetDeviceCode(), 0);
}

TEST_P(Zd2Identity, FallsBackToTheServiceIdentity) {
  m_zd2.SetServiceModeOnly(true);
  Connect();
  SDeviceIdent ident;
  ASSERT_TRUE(Device().Identify(ident));
  EXPECT_EQ(ident.serialNumber, CString(u"VN02-123-4567"));
  EXPECT_EQ(Device().GetProtocolState(), 3);
  EXPECT_EQ(Received(), "<10>@ID@<0D>SC030102F9<0D><0A>SI030000FC<0D><0A>");
}

TEST_P(Zd2Identity, InformationPairsFirmwareListAndDeviceCode) {
  Connect();
  EXPECT_EQ(Device().GetDeviceInfoPairs(),
            CString(u"device_name=ZD-2&app_version=1.6.2&serial_number=VN02-123-4567"));
  Device::CContents contents;
  ASSERT_TRUE(Device().FillFirmwareList(contents));
  ASSERT_EQ(contents.m_entries.size(), 1u);
  EXPECT_EQ(contents.m_entries[0].contentType, 1);
  EXPECT_EQ(contents.m_entries[0].version, CVersion(CString(u"1.6.2")));
  EXPECT_EQ(Device().GetDeviceCode(), 0x0C000102);
}

class Zd2Queries : public Zd2Test {};

TEST_P(Zd2Queries, DecodesEveryQuery) {
  for (const auto& [query, answer] :
       {std::pair{"@DS@", "03"}, std::pair{"@DA@", "3412"}, std::pair{"@MF@", "E803"},
        std::pair{"@RA@", "6400"}, std::pair{"@UU@", "A"}})
    m_zd2.SetQueryAnswer(query, answer);
  Connect();
  CString text;
  EXPECT_TRUE(Device().QueryEN(text));
  EXPECT_EQ(text, CString(u"EN-2207"));
  EXPECT_TRUE(Device().QueryCD(text));
  EXPECT_EQ(text, CString(u"2026-11-05"));
  EXPECT_TRUE(Device().QueryCI(text));
  EXPECT_EQ(text, CString(u"CAL7"));
  DWORD word = 0;
  EXPECT_TRUE(Device().QueryCalibrationWord(true, word));
  EXPECT_EQ(word, 0x12345678u);
  EXPECT_TRUE(Device().QueryCalibrationWord(false, word));
  EXPECT_EQ(word, 0xDEADBEEFu);
  EXPECT_DOUBLE_EQ(Device().ReadBatteryVoltage(), 4.2);
  EXPECT_EQ(Device().ReadDriveState(), 3);
  EXPECT_EQ(Device().QueryDA(), 0x1234);
  EXPECT_EQ(Device().QueryMF(), 1000);
  EXPECT_EQ(Device().QueryRA(), 100);
  EXPECT_EQ(Device().QueryUU(), 10);
  EXPECT_EQ(Received(),
            "<10>@EN@<0D><10>@CD@<0D><10>@CI@<0D><10>@CA@<0D><10>@CB@<0D><10>@VB@<0D><10>@DS@<0D>"
            "<10>@DA@<0D><10>@MF@<0D><10>@RA@<0D><10>@UU@<0D>");
}

TEST_P(Zd2Queries, AnswersOfTheWrongFormFail) {
  m_zd2.SetQueryAnswer("@CB@", "EFBEADD");
  m_zd2.SetQueryAnswer("@UU@", "G");
  m_zd2.SetQueryAnswer("@DA@", "12X4");
  m_zd2.SetQueryAnswer("@VB@", "12345");
  m_zd2.SetQueryAnswer("@EN@", "");
  Connect();
  DWORD word = 0;
  EXPECT_FALSE(Device().QueryCalibrationWord(false, word));
  EXPECT_EQ(Device().QueryUU(), -1);
  EXPECT_EQ(Device().QueryDA(), 0);
  EXPECT_EQ(Device().ReadBatteryVoltage(), 0.0);
  CString text;
  EXPECT_FALSE(Device().QueryEN(text));
  EXPECT_EQ(text, CString(u"UNDEF"));
}

class Zd2Calibration : public Zd2Test {};

TEST_P(Zd2Calibration, ValidityRestoreAndOverwrite) {
  Connect();
  EXPECT_TRUE(Device().IsCalibrationValid());
  EXPECT_TRUE(Device().IsFactoryCalibrationValid());
  EXPECT_TRUE(Device().IsLastUsedCalibrationValid());
  EXPECT_EQ(Received(), "<C4><C1><E3><C4><C1><E1><C4><C1><E2>");
  m_peer->ClearTranscript();

  m_zd2.SetFactoryCopy({});
  EXPECT_FALSE(Device().IsFactoryCalibrationValid());
  EXPECT_EQ(Device().RestoreFactoryCalibration(3), 2);
  EXPECT_EQ(Device().RestoreFactoryCalibration(0), 1);
  EXPECT_TRUE(Device().OverwriteFactoryCalibration(10));
  EXPECT_TRUE(Device().IsFactoryCalibrationValid());
  EXPECT_EQ(Device().RestoreFactoryCalibration(3), 0);
  EXPECT_EQ(Device().RestoreLastUsedCalibration(1), 0);
  EXPECT_TRUE(Device().OverwriteLastUsedCalibration(1));
  EXPECT_EQ(Received(),
            "<C4><C1><E1><C4><C1><C1><C4><C1><C1><C4><C1><C1><C4><C1><D1><C4><C1><E1>"
            "<C4><C1><C1><C4><C1><C2><C4><C1><D2>");
}

TEST_P(Zd2Calibration, ModeSix) {
  Connect();
  EXPECT_TRUE(Device().EnterMode6());
  EXPECT_EQ(Received(), "<C1><D2><06>");
}

ZD2_ON_BOTH_LINKS(Zd2Identity);
ZD2_ON_BOTH_LINKS(Zd2Queries);
ZD2_ON_BOTH_LINKS(Zd2Calibration);

}  // namespace
