#include "tests/tools/ZdTool.h"

#include <clocale>
#include <cstdio>
#include <cstring>
#include <map>

#include "drivers/DriverClasses.h"

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
  if (argc < 2) return Usage();
  auto it = Commands().find(argv[1]);
  if (it == Commands().end()) return Usage();
  return it->second.run(std::vector<std::string>(argv + 2, argv + argc));
}
