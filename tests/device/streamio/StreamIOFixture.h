#pragma once
// Tests of the stream library run between its start-up and shut-down, as the program does.

#include <gtest/gtest.h>

#include <functional>

#include "device/streamio/StreamIO.h"
#include "platform/base/FileException.h"

class StreamIOTest : public ::testing::Test {
 protected:
  void SetUp() override { StreamIO::InitStreamIO(); }
  void TearDown() override { StreamIO::ExitStreamIO(); }
};

// The error code of the file exception that `operation` raises, or 0 when it raises none.
inline int RaisedCode(const std::function<void()>& operation) {
  try {
    operation();
  } catch (const CFileException& e) {
    return e.m_lOsError;
  }
  return 0;
}
