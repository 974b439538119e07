#pragma once
// The operations of zdtool driver that belong to the Bluetooth live probes (types 17, 20 and
// 21), by their names:
//   GetDeviceInfo                  device_name= app_version= serial_number= hw_rev= signature=
//                                  module_name= module_app_version= module_serial= module_hw_rev=
//   ReadStatusBit | ReadHexId (text=) | ReadSerialDate (text=)
//   ReadParameterSet               values=V17,V18,V19,V20 version=a.b.c.d block=HEX
//   ReadCoVersion 0|1              version= block=      (the argument forces a fresh read)
//   ReadWords33 | ReadWords34      values=a,b,c
//   WriteCorrectionA A B C
//   WriteDeviceIdentity SERIAL HARDWARE DATE | WriteModuleIdentity SERIAL HARDWARE
//   WriteHardwareRevision T | WriteSerialDate T | WriteModuleHardwareRevision T
//   SetObeMode 0|1 | SetOtmMode 0|1 | SetOpmMode 0|1
//   ResetZedo AFTERLINKLOSS(0|1) MS
//   SendRawText TEXT               text=
//   SendRawBytes HEX               result=COUNT reply=
//   ReadFrame SIZE MS              result=COUNT or status, reply=
//   ModuleQuery COMMAND TRIES      text=
// (QueryBootloaderIdentity is one of the common operations.) Each returns 2 when it does not
// apply to the device's class or its arguments are wrong.

#include "tests/tools/InstrumentOperations.h"

const std::map<std::string, InstrumentOperation>& ProbeOperations();
