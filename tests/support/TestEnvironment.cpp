#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>

#include "platform/base/Clock.h"

extern char** environ;

namespace {

std::string MakeTempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zdtest.XXXXXX").string();
  if (!mkdtemp(pattern.data())) std::abort();
  return pattern;
}

std::string g_runningTestDir;  // empty outside a test

const std::string& ProcessTempDir() {
  static const std::string dir = MakeTempDir();
  return dir;
}

using EnvironmentMap = std::map<std::string, std::string>;

EnvironmentMap ReadEnvironment() {
  EnvironmentMap variables;
  for (char** entry = environ; *entry; ++entry) {
    const std::string text = *entry;
    const auto equals = text.find('=');
    if (equals != std::string::npos) variables[text.substr(0, equals)] = text.substr(equals + 1);
  }
  return variables;
}

// Touches only what differs: threads a test leaves behind may still read the environment.
void WriteEnvironment(const EnvironmentMap& wanted) {
  const EnvironmentMap now = ReadEnvironment();
  for (const auto& [name, value] : now) {
    if (!wanted.count(name)) unsetenv(name.c_str());
  }
  for (const auto& [name, value] : wanted) {
    const auto it = now.find(name);
    if (it == now.end() || it->second != value) setenv(name.c_str(), value.c_str(), 1);
  }
  tzset();
}

class PerProcessEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    // Work outside a test (a suite's set-up) also stays away from the user's own folders.
    const std::string& dir = ProcessTempDir();
    std::filesystem::create_directories(dir + "/config");
    setenv("XDG_CONFIG_HOME", (dir + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (dir + "/data").c_str(), 1);
    setenv("LC_NUMERIC", "C", 1);
    std::setlocale(LC_NUMERIC, "C");
  }
  void TearDown() override {
    std::error_code ignored;  // a leftover temporary folder is harmless
    std::filesystem::remove_all(ProcessTempDir(), ignored);
  }
};

// Gives each test a fresh temporary folder with its settings and data folders, and checks, when
// it ends, that it gave back the environment and the layer's time scale it found. The time zone
// a test pinned goes back without complaint.
class PerTestIsolation : public ::testing::EmptyTestEventListener {
 public:
  void OnTestStart(const ::testing::TestInfo&) override {
    m_before = ReadEnvironment();
    m_timeScale = GetTimeScale();
    const std::string dir = ProcessTempDir() + "/test" + std::to_string(++m_count);
    std::filesystem::create_directories(dir + "/config");
    g_runningTestDir = dir;
    setenv("XDG_CONFIG_HOME", (dir + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (dir + "/data").c_str(), 1);
    m_expected = ReadEnvironment();
  }
  void OnTestEnd(const ::testing::TestInfo&) override {
    EnvironmentMap now = ReadEnvironment();
    EnvironmentMap expected = m_expected;
    now.erase("TZ");
    expected.erase("TZ");
    for (const auto& [name, value] : expected) {
      auto it = now.find(name);
      if (it == now.end()) {
        ADD_FAILURE() << "the test removed the environment variable " << name << " and left it removed";
      } else if (it->second != value) {
        ADD_FAILURE() << "the test left the environment variable " << name << " at \"" << it->second
                      << "\" instead of \"" << value << "\"";
      }
    }
    for (const auto& [name, value] : now) {
      if (!expected.count(name)) {
        ADD_FAILURE() << "the test left the environment variable " << name << " set to \"" << value << "\"";
      }
    }
    WriteEnvironment(m_before);
    if (GetTimeScale() != m_timeScale) {
      ADD_FAILURE() << "the test left the time scale at " << GetTimeScale() << " instead of " << m_timeScale;
      SetTimeScale(m_timeScale);
    }
    g_runningTestDir.clear();
  }

 private:
  EnvironmentMap m_before;
  EnvironmentMap m_expected;
  double m_timeScale = 1;
  int m_count = 0;
};

}  // namespace

const std::string& TestTempDir() { return g_runningTestDir.empty() ? ProcessTempDir() : g_runningTestDir; }

std::string TestPath(const std::string& name) { return TestTempDir() + "/" + name; }

void PinTimeZone(const char* zone) {
  setenv("TZ", zone, 1);
  tzset();
}

int RunTestProgram(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new PerProcessEnvironment);
  ::testing::UnitTest::GetInstance()->listeners().Append(new PerTestIsolation);
  return RUN_ALL_TESTS();
}
