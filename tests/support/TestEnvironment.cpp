#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <ctime>
#include <filesystem>

namespace {

std::string MakeTempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zdtest.XXXXXX").string();
  if (!mkdtemp(pattern.data())) std::abort();
  return pattern;
}

class PerProcessEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    const std::string& dir = TestTempDir();
    std::filesystem::create_directories(dir + "/config");
    setenv("XDG_CONFIG_HOME", (dir + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (dir + "/data").c_str(), 1);
    setenv("LC_NUMERIC", "C", 1);
    std::setlocale(LC_NUMERIC, "C");
  }
  void TearDown() override {
    std::error_code ignored;  // a leftover temporary folder is harmless
    std::filesystem::remove_all(TestTempDir(), ignored);
  }
};

}  // namespace

const std::string& TestTempDir() {
  static const std::string dir = MakeTempDir();
  return dir;
}

std::string TestPath(const std::string& name) { return TestTempDir() + "/" + name; }

void PinTimeZone(const char* zone) {
  setenv("TZ", zone, 1);
  tzset();
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new PerProcessEnvironment);
  return RUN_ALL_TESTS();
}
