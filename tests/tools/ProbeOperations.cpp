#include "tests/tools/ProbeOperations.h"

#include <cstdio>

#include "drivers/CorrectionProbeDevice.h"
#include "drivers/UCILiveDevice.h"
#include "tests/tools/DeviceConnection.h"
#include "tests/tools/DriverArguments.h"
#include "tests/tools/EscapedText.h"

namespace {

using Args = std::vector<std::string>;
using Correction = Device::CCorrectionProbeDevice;
using Uci = Device::CUCILiveDevice;

// An operation of both probe families: `body` takes either class.
template <class F>
InstrumentOperation OnAnyProbe(size_t argumentCount, F body) {
  return [argumentCount, body](Device::CJvDevice& device, const Args& args) {
    if (args.size() != argumentCount) return kNotApplicable;
    if (auto* probe = dynamic_cast<Correction*>(&device)) return body(*probe, args);
    if (auto* probe = dynamic_cast<Uci*>(&device)) return body(*probe, args);
    return kNotApplicable;
  };
}

void PrintText(const char* name, const CString& text) {
  std::printf("%s=%s\n", name, EscapedText(text).c_str());
}

void PrintVersionBlock(const Device::SProbeVersionBlock& block) {
  PrintText("version", block.version.Format(4));
  std::printf("block=%s\n", HexBytes(block.block, Device::SProbeVersionBlock::kBlockSize).c_str());
}

void PrintWords(const Device::SWordTriple& words) {
  std::printf("values=%d,%d,%d\n", words.values[0], words.values[1], words.values[2]);
}

// A bool operation that takes one text.
template <class T>
InstrumentOperation WriteText(bool (T::*operation)(const CString&)) {
  return OperationOn<T>(1, [operation](T& probe, const Args& args) {
    PrintBool("result", (probe.*operation)(CString::FromUtf8(args[0])));
    return 0;
  });
}

// A bool operation that takes a flag.
template <class T>
InstrumentOperation Switch(bool (T::*operation)(bool)) {
  return OperationOn<T>(1, [operation](T& probe, const Args& args) {
    bool on = false;
    if (!ParseFlag(args[0], on)) return kNotApplicable;
    PrintBool("result", (probe.*operation)(on));
    return 0;
  });
}

template <class T>
InstrumentOperation ReadWords(bool (T::*operation)(Device::SWordTriple&)) {
  return OperationOn<T>(0, [operation](T& probe, const Args&) {
    Device::SWordTriple words;
    PrintBool("result", (probe.*operation)(words));
    PrintWords(words);
    return 0;
  });
}

int GetDeviceInfo(auto& probe, const Args&) {
  Device::SLiveProbeInfo info;
  PrintBool("result", probe.GetDeviceInfo(info));
  PrintText("device_name", info.deviceName);
  PrintText("app_version", info.appVersion);
  PrintText("serial_number", info.serialNumber);
  PrintText("hw_rev", info.hardwareRevision);
  PrintText("signature", info.signature);
  PrintText("module_name", info.moduleName);
  PrintText("module_app_version", info.moduleVersion);
  PrintText("module_serial", info.moduleSerial);
  PrintText("module_hw_rev", info.moduleHardware);
  return 0;
}

int ReadParameterSet(Correction& probe, const Args&) {
  Device::SProbeParameterSet set;
  PrintBool("result", probe.ReadParameterSet(set));
  std::printf("values=%u,%u,%u,%u\n", set.values[0], set.values[1], set.values[2], set.values[3]);
  PrintVersionBlock(set.version);
  return 0;
}

int ReadCoVersion(Correction& probe, const Args& args) {
  bool force = false;
  if (!ParseFlag(args[0], force)) return kNotApplicable;
  Device::SProbeVersionBlock block;
  PrintBool("result", probe.ReadCoVersion(block, force));
  PrintVersionBlock(block);
  return 0;
}

int WriteCorrectionA(Correction& probe, const Args& args) {
  Device::SWordTriple words;
  for (int i = 0; i < 3; ++i)
    if (!ParseTypeNumber(args[size_t(i)], words.values[i])) return kNotApplicable;
  PrintBool("result", probe.WriteCorrectionA(words));
  return 0;
}

int WriteDeviceIdentity(auto& probe, const Args& args) {
  PrintBool("result", probe.WriteDeviceIdentity(CString::FromUtf8(args[0]), CString::FromUtf8(args[1]),
                                                CString::FromUtf8(args[2])));
  return 0;
}

int WriteModuleIdentity(auto& probe, const Args& args) {
  PrintBool("result", probe.WriteModuleIdentity(CString::FromUtf8(args[0]), CString::FromUtf8(args[1])));
  return 0;
}

int ResetZedo(auto& probe, const Args& args) {
  bool afterLinkLoss = false;
  int waitMs = 0;
  if (!ParseFlag(args[0], afterLinkLoss) || !ParseTypeNumber(args[1], waitMs) || waitMs < 0)
    return kNotApplicable;
  PrintBool("result", probe.ResetZedo(afterLinkLoss, DWORD(waitMs)));
  return 0;
}

int SendRawText(auto& probe, const Args& args) {
  PrintText("text", probe.SendRawText(CString::FromUtf8(args[0])));
  return 0;
}

int SendRawBytes(auto& probe, const Args& args) {
  std::vector<BYTE> bytes;
  if (!ParseHexBytes(args[0], bytes, false)) return kNotApplicable;
  BYTE reply[64] = {};
  const int count = probe.SendRawBytes(bytes.data(), int(bytes.size()), reply, int(sizeof reply));
  std::printf("result=%d\nreply=%s\n", count, HexBytes(reply, count > 0 ? count : 0).c_str());
  return 0;
}

int ReadFrame(Uci& probe, const Args& args) {
  int size = 0;
  int timeoutMs = 0;
  if (!ParseTypeNumber(args[0], size) || size < 0 || size > 64 || !ParseTypeNumber(args[1], timeoutMs))
    return kNotApplicable;
  BYTE frame[64] = {};
  const int result = probe.ReadFrame(frame, size, timeoutMs);
  const bool isCount = result > 0 && result <= size;
  std::printf("result=%d\nreply=%s\n", result, HexBytes(frame, isCount ? result : 0).c_str());
  return 0;
}

int ModuleQuery(auto& probe, const Args& args) {
  int tries = 0;
  if (!ParseTypeNumber(args[1], tries)) return kNotApplicable;
  CString text;
  PrintBool("result", probe.ModuleQuery(CString::FromUtf8(args[0]), text, tries));
  PrintText("text", text);
  return 0;
}

}  // namespace

const std::map<std::string, InstrumentOperation>& ProbeOperations() {
  static const std::map<std::string, InstrumentOperation> operations = {
      {"GetDeviceInfo", OnAnyProbe(0, [](auto& p, const Args& a) { return GetDeviceInfo(p, a); })},
      {"ReadStatusBit", OnAnyProbe(0,
                                   [](auto& p, const Args&) {
                                     PrintBool("result", p.ReadStatusBit());
                                     return 0;
                                   })},
      {"ReadParameterSet", OperationOn<Correction>(0, &ReadParameterSet)},
      {"ReadCoVersion", OperationOn<Correction>(1, &ReadCoVersion)},
      {"ReadWords33", ReadWords(&Correction::ReadWords33)},
      {"ReadWords34", ReadWords(&Correction::ReadWords34)},
      {"WriteCorrectionA", OperationOn<Correction>(3, &WriteCorrectionA)},
      {"WriteDeviceIdentity",
       OnAnyProbe(3, [](auto& p, const Args& a) { return WriteDeviceIdentity(p, a); })},
      {"WriteHardwareRevision", WriteText(&Uci::WriteHardwareRevision)},
      {"ReadSerialDate", OnAnyProbe(0,
                                    [](auto& p, const Args&) {
                                      CString text;
                                      PrintBool("result", p.ReadSerialDate(text));
                                      PrintText("text", text);
                                      return 0;
                                    })},
      {"WriteSerialDate", WriteText(&Uci::WriteSerialDate)},
      {"SetObeMode", OnAnyProbe(1,
                                [](auto& p, const Args& a) {
                                  bool on = false;
                                  if (!ParseFlag(a[0], on)) return kNotApplicable;
                                  PrintBool("result", p.SetObeMode(on));
                                  return 0;
                                })},
      {"SetOtmMode", Switch(&Correction::SetOtmMode)},
      {"SetOpmMode", Switch(&Uci::SetOpmMode)},
      {"ResetZedo", OnAnyProbe(2, [](auto& p, const Args& a) { return ResetZedo(p, a); })},
      {"WriteModuleIdentity",
       OnAnyProbe(2, [](auto& p, const Args& a) { return WriteModuleIdentity(p, a); })},
      {"WriteModuleHardwareRevision", WriteText(&Uci::WriteModuleHardwareRevision)},
      {"ReadHexId", OnAnyProbe(0,
                               [](auto& p, const Args&) {
                                 CString text;
                                 PrintBool("result", p.ReadHexId(text));
                                 PrintText("text", text);
                                 return 0;
                               })},
      {"SendRawText", OnAnyProbe(1, [](auto& p, const Args& a) { return SendRawText(p, a); })},
      {"SendRawBytes", OnAnyProbe(1, [](auto& p, const Args& a) { return SendRawBytes(p, a); })},
      {"ReadFrame", OperationOn<Uci>(2, &ReadFrame)},
      {"ModuleQuery", OnAnyProbe(2, [](auto& p, const Args& a) { return ModuleQuery(p, a); })},
  };
  return operations;
}
