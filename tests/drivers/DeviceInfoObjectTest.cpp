#include <gtest/gtest.h>

#include "drivers/DeviceInfoObject.h"

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

}  // namespace
}  // namespace Device
