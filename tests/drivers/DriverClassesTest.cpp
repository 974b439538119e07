#include <gtest/gtest.h>

#include "device/DeviceFactory.h"
#include "drivers/DriverClasses.h"
#include "drivers/LiveDevice.h"

namespace {

struct SExpectedClass {
  int type;
  const char16_t* typeName;
  const char16_t* displayName;
  int portMask;
  int deviceCode;
  DWORD baud;
  BYTE flags;
  int readTimeout;
  int writeTimeout;
};

// The type table with each class's link settings; classes that keep the base settings show
// 9600 baud and 500/10 ms.
const SExpectedClass kClasses[] = {
    {0, u"Durimo 3", u"Durimo 3", 7, 3, 9600, 0, 500, 10},
    {1, u"Durimo Lumovet / Durimo Korrest", u"Durimo Lumovet / Durimo Korrest", 1, 4, 38400, 4, 1000, 50},
    {2, u"SilverHallek", u"SilverHallek", 1, 5, 38400, 4, 1000, 50},
    {3, u"Armivue", u"Armivue", 1, 6, 19200, 0, 1500, 50},
    {4, u"PaperHallek", u"PaperHallek", 1, 7, 38400, 4, 1000, 50},
    {5, u"Calvera 3", u"Calvera 3", 2, 8, 9600, 0, 500, 10},
    {6, u"Sondrel Lab", u"Sondrel Lab", 1, 9, 115200, 0, 1500, 50},
    {7, u"Ohmira", u"Ohmira", 1, 10, 19200, 0, 1500, 50},
    {8, u"Tintara", u"Tintara", 1, 11, 19200, 0, 1500, 1000},
    {9, u"ZD-2", u"ZD-2", 1, 12, 19200, 0, 1500, 50},
    {10, u"Platform", u"Platform", 6, 13, 19200, 0, 500, 10},
    {13, u"Testbox", u"TestBox", 1, 16, 115200, 0, 1500, 50},
    {14, u"RockHallek", u"RockHallek", 1, 17, 38400, 4, 1000, 50},
    {17, u"Durimo Live Leeb Probe", u"Durimo Live Leeb Probe", 1, 22, 19200, 0, 1500, 1000},
    {18, u"Sondrel Array", u"Sondrel Array", 1, 23, 115200, 0, 500, 50},
    {20, u"Hallek Live", u"Hallek Live", 1, 26, 115200, 0, 1500, 1000},
    {21, u"Durimo Live UCI Probe", u"Durimo Live UCI Probe", 1, 27, 115200, 0, 1500, 1000},
    {22, u"Humilo", u"Humilo", 1, 0, 9600, 0, 1500, 50},
};

TEST(DriverClasses, EveryTypeOfTheTableMakesItsClassWithItsSettings) {
  ASSERT_TRUE(Device::RegisterDriverClasses());
  for (const SExpectedClass& expected : kClasses) {
    SCOPED_TRACE(expected.type);
    EXPECT_EQ(CString(Device::GetDeviceTypeName(expected.type)), CString(expected.typeName));
    auto device = Device::CreateDevice(expected.type);
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->GetType(), expected.type);
    EXPECT_EQ(device->GetDisplayName(), CString(expected.displayName));
    EXPECT_EQ(device->GetPortMask(), expected.portMask);
    EXPECT_EQ(device->GetExpectedDeviceCode(), expected.deviceCode);
    const StreamIO::SRs232Settings& settings = *device->GetSerialSettings();
    EXPECT_EQ(settings.tag, 0xA500u);
    EXPECT_EQ(settings.baud, expected.baud);
    EXPECT_EQ(settings.dataBits, 8);
    EXPECT_EQ(settings.parity, 0);
    EXPECT_EQ(settings.stopBits, 0);
    EXPECT_EQ(settings.flags, expected.flags);
    EXPECT_EQ(settings.inQueue, 1024);
    EXPECT_EQ(settings.outQueue, 256);
    EXPECT_EQ(settings.readTimeout, expected.readTimeout);
    EXPECT_EQ(settings.writeTimeout, expected.writeTimeout);
    // Create makes a fresh object of the same class.
    auto fresh = device->Create();
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(typeid(*fresh), typeid(*device));
    EXPECT_EQ(fresh->GetStream(), nullptr);
  }
}

TEST(DriverClasses, NumbersWithoutAClassStillMakeNothing) {
  ASSERT_TRUE(Device::RegisterDriverClasses());
  for (int type : {11, 12, 15, 16, 19, 23}) EXPECT_EQ(Device::CreateDevice(type), nullptr) << type;
}

TEST(DriverClasses, LoginCapabilityOfTheLeebProbe) {
  ASSERT_TRUE(Device::RegisterDriverClasses());
  auto probe = Device::CreateDevice(17);
  EXPECT_TRUE(probe->QueryLoginCapability());
  EXPECT_TRUE(probe->QueryCapability());
  SDeviceLogin login;
  probe->RemoteLogin(login);
  EXPECT_EQ(login.flags, 0x06);
  auto other = Device::CreateDevice(0);
  EXPECT_FALSE(other->QueryLoginCapability());
}

// Unattached, the probe gives the pair of its display name, whose blanks a web form cannot
// carry as they are.
TEST(DriverClasses, InformationPairsEncodeTheDisplayName) {
  ASSERT_TRUE(Device::RegisterDriverClasses());
  auto probe = Device::CreateDevice(17);
  EXPECT_EQ(probe->GetDeviceInfoPairs(), CString(u"device_name=Durimo%20Live%20Leeb%20Probe"));
}

TEST(DriverClasses, LiveDeviceAttachAnswersWhatTheBaseAnswered) {
  ASSERT_TRUE(Device::RegisterDriverClasses());
  auto array = Device::CreateDevice(18);
  ASSERT_NE(dynamic_cast<Device::CLiveDevice*>(array.get()), nullptr);
  std::unique_ptr<StreamIO::CIoStream> none;
  EXPECT_FALSE(array->Attach(none, Device::ePortSerial));
  EXPECT_EQ(array->GetStream(), nullptr);
  array->CancelTransfer();
}

}  // namespace
