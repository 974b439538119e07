#include <gtest/gtest.h>

#include <set>

#include "platform/io/ComPortMap.h"
#include "platform/io/PortSettings.h"

TEST(ComPortMap, MappedNodesStandAtTheirNumbersAndOthersFillTheGaps) {
  ASSERT_TRUE(SetComPortMapping(5, "/dev/pts/77"));
  ASSERT_TRUE(SetComPortMapping(1, "/dev/ttyS0"));
  EXPECT_EQ(ComPortDevice(5), "/dev/pts/77");
  EXPECT_EQ(ComPortDevice(1), "/dev/ttyS0");

  std::set<int> numbers;
  std::set<std::string> devices;
  for (const auto& port : ListComPorts()) {
    EXPECT_TRUE(numbers.insert(port.number).second) << "COM" << port.number << " twice";
    EXPECT_TRUE(devices.insert(port.device).second) << port.device << " twice";
    EXPECT_GE(port.number, 1);
    EXPECT_LE(port.number, 256);
  }
  EXPECT_TRUE(numbers.count(5));

  ASSERT_TRUE(ClearComPortMappings());
  EXPECT_TRUE(GetComPortMappings().empty());
  EXPECT_NE(ComPortDevice(5), "/dev/pts/77");
}

TEST(ComPortMap, OnlyNumbersOneTo256CanBeMapped) {
  EXPECT_FALSE(SetComPortMapping(0, "/dev/pts/1"));
  EXPECT_FALSE(SetComPortMapping(257, "/dev/pts/1"));
  EXPECT_FALSE(SetComPortMapping(3, ""));
  EXPECT_TRUE(SetComPortMapping(256, "/dev/pts/1"));
  EXPECT_EQ(GetComPortMappings(), (std::map<int, std::string>{{256, "/dev/pts/1"}}));
}

TEST(PortSettings, UsbIdsHaveDefaultsAndCanBeSet) {
  EXPECT_EQ(GetUsbHostVendorId(), 0x4A56);
  EXPECT_EQ(GetUsbHostProductId(), 0);
  EXPECT_EQ(GetHidProbeVendorId(), 0x4A56);
  ASSERT_TRUE(SetUsbIds(0x1234, 0x0009, 0x5678));
  EXPECT_EQ(GetUsbHostVendorId(), 0x1234);
  EXPECT_EQ(GetUsbHostProductId(), 0x0009);
  EXPECT_EQ(GetHidProbeVendorId(), 0x5678);
}
