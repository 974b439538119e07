#include <gtest/gtest.h>

#include <optional>

#include "device/CancelableStream.h"
#include "device/streamio/IoStream.h"

namespace {

// A stream that only counts the cancels it receives.
class CCountingStream : public StreamIO::CIoStream {
 public:
  bool Cancel() override {
    ++cancels;
    return true;
  }
  void DoClose() override {}
  bool IsOpen() override { return true; }
  int Read(void*, int) override { return 0; }
  int Write(const void*, int count) override { return count; }
  bool Open(const CString&, DWORD) override { return true; }
  int cancels = 0;
};

// A worker that was given up still holds its registration when its successor registers.
TEST(CancelableStreamOfTwoWorkers, TheRetiredWorkerLeavingKeepsItsSuccessorCancelable) {
  CCountingStream retired;
  CCountingStream successor;
  std::optional<Device::CCancelableStream> retiredScope(std::in_place, &retired);
  Device::CCancelableStream successorScope(&successor);
  Device::CancelRegisteredStream();
  EXPECT_EQ(retired.cancels, 1);
  EXPECT_EQ(successor.cancels, 1);
  retiredScope.reset();
  Device::CancelRegisteredStream();
  EXPECT_EQ(retired.cancels, 1) << "a stream whose scope ended is never cancelled";
  EXPECT_EQ(successor.cancels, 2) << "the successor's blocked read must still be woken";
}

}  // namespace
