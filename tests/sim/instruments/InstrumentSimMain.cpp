// instrument-sim: one of the maker's other instruments as a program, serving one client at a
// time on a loopback TCP port or on a pseudo-terminal, until it receives SIGINT or SIGTERM.
//
//   instrument-sim --type T (--tcp 127.0.0.1:3728 | --pty [--com N] | --hid SOCKET)
//                  [--identity TEXT] [--id TEXT] [--answer COMMAND=TEXT]... [--echo]
//                  [--silent-app] [--boot-identity TEXT] [--boot-state N]
//                  [--refuse SERVICESTRING]... [--refuse-srecord K]
//                  [--reply CODE[:FUNCTION]=HEXBYTES]... [--raw-status N] [--refuse-mode N]
//                  [--mode-duration MS] [--timed-duration MS] [--readings A,B,...]
//                  [--byte-rate BYTES_PER_SECOND] [--log FILE]
//                  [--login-flags N] [--ready-after N]
//                  [--records FILE]... [--data-files FOLDER] [--rate-commands]
//                  [--frames HEXBYTES,HEXBYTES...] [--data-reports HEXBYTES,HEXBYTES...]
//
// With --hid the instrument is a HID probe (the Calvera 3, type 5) served on the Unix socket:
// its text channel runs in the feature-report mailbox, and the --data-reports go out as input
// reports with sequence numbers from 1. It prints "port=" with the probe's device path and
// "hid=SOCKET".
// The UCI probe (type 21) sends the --frames after answering "OPM_ON" with "ok" (--answer).
// The Armivue (type 3) serves its download from --records, files of 262-byte binary records,
// and --data-files, a folder of data-file texts; with --rate-commands it answers "BR ?" and
// takes "BR nnn\r", and a --byte-rate then follows the line rate it sets.
//
// It prints "port=NAME" once it listens: "IP:host:port", or the pseudo-terminal's device (and
// "com=N" when it was mapped to COM N in the settings store). When it ends it prints
// "line=SETTINGS", the line settings the client last gave the pseudo-terminal (such as
// "38400 rtscts"), and writes the log file: one line for every item received (see
// InstrumentSimulator.h).

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "tests/sim/Peer.h"
#include "tests/sim/ServedLink.h"
#include "tests/sim/instruments/ArmivueStore.h"
#include "tests/sim/instruments/InstrumentSimulator.h"

namespace {

struct SOptions {
  int type = -1;
  Sim::SServedLink link;
  std::string log;
  bool rateCommands = false;
  bool storeGiven = false;
  Sim::CArmivueStore store;
};

// The Armivue's download request and its two kinds.
constexpr BYTE kDownloadRequest = 210;
constexpr BYTE kBinaryDownload = 18;
constexpr BYTE kTextDownload = 16;

int Usage() {
  std::fprintf(
      stderr,
      "usage: instrument-sim --type T (--tcp HOST:PORT | --pty [--com N] | --hid SOCKET)\n"
      "         [--identity TEXT] [--id TEXT] [--answer COMMAND=TEXT] [--echo] [--silent-app]\n"
      "         [--boot-identity TEXT] [--boot-state N] [--refuse SERVICESTRING] [--refuse-srecord K]\n"
      "         [--reply CODE[:FUNCTION]=HEXBYTES] [--raw-status N] [--refuse-mode N] [--mode-duration MS]\n"
      "         [--timed-duration MS]\n"
      "         [--readings A,B,...] [--byte-rate N] [--log FILE]\n"
      "         [--login-flags N] [--ready-after N]\n"
      "         [--records FILE]... [--data-files FOLDER] [--rate-commands]\n"
      "         [--frames HEXBYTES,HEXBYTES...] [--data-reports HEXBYTES,HEXBYTES...]\n");
  return 2;
}

bool ParseHexBytes(const std::string& text, std::vector<BYTE>& bytes) {
  if (text.size() % 2 != 0) return false;
  for (size_t i = 0; i < text.size(); i += 2) {
    char* end = nullptr;
    const std::string pair = text.substr(i, 2);
    const long value = std::strtol(pair.c_str(), &end, 16);
    if (*end != '\0') return false;
    bytes.push_back(BYTE(value));
  }
  return true;
}

std::vector<std::string> SplitList(const std::string& text) {
  std::vector<std::string> items;
  size_t start = 0;
  while (true) {
    const size_t comma = text.find(',', start);
    items.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (comma == std::string::npos) return items;
    start = comma + 1;
  }
}

bool ApplyOption(const std::string& option, const std::string& value, SOptions& options,
                 Sim::CInstrumentSimulator& instrument) {
  const size_t equals = value.find('=');
  if (option == "--tcp") {
    options.link.tcp = value;
  } else if (option == "--hid") {
    options.link.hid = value;
  } else if (option == "--data-reports") {
    for (const std::string& item : SplitList(value))
      if (!ParseHexBytes(item, options.link.inputReports.emplace_back())) return false;
  } else if (option == "--com") {
    options.link.com = std::atoi(value.c_str());
  } else if (option == "--log") {
    options.log = value;
  } else if (option == "--byte-rate") {
    options.link.byteRate = std::atoi(value.c_str());
  } else if (option == "--records") {
    options.storeGiven = true;
    return options.store.AddRecordFile(value);
  } else if (option == "--data-files") {
    options.storeGiven = true;
    return options.store.AddDataFileFolder(value);
  } else if (option == "--identity") {
    instrument.SetIdentity(value);
  } else if (option == "--id") {
    instrument.SetIdAnswer(value);
  } else if (option == "--answer" && equals != std::string::npos) {
    instrument.SetTextAnswer(value.substr(0, equals), value.substr(equals + 1));
  } else if (option == "--boot-identity") {
    instrument.SetBootIdentity(value);
  } else if (option == "--boot-state") {
    instrument.SetBootState(std::atoi(value.c_str()));
  } else if (option == "--refuse") {
    instrument.RefuseServiceString(value);
  } else if (option == "--refuse-srecord") {
    instrument.RefuseSRecord(std::atoi(value.c_str()));
  } else if (option == "--reply" && equals != std::string::npos) {
    std::vector<BYTE> bytes;
    if (!ParseHexBytes(value.substr(equals + 1), bytes)) return false;
    // CODE or CODE:FUNCTION, both in hexadecimal.
    char* end = nullptr;
    const BYTE code = BYTE(std::strtol(value.c_str(), &end, 16));
    if (*end == ':')
      instrument.SetFunctionReply(code, BYTE(std::strtol(end + 1, nullptr, 16)), bytes);
    else
      instrument.SetFrameReply(code, bytes);
  } else if (option == "--frames") {
    std::vector<std::vector<BYTE>> frames;
    for (const std::string& item : SplitList(value))
      if (!ParseHexBytes(item, frames.emplace_back())) return false;
    instrument.SetFrames(frames);
  } else if (option == "--raw-status") {
    instrument.SetRawStatus(BYTE(std::atoi(value.c_str())));
  } else if (option == "--refuse-mode") {
    instrument.RefuseMode(std::atoi(value.c_str()));
  } else if (option == "--timed-duration") {
    instrument.SetTimedDuration(std::atoi(value.c_str()));
  } else if (option == "--mode-duration") {
    instrument.SetModeDuration(std::atoi(value.c_str()));
  } else if (option == "--readings") {
    instrument.SetReadings(SplitList(value));
  } else if (option == "--login-flags") {
    instrument.SetLoginFlags(std::atoi(value.c_str()));
  } else if (option == "--ready-after") {
    instrument.SetReadyAfterPolls(std::atoi(value.c_str()));
  } else {
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  SOptions options;
  for (int i = 1; i + 1 < argc; ++i)
    if (std::string(argv[i]) == "--type") options.type = std::atoi(argv[i + 1]);
  Sim::CInstrumentSimulator instrument(options.type);
  if (!instrument.IsKnownType()) return Usage();
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--pty") {
      options.link.pty = true;
    } else if (option == "--echo") {
      instrument.SetEcho(true);
    } else if (option == "--rate-commands") {
      options.rateCommands = true;
    } else if (option == "--silent-app") {
      instrument.SetApplicationSilent(true);
    } else if (i + 1 >= argc) {
      return Usage();
    } else if (option == "--type") {
      ++i;
    } else if (!ApplyOption(option, argv[++i], options, instrument)) {
      return Usage();
    }
  }
  if (!options.link.IsChosen()) return Usage();
  if (options.rateCommands) instrument.AnswerRateCommands(options.link.byteRate > 0);
  if (options.storeGiven) {
    instrument.SetFunctionReply(kDownloadRequest, kBinaryDownload, options.store.BinaryReply());
    instrument.SetFunctionReply(kDownloadRequest, kTextDownload, options.store.TextReply());
  }

  if (!Sim::ServeUntilStopSignal("instrument-sim", options.link,
                                 [&instrument](Sim::CPeer& p) { instrument.Run(p); }))
    return 1;
  std::printf("line=%s\n", instrument.LineSettings().c_str());
  if (!options.log.empty()) {
    std::ofstream log(options.log, std::ios::trunc);
    for (const std::string& item : instrument.Log()) log << item << '\n';
  }
  return 0;
}
