// zdtool driver PORTNAME --type T OPERATION [ARGS]: attaches an instrument of type T,
// identifies it (identified=) and calls one operation of its class, printing result= and the
// operation's out values as name=value:
//   BinaryRequest CODE PAYLOADHEX BUFSIZE   reply= (CODE in hexadecimal, "0x" optional;
//                                           PAYLOADHEX "-" for none)
//   EnterMode12 | EnterBootloaderState | SendRequest7Code4
//   QueryBootloaderIdentity                 text= (also the Armivue and the live probes)
//   WriteNameCode T1 T2 T3 | WriteIdentityTexts T1 T2 T3
//   ReadSelfCheck                           flag_a= flag_b= value= flag_c= flag_d=
//   RemoteLogin USER PASSWORD               flags=0x%04X user=
//   CheckConnection KIND                    value=
//   ReadParameterBlock                      p1= ... p10=
//   WriteParameterBlock P1 ... P10
//   QueryPowerState                         fields= (the seven joined by ";")
// The Armivue's and the live instruments' own operations are listed in InstrumentOperations.h,
// the live probes' in ProbeOperations.h.
// Exits 0 when attached and called, 2 for an unknown type or operation.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <vector>

#include "device/DeviceFactory.h"
#include "device/DeviceLogin.h"
#include "drivers/ArmiSmartDevice.h"
#include "drivers/CorrectionProbeDevice.h"
#include "drivers/Durimo3SeDevice.h"
#include "drivers/OhmiraDevice.h"
#include "drivers/PlatformDevice.h"
#include "drivers/SondrelLabDevice.h"
#include "drivers/TestBoxDevice.h"
#include "drivers/TintaraDevice.h"
#include "drivers/UCILiveDevice.h"
#include "tests/tools/DeviceConnection.h"
#include "tests/tools/DriverArguments.h"
#include "tests/tools/EscapedText.h"
#include "tests/tools/InstrumentOperations.h"
#include "tests/tools/ProbeOperations.h"
#include "tests/tools/Zd2Connection.h"
#include "tests/tools/ZdTool.h"

namespace {

using Args = std::vector<std::string>;
// Result 2 means the operation does not exist for the device's class or its arguments are
// wrong; anything else is the exit code.
using Operation = std::function<int(Device::CJvDevice&, const Args&)>;

int BinaryRequest(Device::CJvDevice& device, const Args& args) {
  unsigned long code = 0;
  std::vector<BYTE> payload;
  int bufferSize = 0;
  if (args.size() != 3 || !ParseHexNumber(args[0], code) || code > 0xFF ||
      !ParseHexBytes(args[1], payload, true) || !ParseTypeNumber(args[2], bufferSize) || bufferSize < 0)
    return kNotApplicable;
  std::vector<BYTE> buffer(std::max<size_t>(payload.size(), size_t(bufferSize)) + 1, 0);
  std::copy(payload.begin(), payload.end(), buffer.begin());
  const int result = device.BinaryRequest(BYTE(code), int(payload.size()), buffer.data(), bufferSize, -1);
  std::printf("result=%d\nreply=", result);
  if (result > 0 && result < 240)
    std::printf("%s", HexBytes(buffer.data(), std::min(result, bufferSize)).c_str());
  std::printf("\n");
  return 0;
}

template <class T>
T* As(Device::CJvDevice& device) {
  return dynamic_cast<T*>(&device);
}

// The boot loader's identity line of the classes that ask for it.
template <class T>
bool AskBootloaderIdentity(Device::CJvDevice& device, CString& text, bool& result) {
  auto* typed = As<T>(device);
  if (typed) result = typed->QueryBootloaderIdentity(text);
  return typed != nullptr;
}

int QueryBootloaderIdentity(Device::CJvDevice& device, const Args& args) {
  if (!args.empty()) return kNotApplicable;
  CString text;
  bool result = false;
  if (!AskBootloaderIdentity<Device::CTestBoxDevice>(device, text, result) &&
      !AskBootloaderIdentity<Device::CSondrelLabDevice>(device, text, result) &&
      !AskBootloaderIdentity<Device::COhmiraDevice>(device, text, result) &&
      !AskBootloaderIdentity<Device::CTintaraDevice>(device, text, result) &&
      !AskBootloaderIdentity<Device::CArmiSmartDevice>(device, text, result) &&
      !AskBootloaderIdentity<Device::CCorrectionProbeDevice>(device, text, result) &&
      !AskBootloaderIdentity<Device::CUCILiveDevice>(device, text, result))
    return kNotApplicable;
  PrintBool("result", result);
  std::printf("text=%s\n", EscapedText(text).c_str());
  return 0;
}

int EnterBootloaderState(Device::CJvDevice& device, const Args& args) {
  if (!args.empty()) return kNotApplicable;
  if (auto* testBox = As<Device::CTestBoxDevice>(device))
    PrintBool("result", testBox->EnterBootloaderState());
  else if (auto* lab = As<Device::CSondrelLabDevice>(device))
    PrintBool("result", lab->EnterBootloaderState());
  else
    return kNotApplicable;
  return 0;
}

int WriteNameCode(Device::CJvDevice& device, const Args& args) {
  auto* testBox = As<Device::CTestBoxDevice>(device);
  if (!testBox || args.size() != 3) return kNotApplicable;
  PrintBool("result", testBox->WriteNameCode(CString::FromUtf8(args[0]), CString::FromUtf8(args[1]),
                                             CString::FromUtf8(args[2])));
  return 0;
}

int WriteIdentityTexts(Device::CJvDevice& device, const Args& args) {
  auto* lab = As<Device::CSondrelLabDevice>(device);
  if (!lab || args.size() != 3) return kNotApplicable;
  PrintBool("result", lab->WriteIdentityTexts(CString::FromUtf8(args[0]), CString::FromUtf8(args[1]),
                                              CString::FromUtf8(args[2])));
  return 0;
}

int ReadSelfCheck(Device::CJvDevice& device, const Args& args) {
  auto* lab = As<Device::CSondrelLabDevice>(device);
  if (!lab || !args.empty()) return kNotApplicable;
  Device::SSelfCheckStatus status;
  PrintBool("result", lab->ReadSelfCheck(status));
  PrintBool("flag_a", status.flagA);
  PrintBool("flag_b", status.flagB);
  std::printf("value=%u\n", unsigned(status.value));
  PrintBool("flag_c", status.flagC);
  PrintBool("flag_d", status.flagD);
  return 0;
}

int SendRequest7Code4(Device::CJvDevice& device, const Args& args) {
  auto* lab = As<Device::CSondrelLabDevice>(device);
  if (!lab || !args.empty()) return kNotApplicable;
  PrintBool("result", lab->SendRequest7Code4());
  return 0;
}

int EnterMode12(Device::CJvDevice& device, const Args& args) {
  if (!args.empty()) return kNotApplicable;
  PrintBool("result", device.EnterMode12());
  return 0;
}

int RemoteLogin(Device::CJvDevice& device, const Args& args) {
  if (args.size() != 2) return kNotApplicable;
  SDeviceLogin login;
  login.userName = CString::FromUtf8(args[0]);
  login.password = CString::FromUtf8(args[1]);
  PrintBool("result", device.RemoteLogin(login));
  std::printf("flags=0x%04X\nuser=%s\n", unsigned(login.flags), EscapedText(login.userName).c_str());
  return 0;
}

int CheckConnection(Device::CJvDevice& device, const Args& args) {
  int kind = 0;
  if (args.size() != 1 || !ParseTypeNumber(args[0], kind)) return kNotApplicable;
  SDeviceIdent ident;
  int value = 0;
  PrintBool("result", device.CheckConnection(ident, kind, value));
  std::printf("value=%d\n", value);
  return 0;
}

int ReadParameterBlock(Device::CJvDevice& device, const Args& args) {
  auto* durimo = As<Device::CDurimo3SeDevice>(device);
  if (!durimo || !args.empty()) return kNotApplicable;
  Device::SDurimo3Parameters p;
  PrintBool("result", durimo->ReadParameterBlock(p));
  std::printf("p1=%g\np2=%g\np3=%g\np4=%u\np5=%u\np6=%u\np7=%u\np8=%u\np9=%u\np10=%g\n", double(p.value1),
              double(p.value2), double(p.value3), unsigned(p.value4), unsigned(p.value5), unsigned(p.value6),
              unsigned(p.value7), unsigned(p.value8), unsigned(p.value9), double(p.value10));
  return 0;
}

bool ParseFloat(const std::string& text, float& value) {
  char* end = nullptr;
  value = std::strtof(text.c_str(), &end);
  return !text.empty() && *end == 0;
}

bool ParseUnsigned(const std::string& text, DWORD& value) {
  char* end = nullptr;
  const unsigned long number = std::strtoul(text.c_str(), &end, 10);
  value = DWORD(number);
  return !text.empty() && *end == 0 && number <= 0xFFFFFFFFul;
}

int WriteParameterBlock(Device::CJvDevice& device, const Args& args) {
  auto* durimo = As<Device::CDurimo3SeDevice>(device);
  Device::SDurimo3Parameters p;
  if (!durimo || args.size() != 10 || !ParseFloat(args[0], p.value1) || !ParseFloat(args[1], p.value2) ||
      !ParseFloat(args[2], p.value3) || !ParseUnsigned(args[3], p.value4) ||
      !ParseUnsigned(args[4], p.value5) || !ParseUnsigned(args[5], p.value6) ||
      !ParseUnsigned(args[6], p.value7) || !ParseUnsigned(args[7], p.value8) ||
      !ParseUnsigned(args[8], p.value9) || !ParseFloat(args[9], p.value10))
    return kNotApplicable;
  PrintBool("result", durimo->WriteParameterBlock(p));
  return 0;
}

int QueryPowerState(Device::CJvDevice& device, const Args& args) {
  auto* platform = As<Device::CPlatformDevice>(device);
  if (!platform || !args.empty()) return kNotApplicable;
  Device::SPowerState state;
  PrintBool("result", platform->QueryPowerState(state));
  std::string fields;
  for (const CString& field : state.fields) fields += (fields.empty() ? "" : ";") + EscapedText(field);
  std::printf("fields=%s\n", fields.c_str());
  return 0;
}

const std::map<std::string, Operation>& Operations() {
  static const std::map<std::string, Operation> operations = {
      {"BinaryRequest", &BinaryRequest},
      {"EnterMode12", &EnterMode12},
      {"QueryBootloaderIdentity", &QueryBootloaderIdentity},
      {"EnterBootloaderState", &EnterBootloaderState},
      {"WriteNameCode", &WriteNameCode},
      {"WriteIdentityTexts", &WriteIdentityTexts},
      {"ReadSelfCheck", &ReadSelfCheck},
      {"SendRequest7Code4", &SendRequest7Code4},
      {"RemoteLogin", &RemoteLogin},
      {"CheckConnection", &CheckConnection},
      {"ReadParameterBlock", &ReadParameterBlock},
      {"WriteParameterBlock", &WriteParameterBlock},
      {"QueryPowerState", &QueryPowerState},
  };
  return operations;
}

int RunDriver(const Args& args) {
  int type = 0;
  if (args.size() < 4 || args[1] != "--type" || !ParseTypeNumber(args[2], type)) {
    std::fprintf(stderr, "usage: zdtool driver PORTNAME --type T OPERATION [ARGS]\n");
    return kNotApplicable;
  }
  Operation operation;
  if (const auto common = Operations().find(args[3]); common != Operations().end())
    operation = common->second;
  else if (const auto own = InstrumentOperations().find(args[3]); own != InstrumentOperations().end())
    operation = own->second;
  else if (const auto probe = ProbeOperations().find(args[3]); probe != ProbeOperations().end())
    operation = probe->second;
  if (!operation) {
    std::fprintf(stderr, "Unknown operation %s.\n", args[3].c_str());
    return kNotApplicable;
  }
  if (!Device::CreateDevice(type)) {
    std::fprintf(stderr, "No instrument class for type %d.\n", type);
    return kNotApplicable;
  }
  auto device = ConnectDevice(args[0], type);
  if (!device) return 1;
  SDeviceIdent ident;
  PrintBool("identified", device->Identify(ident));
  const int result = operation(*device, Args(args.begin() + 4, args.end()));
  if (result == kNotApplicable)
    std::fprintf(stderr, "Operation %s does not apply to type %d.\n", args[3].c_str(), type);
  return result;
}

const ZdCommandRegistrar kDriver({"driver", "PORTNAME --type T OPERATION [ARGS]", &RunDriver});

}  // namespace
