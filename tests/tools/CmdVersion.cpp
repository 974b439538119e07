// zdtool version: the program's product version a.b.c.d.

#include <cstdio>

#include "device/FileVersionInfo.h"
#include "tests/tools/ZdTool.h"

namespace {

int RunVersion(const std::vector<std::string>&) {
  CFileVersionInfo info;
  if (!info.CreateFromModule(nullptr)) {
    std::fprintf(stderr, "The program's version record could not be read.\n");
    return 1;
  }
  std::printf("%u.%u.%u.%u\n", info.GetProductVersionPart(3), info.GetProductVersionPart(2),
              info.GetProductVersionPart(1), info.GetProductVersionPart(0));
  return 0;
}

const ZdCommandRegistrar kVersionRegistrar({"version", "", &RunVersion});

}  // namespace
