#include "tests/tools/InstrumentOperations.h"

#include <algorithm>
#include <cstdio>

#include "drivers/ArmiSmartDevice.h"
#include "drivers/Calvera2Device.h"
#include "drivers/UsMcDevice.h"
#include "tests/tools/DeviceConnection.h"
#include "tests/tools/DriverArguments.h"
#include "tests/tools/EscapedText.h"
#include "tests/tools/Zd2Connection.h"

namespace {

using Args = std::vector<std::string>;

using Armivue = Device::CArmiSmartDevice;
using Array = Device::CUsMcDevice;
using Live = Device::CLiveDevice;
using Calvera = Device::CCalvera2Device;

int ReadDataReport(Calvera& calvera, const Args& args) {
  int timeoutMs = 500;
  if (!args.empty() && (args.size() > 1 || !ParseTypeNumber(args[0], timeoutMs))) return kNotApplicable;
  BYTE report[Calvera::kReportSize] = {};
  int status = 0;
  const bool result = calvera.ReadDataReport(report, status, timeoutMs);
  PrintBool("result", result);
  std::printf("report=%s\nstatus=%d\n", HexBytes(report, result ? Calvera::kReportSize : 0).c_str(), status);
  return 0;
}

int SendCommand(Array& array, const Args& args) {
  std::vector<BYTE> request;
  bool expect = false;
  int bufferSize = 0;
  int timeoutMs = 0;
  if (!ParseHexBytes(args[0], request, false) || !ParseFlag(args[1], expect) ||
      !ParseTypeNumber(args[2], bufferSize) || !ParseTypeNumber(args[3], timeoutMs))
    return kNotApplicable;
  std::vector<BYTE> buffer(std::max(request.size(), size_t(bufferSize)), 0);
  std::copy(request.begin(), request.end(), buffer.begin());
  int replyLength = 0;
  PrintBool("result", array.SendCommand(buffer.data(), int(request.size()), replyLength, expect, bufferSize,
                                        timeoutMs));
  std::printf("reply_length=%d\nreply=%s\n", replyLength, HexBytes(buffer.data(), replyLength).c_str());
  return 0;
}

}  // namespace

const std::map<std::string, InstrumentOperation>& InstrumentOperations() {
  static const std::map<std::string, InstrumentOperation> operations = {
      {"SetBaudRate", OperationOn<Armivue>(1,
                                           [](Armivue& d, const Args& a) {
                                             int baud = 0;
                                             if (!ParseTypeNumber(a[0], baud)) return kNotApplicable;
                                             PrintBool("result", d.SetBaudRate(baud));
                                             return 0;
                                           })},
      {"ReadText51", OperationOn<Armivue>(0,
                                          [](Armivue& d, const Args&) {
                                            CString text;
                                            PrintBool("result", d.ReadText51(text));
                                            std::printf("text=%s\n", EscapedText(text).c_str());
                                            return 0;
                                          })},
      {"WriteTextPair", OperationOn<Armivue>(2,
                                             [](Armivue& d, const Args& a) {
                                               PrintBool("result", d.WriteTextPair(CString::FromUtf8(a[0]),
                                                                                   CString::FromUtf8(a[1])));
                                               return 0;
                                             })},
      {"WriteSwitch", OperationOn<Armivue>(1,
                                           [](Armivue& d, const Args& a) {
                                             bool on = false;
                                             if (!ParseFlag(a[0], on)) return kNotApplicable;
                                             PrintBool("result", d.WriteSwitch(on));
                                             return 0;
                                           })},
      {"ReadCode19", OperationOn<Armivue>(0,
                                          [](Armivue& d, const Args&) {
                                            std::printf("result=%u\n", unsigned(d.ReadCode19()));
                                            return 0;
                                          })},
      {"QueryCode6", OperationOn<Armivue>(0,
                                          [](Armivue& d, const Args&) {
                                            PrintBool("result", d.QueryCode6());
                                            return 0;
                                          })},
      {"StartAndWait", OperationOn<Armivue>(0,
                                            [](Armivue& d, const Args&) {
                                              PrintBool("result", d.StartAndWait());
                                              return 0;
                                            })},
      {"ReadDebugBlock",
       OperationOn<Armivue>(0,
                            [](Armivue& d, const Args&) {
                              BYTE block[Armivue::kDebugBlockSize] = {};
                              PrintBool("result", d.ReadDebugBlock(block));
                              std::printf("block=%s\n", HexBytes(block, Armivue::kDebugBlockSize).c_str());
                              return 0;
                            })},
      {"ReadDebugSequence", OperationOn<Armivue>(0,
                                                 [](Armivue& d, const Args&) {
                                                   CString text;
                                                   PrintBool("result", d.ReadDebugSequence(text));
                                                   std::printf("text=%s\n", EscapedText(text).c_str());
                                                   return 0;
                                                 })},
      {"EnterBootloaderState1", OperationOn<Armivue>(0,
                                                     [](Armivue& d, const Args&) {
                                                       PrintBool("result", d.EnterBootloaderState1());
                                                       return 0;
                                                     })},
      {"EnterBootloaderState2", OperationOn<Armivue>(0,
                                                     [](Armivue& d, const Args&) {
                                                       PrintBool("result", d.EnterBootloaderState2());
                                                       return 0;
                                                     })},
      {"ReadDataReport",
       [](Device::CJvDevice& device, const Args& args) {
         auto* calvera = dynamic_cast<Calvera*>(&device);
         return calvera ? ReadDataReport(*calvera, args) : kNotApplicable;
       }},
      {"GetPackedSerial", OperationOn<Calvera>(0,
                                               [](Calvera& d, const Args&) {
                                                 BYTE packed[Calvera::kPackedSerialSize] = {};
                                                 PrintBool("result", d.GetPackedSerial(packed));
                                                 std::printf(
                                                     "packed=%s\n",
                                                     HexBytes(packed, Calvera::kPackedSerialSize).c_str());
                                                 return 0;
                                               })},
      {"SendCommand", OperationOn<Array>(4, &SendCommand)},
      {"SendText14", OperationOn<Array>(1,
                                        [](Array& d, const Args& a) {
                                          PrintBool("result", d.SendText14(CString::FromUtf8(a[0])));
                                          return 0;
                                        })},
      {"SendText15", OperationOn<Array>(1,
                                        [](Array& d, const Args& a) {
                                          PrintBool("result", d.SendText15(CString::FromUtf8(a[0])));
                                          return 0;
                                        })},
      {"SendText16", OperationOn<Array>(1,
                                        [](Array& d, const Args& a) {
                                          PrintBool("result", d.SendText16(CString::FromUtf8(a[0])));
                                          return 0;
                                        })},
      {"ReadText17", OperationOn<Array>(0,
                                        [](Array& d, const Args&) {
                                          std::printf("result=%s\n", EscapedText(d.ReadText17()).c_str());
                                          return 0;
                                        })},
      {"SendCommand5", OperationOn<Array>(1,
                                          [](Array& d, const Args& a) {
                                            int value = 0;
                                            if (!ParseTypeNumber(a[0], value)) return kNotApplicable;
                                            BYTE status = 0;
                                            PrintBool("result", d.SendCommand5(BYTE(value), status));
                                            std::printf("status=%u\n", unsigned(status));
                                            return 0;
                                          })},
      {"GetBatteryState", OperationOn<Live>(0,
                                            [](Live& d, const Args&) {
                                              int state = 0;
                                              CString text;
                                              int values[3] = {0, 0, 0};
                                              PrintBool("result", d.GetBatteryState(state, text, values));
                                              std::printf("state=%d\nstate_text=%s\nvalues=%d,%d,%d\n", state,
                                                          EscapedText(text).c_str(), values[0], values[1],
                                                          values[2]);
                                              return 0;
                                            })},
      {"SetTextParameterA", OperationOn<Live>(1,
                                              [](Live& d, const Args& a) {
                                                PrintBool("result",
                                                          d.SetTextParameterA(CString::FromUtf8(a[0])));
                                                return 0;
                                              })},
      {"SetTextParameterB", OperationOn<Live>(1,
                                              [](Live& d, const Args& a) {
                                                PrintBool("result",
                                                          d.SetTextParameterB(CString::FromUtf8(a[0])));
                                                return 0;
                                              })},
      {"SetFlagParameterA", OperationOn<Live>(1,
                                              [](Live& d, const Args& a) {
                                                bool on = false;
                                                if (!ParseFlag(a[0], on)) return kNotApplicable;
                                                PrintBool("result", d.SetFlagParameterA(on));
                                                return 0;
                                              })},
      {"SetFlagParameterB", OperationOn<Live>(1,
                                              [](Live& d, const Args& a) {
                                                bool on = false;
                                                if (!ParseFlag(a[0], on)) return kNotApplicable;
                                                PrintBool("result", d.SetFlagParameterB(on));
                                                return 0;
                                              })},
      {"SetIntParameter", OperationOn<Live>(1,
                                            [](Live& d, const Args& a) {
                                              int value = 0;
                                              if (!ParseTypeNumber(a[0], value)) return kNotApplicable;
                                              PrintBool("result", d.SetIntParameter(value));
                                              return 0;
                                            })},
      {"GetFirmwareVersion", OperationOn<Live>(0,
                                               [](Live& d, const Args&) {
                                                 std::printf("result=%s\n",
                                                             EscapedText(d.GetFirmwareVersion()).c_str());
                                                 return 0;
                                               })},
  };
  return operations;
}
