#include <gtest/gtest.h>

#include "device/Contents.h"
#include "drivers/HallekDevice.h"
#include "drivers/OhmiraDevice.h"
#include "drivers/SondrelLabDevice.h"
#include "drivers/TestBoxDevice.h"
#include "drivers/TintaraDevice.h"
#include "tests/drivers/InstrumentFixture.h"

namespace {

using IdentifyByLayout = InstrumentOnPseudoTerminal;

struct SIdentityCase {
  int type;
  const char* identity;
  const char16_t* name;
  const char16_t* version;
  const char16_t* serial;
  // The first line after the name and serial in the information text.
  const char16_t* infoLine;
};

// Each class's reply layout as its instrument answers "@ID@".
const SIdentityCase kLayouts[] = {
    {1, "KORREST;A1;KR01-000-0001;04000102;1.2.3;0.9.1", u"Durimo Korrest 1", u"1.2.3", u"KR01-000-0001",
     u"Application Version:\t1.2.3\r\nHardware revision:\tA1\r\nBootloader "
     u"Version:\t0.9.1\r\nSignature:\t04000102"},
    {2, "SilverHallek;B2;SH02-000-0002;05000102;2.1.0;1.0.4", u"SilverHallek", u"2.1.0", u"SH02-000-0002",
     u"Application Version:\t2.1.0\r\nHardware revision:\tB2\r\nBootloader "
     u"Version:\t1.0.4\r\nSignature:\t05000102"},
    {4, "PaperHallek;B1;PH04-000-0004;07000102;2.0.5", u"PaperHallek", u"2.0.5", u"PH04-000-0004",
     u"Application Version:\t2.0.5\r\nHardware revision:\tB1\r\nBootloader "
     u"Version:\t\r\nSignature:\t07000102"},
    {14, "RockHallek;C3;RH14-000-0014;11000102;1.4.0;1.1.0", u"RockHallek", u"1.4.0", u"RH14-000-0014",
     u"Application Version:\t1.4.0\r\nHardware revision:\tC3\r\nBootloader "
     u"Version:\t1.1.0\r\nSignature:\t11000102"},
    {6, "Sondrel Lab;A2;SL06-000-0006;09000102;3.0.1;X1", u"Sondrel Lab", u"3.0.1", u"SL06-000-0006",
     u"Firmware Version:\t3.0.1\r\nHardware revision:\tA2\r\nSignature:\t09000102"},
    {13, "TestBox;A1;TB13-000-0013;10000102;1.0.7", u"TestBox", u"1.0.7", u"TB13-000-0013",
     u"Firmware Version:\t1.0.7\r\nHardware revision:\tA1\r\nSignature:\t10000102"},
    {7, "Ohmira;A1;-;0A000102;1.3.0", u"Ohmira", u"1.3.0", u"OM00-000-0000",
     u"Firmware Version:\t1.3.0\r\nHardware revision:\tA1\r\nSignature:\t0A000102"},
    {8, "Tintara;A1;;0B000102;1.1.2", u"Tintara", u"1.1.2", u"TN00-000-0000",
     u"Firmware Version:\t1.1.2\r\nHardware revision:\tA1\r\nSignature:\t0B000102"},
    {3, "Armivue;A1;AV03-000-0003;06000102;1.0.0", u"Armivue", u"1.0.0", u"AV03-000-0003",
     u"Firmware Version:\t1.0.0\r\nHardware revision:\tA1\r\nSignature:\t06000102"},
    {0, "Durimo 3;H1;D300-000-0000;03000102;1.0.0;2.0.1;de-DE;CET", u"Durimo 3", u"1.0.0", u"D300-000-0000",
     u"Application Version:\t1.0.0\r\nHardware revision:\tH1\r\nOS "
     u"Version:\t2.0.1\r\nLocalization:\tde-DE\r\n"
     u"Timezone ID:\tCET\r\nSignature:\t03000102"},
    {10, "Platform;P1;PL10-000-0010;0D000102;1.0.0;2.0.0;1.1.0;-;en-US", u"Platform", u"1.0.0",
     u"PL10-000-0010",
     u"Application Version:\t1.0.0\r\nHardware revision:\tP1\r\nOS Version:\t2.0.0\r\nBootloader "
     u"Version:\t1.1.0\r\n"
     u"Multimedia Version:\t-\r\nLocalization:\ten-US\r\nTimezone ID:\t\r\nSignature:\t0D000102"},
    {20, "Hallek Live;A1;HL20-000-0020;1A000102;1.0.0", u"Hallek Live", u"1.0.0", u"HL20-000-0020",
     u"Firmware Version:\t1.0.0\r\nHardware revision:\tA1\r\nSignature:\t1A000102\r\n\r\nBluetooth "
     u"Module:\t"},
};

TEST_F(IdentifyByLayout, EveryClassReadsItsFieldsAndFillsItsInformationText) {
  for (const SIdentityCase& layout : kLayouts) {
    SCOPED_TRACE(layout.type);
    Instrument(layout.type).SetIdentity(layout.identity);
    Connect();
    SDeviceIdent ident;
    EXPECT_TRUE(Device().Identify(ident));
    EXPECT_EQ(ident.deviceName, CString(layout.name));
    EXPECT_EQ(ident.appVersion, CString(layout.version));
    EXPECT_EQ(ident.serialNumber, CString(layout.serial));
    EXPECT_EQ(Device().GetSerialNumber(), CString(layout.serial));
    const CString expectedStart = CString(u"Device type:\t") + layout.name + u"\r\nSerial number:\t" +
                                  layout.serial + u"\r\n" + layout.infoLine;
    EXPECT_EQ(Device().GetInfoText().Left(expectedStart.GetLength()), expectedStart);
    TearDown();
    SetUp();
  }
}

TEST_F(IdentifyByLayout, LumovetModelWordsAreRenamedOnlyWhenTheyMatchExactly) {
  const std::pair<const char*, const char16_t*> kNames[] = {
      {"LUMOVET", u"Durimo Lumovet 1"}, {"KORREST", u"Durimo Korrest 1"}, {"Lumov2 ", u"Durimo Lumovet 2"},
      {"Korre2 ", u"Durimo Korrest 2"}, {"LUMOVET ", u"LUMOVET "},        {"Lumovet", u"Lumovet"},
  };
  for (const auto& [reported, stored] : kNames) {
    SCOPED_TRACE(reported);
    Instrument(1).SetIdentity(std::string(reported) + ";A1;LV01-000-0001;04000102;1.2.3;0.9.1");
    Connect();
    SDeviceIdent ident;
    EXPECT_TRUE(Device().Identify(ident));
    EXPECT_EQ(ident.deviceName, CString(stored));
    const CString firstLine = CString(u"Device type:\t") + stored + u"\r\n";
    EXPECT_EQ(Device().GetInfoText().Left(firstLine.GetLength()), firstLine);
    TearDown();
    SetUp();
  }
}

TEST_F(IdentifyByLayout, TwoEmptyFieldsInARowKeepTheFollowingFieldsInPlace) {
  // Hardware revision and serial number are empty: the signature is still the fourth field.
  Instrument(2).SetIdentity("SilverHallek;;;05000102;2.1.0;1.0.4");
  Connect();
  SDeviceIdent ident;
  EXPECT_TRUE(Device().Identify(ident));
  EXPECT_EQ(ident.serialNumber, CString(u"-"));
  EXPECT_EQ(ident.appVersion, CString(u"2.1.0"));
  EXPECT_EQ(Device().GetDeviceCode(), 0x05000102);
}

TEST_F(IdentifyByLayout, RefusesMissingFieldsForeignCodesAndUnreadableSignatures) {
  const std::pair<int, const char*> kRefused[] = {
      {7, "ZD-2;2;VN02-123-4567;0C000102;1.6.2"},          // a ZD-2 answering an Ohmira search
      {13, "TestBox;A1;TB13-000-0013;10000102"},           // no application version
      {2, "SilverHallek;B2;SH02-000-0002;XYZ;2.1.0"},      // signature not hexadecimal
      {14, "RockHallek;C3;RH14-000-0014;05000102;1.4.0"},  // a SilverHallek's code
  };
  for (const auto& [type, identity] : kRefused) {
    SCOPED_TRACE(identity);
    Instrument(type).SetIdentity(identity);
    Connect();
    SDeviceIdent ident;
    EXPECT_FALSE(Device().Identify(ident));
    TearDown();
    SetUp();
  }
}

TEST_F(IdentifyByLayout, FirmwareListsOfTheHammersAndTheBootLoaderInstruments) {
  Instrument(2);
  Connect();
  Device::CContents contents;
  ASSERT_TRUE(Device().FillFirmwareList(contents));
  ASSERT_EQ(contents.m_entries.size(), 2u);
  EXPECT_EQ(contents.m_entries[0].contentType, 1);
  EXPECT_EQ(contents.m_entries[0].kind, 1);
  EXPECT_EQ(contents.m_entries[0].flags, 1);
  EXPECT_EQ(contents.m_entries[0].version.Format(4), CString(u"2.1.0.0"));
  EXPECT_EQ(contents.m_entries[1].contentType, 3);
  EXPECT_EQ(contents.m_entries[1].kind, 0);
  EXPECT_EQ(contents.m_entries[1].flags, 0);
  EXPECT_EQ(contents.m_entries[1].version.Format(4), CString(u"1.0.4.0"));
  TearDown();
  SetUp();
  Instrument(8);
  Connect();
  ASSERT_TRUE(Device().FillFirmwareList(contents));
  ASSERT_EQ(contents.m_entries.size(), 1u);
  EXPECT_EQ(contents.m_entries[0].version.Format(4), CString(u"1.1.2.0"));
  // The whole signature is the device code of the boot-loader instruments.
  EXPECT_EQ(Device().GetDeviceCode(), 0x0B000102);
}

TEST_F(IdentifyByLayout, LiveProbeListsItsModuleUnlessItHasNone) {
  Instrument(21);
  Connect();
  Device::CContents contents;
  ASSERT_TRUE(Device().FillFirmwareList(contents));
  ASSERT_EQ(contents.m_entries.size(), 2u);
  EXPECT_EQ(contents.m_entries[1].contentType, 12);
  EXPECT_EQ(contents.m_entries[1].kind, 2);
  // The whole signature; only the first Identify asked the instrument and its module.
  EXPECT_EQ(Device().GetDeviceCode(), 0x1B000102);
  EXPECT_EQ(Lines(LogOf(5)), "text @ID@\ntext RMInNa\ntext RMSeNu\ntext RMFWVe\ntext RMHWVe\n");
}

TEST_F(IdentifyByLayout, SilentTestBoxAndSondrelLabIdentifyFromTheBootLoaderInStateTwo) {
  for (int type : {13, 6}) {
    SCOPED_TRACE(type);
    Instrument(type).SetApplicationSilent(true);
    Connect();
    SDeviceIdent ident;
    EXPECT_TRUE(Device().Identify(ident));
    // The silent application's DLE stays unanswered.
    EXPECT_EQ(Lines(LogOf(4)), "raw 10\nservice SC030202F8\nservice SI030000FC\nservice SC030200FA\n");
    if (type == 13) {
      EXPECT_EQ(DeviceAs<Device::CTestBoxDevice>().GetMode(), 3);
      EXPECT_EQ(DeviceAs<Device::CTestBoxDevice>().GetBootloaderState(), 0);
    } else {
      EXPECT_EQ(DeviceAs<Device::CSondrelLabDevice>().GetMode(), 3);
    }
    TearDown();
    SetUp();
  }
}

TEST_F(IdentifyByLayout, TestBoxInStateTwoAsksTheBootLoaderWithoutStateStrings) {
  Instrument(13).SetApplicationSilent(true);
  Connect();
  auto& testBox = DeviceAs<Device::CTestBoxDevice>();
  SDeviceIdent ident;
  ASSERT_TRUE(testBox.Identify(ident));
  ASSERT_TRUE(testBox.EnterBootloaderState());
  m_instrument->ClearLog();
  CString text;
  EXPECT_TRUE(testBox.QueryBootloaderIdentity(text));
  EXPECT_EQ(text, CString(u"TestBox;A1;TB13-000-0013;10000102;1.0.7"));
  EXPECT_EQ(Lines(LogOf(1)), "service SI030000FC\n");
  EXPECT_EQ(testBox.GetBootloaderState(), 2);
}

TEST_F(IdentifyByLayout, AnsweringApplicationMovesTheStateToTwoWithoutServiceStrings) {
  Instrument(6);
  Connect();
  auto& lab = DeviceAs<Device::CSondrelLabDevice>();
  SDeviceIdent ident;
  ASSERT_TRUE(lab.Identify(ident));
  EXPECT_EQ(lab.GetBootloaderState(), 2);
  EXPECT_EQ(lab.GetMode(), 8);
  // Only in the boot loader's mode is the state switch sent.
  EXPECT_FALSE(lab.EnterBootloaderState());
  EXPECT_EQ(Lines(LogOf(1)), "text @ID@\n");
}

TEST_F(IdentifyByLayout, SilentOhmiraAndTintaraAskTheBootLoaderAfterItsCommand) {
  for (int type : {7, 8}) {
    SCOPED_TRACE(type);
    Instrument(type).SetApplicationSilent(true);
    Connect();
    SDeviceIdent ident;
    EXPECT_TRUE(Device().Identify(ident));
    EXPECT_EQ(Lines(LogOf(3)), "raw 10\nservice SC030102F9\nservice SI030000FC\n");
    const BYTE mode = type == 7 ? DeviceAs<Device::COhmiraDevice>().GetMode()
                                : DeviceAs<Device::CTintaraDevice>().GetMode();
    EXPECT_EQ(mode, 3);
    TearDown();
    SetUp();
  }
}

TEST_F(IdentifyByLayout, BootLoaderIdentityOfSixtySixBytesIsTakenWhole) {
  const std::string identity = "Ohmira;A1;OM07-000-0007;0A000102;1.3.0;" + std::string(66 - 39, 'x');
  ASSERT_EQ(identity.size(), 66u);
  Instrument(7).SetApplicationSilent(true);
  m_instrument->SetBootIdentity(identity);
  Connect();
  CString text;
  EXPECT_TRUE(DeviceAs<Device::COhmiraDevice>().QueryBootloaderIdentity(text));
  EXPECT_EQ(text.ToUtf8(), identity);
}

TEST_F(IdentifyByLayout, TintaraSaysGoodbyeWhenDeletedAndOhmiraDoesNot) {
  Instrument(8);
  Connect();
  DropDevice();
  EXPECT_TRUE(WaitForItem("raw 43 30 43 30 69"));
  TearDown();
  SetUp();
  Instrument(7);
  Connect();
  DropDevice();
  m_peer->Stop();
  EXPECT_TRUE(m_instrument->Log().empty()) << Lines(m_instrument->Log());
}

}  // namespace
