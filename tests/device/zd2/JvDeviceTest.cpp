#include <gtest/gtest.h>

#include "device/Callback.h"
#include "device/DeviceFactory.h"
#include "device/JvCommands.h"
#include "device/VexalonDevice.h"
#include "device/streamio/IpStream.h"
#include "tests/device/zd2/Zd2Fixture.h"

namespace {

TEST(DeviceFactory, TypeNamesAndNumbersWithoutAClass) {
  EXPECT_EQ(CString(Device::GetDeviceTypeName(9)), CString(u"ZD-2"));
  EXPECT_EQ(CString(Device::GetDeviceTypeName(13)), CString(u"Testbox"));
  EXPECT_EQ(CString(Device::GetDeviceTypeName(1)), CString(u"Durimo Lumovet / Durimo Korrest"));
  for (int type : {-1, 11, 12, 15, 16, 19, 23, 99}) {
    EXPECT_EQ(Device::GetDeviceTypeName(type), nullptr) << type;
    EXPECT_EQ(Device::CreateDevice(type), nullptr) << type;
    EXPECT_FALSE(Device::RegisterDeviceClass(type, [] { return std::unique_ptr<Device::CJvDevice>(); }))
        << type;
  }
}

TEST(DeviceFactory, MakesTheZd2WithItsLinkSettings) {
  auto device = Device::CreateDevice(9);
  ASSERT_NE(device, nullptr);
  EXPECT_NE(dynamic_cast<Device::CVexalonDevice*>(device.get()), nullptr);
  EXPECT_EQ(device->GetType(), 9);
  EXPECT_EQ(device->GetDisplayName(), CString(u"ZD-2"));
  EXPECT_EQ(device->GetPortMask(), 1);
  EXPECT_EQ(device->GetExpectedDeviceCode(), 12);
  const StreamIO::SRs232Settings& settings = *device->GetSerialSettings();
  EXPECT_EQ(settings.tag, 0xA500u);
  EXPECT_EQ(settings.baud, 19200u);
  EXPECT_EQ(settings.dataBits, 8);
  EXPECT_EQ(settings.parity, 0);
  EXPECT_EQ(settings.stopBits, 0);
  EXPECT_EQ(settings.flags, 0);
  EXPECT_EQ(settings.inQueue, 1024);
  EXPECT_EQ(settings.outQueue, 256);
  EXPECT_EQ(settings.readTimeout, 1500);
  EXPECT_EQ(settings.writeTimeout, 50);
  auto copy = device->Create();
  EXPECT_NE(dynamic_cast<Device::CVexalonDevice*>(copy.get()), nullptr);
  EXPECT_EQ(copy->GetStream(), nullptr);
}

TEST(DeviceInfoKeys, NamesByNumber) {
  const char16_t* keys[] = {
      u"device_name",        u"app_version",   u"serial_number", u"signature", u"hw_rev", u"module_name",
      u"module_app_version", u"module_serial", u"module_hw_rev", u"=",         u"&"};
  for (int key = 0; key < 11; ++key)
    EXPECT_EQ(CString(Device::GetDeviceInfoKeyName(key)), CString(keys[key]));
  EXPECT_EQ(CString(Device::GetDeviceInfoKeyName(11)), CString(u"unknown_key"));
  EXPECT_EQ(CString(Device::GetDeviceInfoKeyName(-1)), CString(u"unknown_key"));
}

// The base operations of a device with nothing attached answer without touching a link.
TEST(UnattachedDevice, AnswersWithoutALink) {
  Device::CVexalonDevice device;
  EXPECT_EQ(device.Detach(), nullptr);
  EXPECT_EQ(device.GetPortKind(), 0);
  BYTE buffer[4] = {};
  EXPECT_EQ(device.BinaryRequest(0xD2, 1, buffer, sizeof buffer, 100), Device::JV_IO_FAILURE);
  EXPECT_EQ(device.BinaryRequest(0xD2, 1, nullptr, 4, 100), Device::JV_IO_FAILURE);
  char reply[16];
  EXPECT_EQ(device.TextQuery(u"@EN@", reply, sizeof reply, -1), 0);
  SDeviceIdent ident;
  EXPECT_FALSE(device.Identify(ident));
  EXPECT_FALSE(device.QueryId(ident));
  EXPECT_EQ(device.GetDeviceCode(), 0);
  EXPECT_FALSE(device.EnterMode12());
  EXPECT_FALSE(device.SetModeTimeout(true, 1000));
  int value = -1;
  EXPECT_FALSE(device.CheckConnection(ident, 1, value));
  EXPECT_FALSE(device.CheckConnection(ident, 2, value));
  EXPECT_EQ(value, 70000);
  EXPECT_TRUE(device.CheckConnection(ident, 5, value));
  EXPECT_EQ(value, 0);
  EXPECT_EQ(device.DownloadMeasurements(buffer, value, value), 11);
}

TEST(UnattachedDevice, LoginWithoutRemoteLogin) {
  Device::CVexalonDevice device;
  SDeviceLogin login;
  login.flags = 0xFF;
  EXPECT_TRUE(device.RemoteLogin(login));
  EXPECT_EQ(login.userName, CString(u"No remote login implemented."));
  EXPECT_EQ(login.password, CString());
  EXPECT_EQ(login.flags, 0x16);
  device.SetLoginCapabilityFlag(false);
  EXPECT_TRUE(device.RemoteLogin(login));
  EXPECT_EQ(login.flags, 0x16);
  EXPECT_TRUE(device.RemoteLogout());
}

TEST(UnattachedDevice, CallbackAndSecondStreamAreTakenOnce) {
  struct : Device::CCallback {
    void OnDeviceFound(Device::CJvDevice*) override {}
    void OnStatusText(const CString&) override {}
    void OnMessage(const CString&, int) override {}
    void OnProgress(int, int, int) override {}
  } callback, other;
  Device::CVexalonDevice device;
  EXPECT_FALSE(device.SetCallback(nullptr));
  EXPECT_TRUE(device.SetCallback(&callback));
  EXPECT_FALSE(device.SetCallback(&other));
  EXPECT_EQ(device.DetachCallback(), &callback);
  EXPECT_EQ(device.DetachCallback(), nullptr);
  StreamIO::CIpStream closed;
  EXPECT_FALSE(device.AttachSecondStream(&closed));
  EXPECT_EQ(device.DetachSecondStream(), nullptr);
}

class Zd2Attach : public Zd2Test {};

TEST_P(Zd2Attach, RefusesWrongKindsClosedStreamsAndASecondStream) {
  Connect();
  std::unique_ptr<StreamIO::CIoStream> closed = std::make_unique<StreamIO::CIpStream>();
  Device::CVexalonDevice fresh;
  EXPECT_FALSE(fresh.Attach(closed, Device::ePortIp));
  EXPECT_NE(closed, nullptr);
  std::unique_ptr<StreamIO::CIoStream> none;
  EXPECT_FALSE(fresh.Attach(none, Device::ePortIp));

  std::unique_ptr<StreamIO::CIoStream> taken = Device().Detach();
  ASSERT_NE(taken, nullptr);
  EXPECT_EQ(Device().GetPortKind(), 0);
  EXPECT_FALSE(Device().Attach(taken, 3));
  EXPECT_NE(taken, nullptr);
  const int kind = GetParam() == ELink::eSocket ? Device::ePortIp : Device::ePortSerial;
  ASSERT_TRUE(Device().Attach(taken, kind));
  EXPECT_EQ(taken, nullptr);
  EXPECT_EQ(Device().GetPortKind(), kind);
  std::unique_ptr<StreamIO::CIoStream> second = std::make_unique<StreamIO::CIpStream>();
  EXPECT_FALSE(Device().Attach(second, kind));
  EXPECT_EQ(Device().BinaryRequest(0xD2, 1, nullptr, 1, 100), Device::JV_IO_FAILURE);
  SDeviceIdent ident;
  int value = -1;
  EXPECT_TRUE(Device().CheckConnection(ident, 12, value));
}

// An instrument that answers neither "ID" nor its identity gives the one pair of the display
// name.
TEST_P(Zd2Attach, InformationPairsOfASilentInstrument) {
  ConnectScript(Sim::CScript());
  EXPECT_EQ(Device().GetDeviceInfoPairs(), CString(u"device_name=ZD-2"));
}

ZD2_ON_BOTH_LINKS(Zd2Attach);

}  // namespace
