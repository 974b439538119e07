#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "drivers/DeviceInfoObject.h"
#include "drivers/LiveDevice.h"

namespace Device {
namespace {

TEST(DeviceInfoObjectTest, StringMembersFillTheRecordAndTheSignatureIsReadAsHexadecimal) {
  SDeviceInfo info;
  DWORD signature = 0;
  ASSERT_TRUE(CDeviceInfoObject::Read(
      R"({"device_name":"Sondrel Array","hw_revision":"B2","device_serial":"SA-0042",)"
      R"("device_signature":"17000A03","sw_version":"1.4.2","battery":"full"})",
      info, signature));
  EXPECT_EQ(info.deviceName, CString(u"Sondrel Array"));
  EXPECT_EQ(info.hardwareRevision, CString(u"B2"));
  EXPECT_EQ(info.serialNumber, CString(u"SA-0042"));
  EXPECT_EQ(info.signature, CString(u"17000A03"));
  EXPECT_EQ(info.appVersion, CString(u"1.4.2"));
  EXPECT_EQ(signature, 0x17000A03u);
}

TEST(DeviceInfoObjectTest, MembersThatAreNoStringsLeaveTheRecordAsItWas) {
  SDeviceInfo info;
  info.deviceName = u"kept";
  info.serialNumber = u"kept serial";
  DWORD signature = 5;
  ASSERT_TRUE(CDeviceInfoObject::Read(
      R"({"device_name":17,"device_serial":null,"device_signature":"zz","sw_version":"2.0"})", info,
      signature));
  EXPECT_EQ(info.deviceName, CString(u"kept"));
  EXPECT_EQ(info.serialNumber, CString(u"kept serial"));
  EXPECT_EQ(info.appVersion, CString(u"2.0"));
  EXPECT_EQ(signature, 0u);
}

TEST(DeviceInfoObjectTest, TextThatIsNoObjectIsRefused) {
  for (const char* text : {"", "{\"device_name\":", "[\"device_name\"]", "\"device_name\""}) {
    SDeviceInfo info;
    DWORD signature = 7;
    EXPECT_FALSE(CDeviceInfoObject::Read(text, info, signature)) << text;
    EXPECT_TRUE(info.deviceName.IsEmpty());
    EXPECT_EQ(signature, 7u);
  }
}

// A newer instrument without an open stream, whose other link hands over a fixed object.
class CObjectLinkDevice : public CLiveDevice {
 public:
  explicit CObjectLinkDevice(std::string object)
      : CLiveDevice(18, u"Object link", 0, 0x17), m_object(std::move(object)) {}
  std::unique_ptr<CJvDevice> Create() const override { return nullptr; }

 protected:
  bool ReadDeviceInfoObject(std::string& json) override {
    json = m_object;
    return !m_object.empty();
  }

 private:
  std::string m_object;
};

constexpr const char* kCompleteObject =
    R"({"device_name":"Sondrel Array","hw_revision":"B2","device_serial":"SA-0042",)"
    R"("device_signature":"17000A03","sw_version":"1.4.2"})";

TEST(DeviceInfoObjectTest, WithoutAnOpenStreamTheLiveDeviceIdentifiesFromTheObject) {
  CObjectLinkDevice device(kCompleteObject);
  SDeviceIdent ident;
  ASSERT_TRUE(device.Identify(ident));
  EXPECT_EQ(ident.deviceName, CString(u"Sondrel Array"));
  EXPECT_EQ(ident.serialNumber, CString(u"SA-0042"));
  EXPECT_EQ(ident.appVersion, CString(u"1.4.2"));
  EXPECT_EQ(device.GetDeviceCode(), 0x17000A03);
  SDeviceInfo info;
  EXPECT_EQ(device.GetDeviceInfo(info), 0x17000A03u);
  EXPECT_EQ(info.hardwareRevision, CString(u"B2"));
}

TEST(DeviceInfoObjectTest, TheLiveDeviceRefusesAnIncompleteForeignOrMissingObject) {
  const char* objects[] = {
      "",
      "not json",
      R"({"device_name":"Sondrel Array","device_serial":"SA-0042","device_signature":"17000A03","sw_version":"1.4.2"})",
      R"({"device_name":"Sondrel Array","hw_revision":"B2","device_serial":"SA-0042","device_signature":"18000A03","sw_version":"1.4.2"})",
  };
  for (const char* object : objects) {
    CObjectLinkDevice device(object);
    SDeviceIdent ident;
    EXPECT_FALSE(device.Identify(ident)) << object;
  }
}

}  // namespace
}  // namespace Device
