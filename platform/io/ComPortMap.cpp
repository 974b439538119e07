#include "platform/io/ComPortMap.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <tuple>

#include "platform/io/PortSettings.h"

namespace {

constexpr int kMaxComPort = 256;

struct SFound {
  int group;
  long index;
  std::string name;
};

// ttyS ports exist for every possible UART; one whose type the kernel reports as 0 has none.
bool HasUart(const std::string& name) {
  std::ifstream type("/sys/class/tty/" + name + "/type");
  int value = 0;
  return !(type >> value) || value != 0;
}

bool ParseName(const std::string& name, SFound& found) {
  static const char* const kGroups[] = {"ttyS", "ttyUSB", "ttyACM"};
  for (int group = 0; group < 3; ++group) {
    std::string prefix = kGroups[group];
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
    std::string digits = name.substr(prefix.size());
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) return false;
    found = SFound{group, std::atol(digits.c_str()), name};
    return true;
  }
  return false;
}

std::vector<std::string> SerialDevices() {
  std::vector<SFound> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/dev", error)) {
    SFound item;
    std::string name = entry.path().filename().string();
    if (!ParseName(name, item)) continue;
    if (item.group == 0 && !HasUart(name)) continue;
    found.push_back(item);
  }
  std::sort(found.begin(), found.end(), [](const SFound& a, const SFound& b) {
    return std::tie(a.group, a.index) < std::tie(b.group, b.index);
  });
  std::vector<std::string> devices;
  for (const auto& item : found) devices.push_back("/dev/" + item.name);
  return devices;
}

}  // namespace

std::vector<SComPort> ListComPorts() {
  auto mapped = GetComPortMappings();
  std::set<std::string> taken;
  for (const auto& [number, device] : mapped) taken.insert(device);
  int next = 1;
  for (const auto& device : SerialDevices()) {
    if (taken.count(device)) continue;
    while (next <= kMaxComPort && mapped.count(next)) ++next;
    if (next > kMaxComPort) break;
    mapped[next++] = device;
  }
  std::vector<SComPort> ports;
  for (const auto& [number, device] : mapped) ports.push_back(SComPort{number, device});
  return ports;
}

std::string ComPortDevice(int number) {
  for (const auto& port : ListComPorts())
    if (port.number == number) return port.device;
  return {};
}
