// zd2-sim: the simulated ZD-2 as a program, serving one client at a time on a loopback TCP
// port or on a pseudo-terminal, until it receives SIGINT or SIGTERM.
//
//   zd2-sim --tcp 127.0.0.1:3728 | --pty [--com N]
//           [--records FILE] [--identity TEXT] [--query @XX@=ANSWER]... [--service-mode]
//           [--byte-rate BYTES_PER_SECOND] [--transcript FILE]
//           [--frame-rate N] [--gain G] [--offset O] [--noise N] [--seed S]
//           [--live-test DELAY:PEAK[:RATE]]...
//           [--info-memory FILE] [--factory-copy FILE|none] [--last-used-copy FILE|none]
//           [--save-memory FILE]
//           [--fault bad-crc:K | header-cut | stall:MS | silence | disconnect
//                  | disconnect-after:N | bad-check-size
//                  | zero-size | count-mismatch | wrong-signature | refuse-srecord:K
//                  | live-cut:N | frame-noise:K | delete-all-double-answer
//                  | write-refused:ADDR | sticky:ADDR | erase-refused:SEG | overwrite-refused
//                  | raw-silence | lifetime-bump | drive-stall:LOAD
//                  | refuse-nominal:K | refuse-start:K | hangup-nominal:K]...  (ADDR hexadecimal)
//
// The information memory and its two stored copies are images of 192 bytes (0x1000 to
// 0x10BF); by default the memory holds a valid calibration of the serial's model and both
// copies equal it, and "none" leaves a copy erased. --save-memory writes the memory as it is
// when the simulator stops.
//
// Continuous mode streams N live frames per scaled second (0: as fast as the link takes them).
// The reported force is gain x load + offset plus uniform noise of +-N (generator seed S),
// calibrated by the information memory when it holds a valid calibration. A live test starts
// DELAY scaled ms after streaming began (or after the previous test), ramps to PEAK N at RATE
// N/s (default the "@RA@" rate), tears off and goes home. With drive-stall a commanded ramp to
// LOAD N or more stops just below LOAD and never reaches STOP. refuse-nominal and refuse-start
// answer the K-th (default first) nominal-load or START debug command received with 'f'
// and leave the nominal load or the drive as they were; hangup-nominal hangs up for good as the
// K-th nominal-load command arrives. disconnect-after answers the download command with its
// first N bytes only (0: none) and then hangs up.
//
// It prints "port=NAME" once it listens: "IP:host:port", or the pseudo-terminal's device (and
// "com=N" when it was mapped to COM N in the settings store).

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "tests/sim/Peer.h"
#include "tests/sim/ServedLink.h"
#include "tests/sim/zd2/Zd2Simulator.h"

namespace {

using Fault = Sim::CZd2Simulator::EDownloadFault;

struct SForceOptions {
  double gain = 1;
  double offset = 0;
  int noise = 0;
  unsigned seed = 0;
};

struct SOptions {
  Sim::SServedLink link;
  std::string records;
  std::string transcript;
  std::string infoMemory;
  std::string factoryCopy;
  std::string lastUsedCopy;
  std::string saveMemory;
  SForceOptions force;
};

constexpr char kNoCopy[] = "none";

int Usage() {
  std::fprintf(
      stderr,
      "usage: zd2-sim --tcp HOST:PORT | --pty [--com N] [--records FILE] [--identity TEXT]\n"
      "               [--query @XX@=ANSWER] [--service-mode] [--byte-rate N] [--transcript FILE]\n"
      "               [--fault bad-crc:K|header-cut|stall:MS|silence|disconnect|\n"
      "                        disconnect-after:N|bad-check-size|\n"
      "                        zero-size|count-mismatch|wrong-signature|refuse-srecord:K|\n"
      "                        live-cut:N|frame-noise:K|delete-all-double-answer|\n"
      "                        write-refused:ADDR|sticky:ADDR|\n"
      "                        erase-refused:SEG|overwrite-refused|raw-silence|\n"
      "                        lifetime-bump|drive-stall:LOAD|refuse-nominal:K|\n"
      "                        refuse-start:K|hangup-nominal:K]\n"
      "               [--frame-rate N] [--gain G] [--offset O] [--noise N] [--seed S]\n"
      "               [--live-test DELAY:PEAK[:RATE]] [--info-memory FILE]\n"
      "               [--factory-copy FILE|none] [--last-used-copy FILE|none] [--save-memory FILE]\n");
  return 2;
}

bool ApplyFault(Sim::CZd2Simulator& zd2, const std::string& fault) {
  const std::string name = fault.substr(0, fault.find(':'));
  const int argument =
      fault.find(':') == std::string::npos ? 0 : std::atoi(fault.c_str() + fault.find(':') + 1);
  if (name == "bad-crc")
    zd2.SetDownloadFault(Fault::eBadCrc, argument > 0 ? argument : 1);
  else if (name == "header-cut")
    zd2.SetDownloadFault(Fault::eHeaderCut);
  else if (name == "stall")
    zd2.SetDownloadFault(Fault::eStall, 1, argument > 0 ? argument : 3000);
  else if (name == "silence")
    zd2.SetDownloadFault(Fault::eSilence);
  else if (name == "disconnect")
    zd2.SetDownloadFault(Fault::eDisconnect);
  else if (name == "disconnect-after")
    zd2.SetDownloadFault(Fault::eDisconnectAfter, argument);
  else if (name == "bad-check-size")
    zd2.SetDownloadFault(Fault::eBadCheckSize);
  else if (name == "zero-size")
    zd2.SetDownloadFault(Fault::eZeroSize);
  else if (name == "count-mismatch")
    zd2.SetDownloadFault(Fault::eCountMismatch);
  else if (name == "refuse-srecord")
    zd2.SetSRecordRefusal(argument > 0 ? argument : 1);
  else if (name == "live-cut")
    zd2.SetLiveCut(argument > 0 ? argument : 1);
  else if (name == "frame-noise")
    zd2.SetFrameNoise(argument > 0 ? argument : 1);
  else if (name == "delete-all-double-answer")
    zd2.SetDeleteAllDoubleAnswer(true);
  else if (name == "write-refused" || name == "sticky") {
    const WORD address = WORD(std::strtoul(fault.c_str() + fault.find(':') + 1, nullptr, 16));
    if (name == "sticky")
      zd2.SetStickyByte(address);
    else
      zd2.SetRefusedWrite(address);
  } else if (name == "erase-refused" && argument >= 1 && argument <= 3)
    zd2.SetRefusedErase(argument);
  else if (name == "overwrite-refused")
    zd2.SetOverwriteRefused(true);
  else if (name == "lifetime-bump")
    zd2.SetLifetimeBump(true);
  else if (name == "drive-stall" && argument > 0)
    zd2.SetDriveStall(argument);
  else if (name == "refuse-nominal")
    zd2.SetNominalLoadRefusal(argument > 0 ? argument : 1);
  else if (name == "refuse-start")
    zd2.SetStartRefusal(argument > 0 ? argument : 1);
  else if (name == "hangup-nominal")
    zd2.SetHangupAtNominalLoad(argument > 0 ? argument : 1);
  else if (name == "raw-silence")
    zd2.SetRawSilence(true);
  else if (name == "wrong-signature")
    zd2.SetIdentity("ZD-2;2;VN02-123-4567;0D000102;1.6.2");
  else
    return false;
  return true;
}

bool ParseOptions(int argc, char** argv, SOptions& options, Sim::CZd2Simulator& zd2) {
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--pty") {
      options.link.pty = true;
      continue;
    }
    if (option == "--service-mode") {
      zd2.SetServiceModeOnly(true);
      continue;
    }
    if (i + 1 >= argc) return false;
    const std::string value = argv[++i];
    if (option == "--tcp")
      options.link.tcp = value;
    else if (option == "--com")
      options.link.com = std::atoi(value.c_str());
    else if (option == "--records")
      options.records = value;
    else if (option == "--transcript")
      options.transcript = value;
    else if (option == "--info-memory")
      options.infoMemory = value;
    else if (option == "--factory-copy")
      options.factoryCopy = value;
    else if (option == "--last-used-copy")
      options.lastUsedCopy = value;
    else if (option == "--save-memory")
      options.saveMemory = value;
    else if (option == "--byte-rate")
      options.link.byteRate = std::atoi(value.c_str());
    else if (option == "--frame-rate")
      zd2.SetFrameRate(std::atoi(value.c_str()));
    else if (option == "--gain")
      options.force.gain = std::atof(value.c_str());
    else if (option == "--offset")
      options.force.offset = std::atof(value.c_str());
    else if (option == "--noise")
      options.force.noise = std::atoi(value.c_str());
    else if (option == "--seed")
      options.force.seed = unsigned(std::strtoul(value.c_str(), nullptr, 10));
    else if (option == "--live-test") {
      Sim::CZd2LiveModel::SLiveTest test;
      if (std::sscanf(value.c_str(), "%d:%d:%d", &test.delayMs, &test.peak, &test.rate) < 2) return false;
      zd2.AddLiveTest(test);
    } else if (option == "--identity")
      zd2.SetIdentity(value);
    else if (option == "--query" && value.find('=') != std::string::npos)
      zd2.SetQueryAnswer(value.substr(0, value.find('=')), value.substr(value.find('=') + 1));
    else if (option == "--fault") {
      if (!ApplyFault(zd2, value)) return false;
    } else
      return false;
  }
  zd2.SetForceModel(options.force.gain, options.force.offset, options.force.noise, options.force.seed);
  return options.link.IsChosen();
}

// A memory image of exactly kInfoSize bytes.
bool ReadImage(const std::string& path, std::vector<BYTE>& image) {
  std::ifstream file(path, std::ios::binary);
  image.assign(std::istreambuf_iterator<char>(file), {});
  if (file.bad() || !file.is_open() || image.size() != size_t(Sim::CZd2Simulator::kInfoSize)) {
    std::fprintf(stderr, "zd2-sim: %s is not an image of %d bytes\n", path.c_str(),
                 Sim::CZd2Simulator::kInfoSize);
    return false;
  }
  return true;
}

// A copy's image, or none; an empty path leaves the copy as it is.
bool ApplyCopy(const std::string& path, void (Sim::CZd2Simulator::*set)(std::vector<BYTE>),
               Sim::CZd2Simulator& zd2) {
  if (path.empty()) return true;
  std::vector<BYTE> image;
  if (path != kNoCopy && !ReadImage(path, image)) return false;
  (zd2.*set)(image);
  return true;
}

bool ApplyMemoryOptions(const SOptions& options, Sim::CZd2Simulator& zd2) {
  if (!options.infoMemory.empty()) {
    std::vector<BYTE> image;
    if (!ReadImage(options.infoMemory, image)) return false;
    zd2.SetInfoMemory(Sim::CZd2Simulator::kInfoStart, image);
  }
  return ApplyCopy(options.factoryCopy, &Sim::CZd2Simulator::SetFactoryCopy, zd2) &&
         ApplyCopy(options.lastUsedCopy, &Sim::CZd2Simulator::SetLastUsedCopy, zd2);
}

bool SaveMemory(const std::string& path, const Sim::CZd2Simulator& zd2) {
  const std::vector<BYTE> image = zd2.InfoMemory();
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
  return bool(file);
}

}  // namespace

int main(int argc, char** argv) {
  Sim::CZd2Simulator zd2;
  SOptions options;
  if (!ParseOptions(argc, argv, options, zd2)) return Usage();
  if (!options.records.empty() && !zd2.LoadRecordFile(options.records)) {
    std::fprintf(stderr, "zd2-sim: cannot read %s\n", options.records.c_str());
    return 1;
  }
  if (!ApplyMemoryOptions(options, zd2)) return 1;
  std::ofstream transcript;
  if (!options.transcript.empty()) {
    transcript.open(options.transcript, std::ios::binary | std::ios::trunc);
    zd2.SetReceiveSink([&transcript](const BYTE* bytes, int count) {
      transcript.write(reinterpret_cast<const char*>(bytes), count);
      transcript.flush();
    });
  }

  if (!Sim::ServeUntilStopSignal("zd2-sim", options.link, [&zd2](Sim::CPeer& p) { zd2.Run(p); })) return 1;
  if (!options.saveMemory.empty() && !SaveMemory(options.saveMemory, zd2)) {
    std::fprintf(stderr, "zd2-sim: cannot write %s\n", options.saveMemory.c_str());
    return 1;
  }
  return 0;
}
