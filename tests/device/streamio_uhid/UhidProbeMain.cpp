// The HID probe streams on the system's own HID service (hidraw), against a real HID device
// that this program makes through /dev/uhid and plays as a probe: a mailbox message the PC
// writes arrives, one the probe puts in is read, and an input report comes through the data
// channel. Where /dev/uhid does not open (no module, no rights) it exits 77: skipped.

#include <fcntl.h>
#include <linux/uhid.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "device/streamio/StreamIO.h"
#include "device/streamio/UsbDevices.h"
#include "device/streamio/UsbHostProbeControl.h"
#include "device/streamio/UsbHostProbeData.h"
#include "platform/io/HidBackend.h"
#include "platform/io/PortSettings.h"
#include "tests/sim/HidProbeInstrument.h"

namespace {

constexpr int kSkipped = 77;
constexpr WORD kVendorId = 0x4A56;
constexpr int kFeatureReportLength = 64;  // with the report id 0
constexpr int kInputPayload = 16;
// Vendor page; one collection with a 63-byte feature report and a 16-byte input report.
constexpr BYTE kDescriptor[] = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00,
                                0x75, 0x08, 0x95, 0x3F, 0x09, 0x02, 0xB1, 0x02, 0x95, 0x10, 0x09, 0x03,
                                0x81, 0x02, 0xC0};

int Fail(const char* what) {
  std::fprintf(stderr, "FAILED: %s\n", what);
  return 1;
}

bool Send(int uhid, const uhid_event& event) {
  return write(uhid, &event, sizeof event) == ssize_t(sizeof event);
}

// Answers the kernel's feature-report requests from the probe's mailbox until `stop`.
void ServeReports(int uhid, Sim::CHidProbeInstrument& probe, int handle, const std::atomic<bool>& stop) {
  while (!stop) {
    pollfd fd{uhid, POLLIN, 0};
    if (poll(&fd, 1, 10) <= 0) continue;
    uhid_event event{};
    if (read(uhid, &event, sizeof event) <= 0) continue;
    uhid_event answer{};
    if (event.type == UHID_GET_REPORT) {
      answer.type = UHID_GET_REPORT_REPLY;
      answer.u.get_report_reply.id = event.u.get_report.id;
      BYTE report[kFeatureReportLength] = {};
      answer.u.get_report_reply.err = probe.GetFeature(handle, report, kFeatureReportLength) ? 5 : 0;
      answer.u.get_report_reply.size = kFeatureReportLength;
      std::memcpy(answer.u.get_report_reply.data, report, kFeatureReportLength);
      Send(uhid, answer);
    } else if (event.type == UHID_SET_REPORT) {
      answer.type = UHID_SET_REPORT_REPLY;
      answer.u.set_report_reply.id = event.u.set_report.id;
      const bool whole = event.u.set_report.size == kFeatureReportLength;
      answer.u.set_report_reply.err =
          whole && probe.SetFeature(handle, event.u.set_report.data, kFeatureReportLength) == 0 ? 0 : 5;
      Send(uhid, answer);
    }
  }
}

// The hidraw node of our device, once the kernel has made it.
bool FindNode(CString& path) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (std::chrono::steady_clock::now() < end) {
    std::vector<CString> paths;
    if (StreamIO::ListHidProbes(paths) && !paths.empty()) {
      path = paths.front();
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

int Exercise(int uhid, Sim::CHidProbeInstrument& probe) {
  CString path;
  if (!FindNode(path)) return Fail("no hidraw node for the device");
  StreamIO::CUsbHostProbeControl control;
  if (!control.Open(path, StreamIO::OPEN_READ | StreamIO::OPEN_WRITE)) return Fail("control channel not opened");
  control.SetTimeouts(2000, 2000);
  const std::string hello = "hello probe";
  if (control.Write(hello.data(), int(hello.size())) != int(hello.size())) return Fail("message not taken");
  const std::vector<BYTE> received = probe.Received();
  if (std::string(received.begin(), received.end()) != hello) return Fail("message arrived otherwise");
  probe.QueueForHost({'o', 'k', '\r'}, probe.MessageCapacity());
  char answer[3] = {};
  if (control.Read(answer, 3) != 3 || std::string(answer, 3) != "ok\r") return Fail("answer not read");

  StreamIO::CUsbHostProbeData data;
  if (!data.Open(path, StreamIO::OPEN_READ)) return Fail("data channel not opened");
  data.SetTimeouts(2000, 2000);
  uhid_event input{};
  input.type = UHID_INPUT2;
  input.u.input2.size = kInputPayload;
  input.u.input2.data[0] = BYTE((1 << 5) | 4);  // sequence 1, four bytes
  std::memcpy(input.u.input2.data + 1, "DATA", 4);
  if (!Send(uhid, input)) return Fail("input report not sent");
  char report[4] = {};
  if (data.Read(report, 4) != 4 || std::string(report, 4) != "DATA") return Fail("input report not read");
  if (data.GetSequenceNumber() != 1) return Fail("sequence number");
  return 0;
}

}  // namespace

int main() {
  const int uhid = open("/dev/uhid", O_RDWR | O_CLOEXEC);
  if (uhid < 0) {
    std::printf("skipped: /dev/uhid does not open\n");
    return kSkipped;
  }
  const std::filesystem::path settings =
      std::filesystem::temp_directory_path() / ("uhid-probe-" + std::to_string(getpid()));
  std::filesystem::create_directories(settings);
  setenv("XDG_CONFIG_HOME", settings.c_str(), 1);
  StreamIO::InitStreamIO();

  // The probe's mailbox logic, reached through its own handle; the streams use the system's
  // HID service, so the simulated one steps aside.
  Sim::CHidProbeInstrument probe(kFeatureReportLength, kInputPayload + 1);
  SetHidBackend(nullptr);
  int handle = -1;
  probe.Open(probe.Path(), false, handle);

  uhid_event create{};
  create.type = UHID_CREATE2;
  std::snprintf(reinterpret_cast<char*>(create.u.create2.name), sizeof create.u.create2.name, "ZD probe");
  create.u.create2.rd_size = sizeof kDescriptor;
  std::memcpy(create.u.create2.rd_data, kDescriptor, sizeof kDescriptor);
  create.u.create2.bus = 0x03;  // USB
  create.u.create2.vendor = kVendorId;
  create.u.create2.product = 0x0001;
  int result = 1;
  if (SetUsbIds(kVendorId, 0x0001, kVendorId) && Send(uhid, create)) {
    std::atomic<bool> stop{false};
    std::thread server([&] { ServeReports(uhid, probe, handle, stop); });
    result = Exercise(uhid, probe);
    stop = true;
    server.join();
    uhid_event destroy{};
    destroy.type = UHID_DESTROY;
    Send(uhid, destroy);
  } else {
    result = Fail("the device was not made");
  }
  close(uhid);
  StreamIO::ExitStreamIO();
  std::filesystem::remove_all(settings);
  if (result == 0) std::printf("1 passed, 0 failed\n");
  return result;
}
