#include "tests/tools/ZdTool.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

#include "drivers/DriverClasses.h"
#include "tests/sim/HidSocketClient.h"

namespace {

std::map<std::string, ZdCommand>& Commands() {
  static std::map<std::string, ZdCommand> commands;
  return commands;
}

int Usage() {
  std::fprintf(stderr, "usage: zdtool COMMAND [ARGS]\n");
  for (const auto& [name, command] : Commands())
    std::fprintf(stderr, "  %s %s\n", name.c_str(), command.usage);
  return 2;
}

}  // namespace

ZdCommandRegistrar::ZdCommandRegistrar(const ZdCommand& command) { Commands()[command.name] = command; }

int main(int argc, char** argv) {
  std::setlocale(LC_NUMERIC, "C");
  Device::RegisterDriverClasses();
  // A simulated HID probe served by instrument-sim --hid stands in for the system's HID devices.
  // It stays for the process's whole life, since streams closed at exit still reach it.
  if (const char* socket = std::getenv("ZD_HID_SOCKET")) {
    static auto* hidProbe = new Sim::CHidSocketClient;
    if (!hidProbe->Connect(socket)) {
      std::fprintf(stderr, "%s: no simulated HID probe there.\n", socket);
      return 1;
    }
    SetHidBackend(hidProbe);
  }
  if (argc < 2) return Usage();
  auto it = Commands().find(argv[1]);
  if (it == Commands().end()) return Usage();
  return it->second.run(std::vector<std::string>(argv + 2, argv + argc));
}
