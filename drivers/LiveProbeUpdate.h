#pragma once
// The update steps the three live probes share. A package with a Bluetooth-module entry
// programs the module: its boot mode is entered through the module's own words ("BBS", and on
// the Leeb probe a restart through "OBTRST"/"BMR"/"ORST") and the data goes as service
// records. Any other package programs the probe through its boot loader with S-records.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

namespace Device {

class CCallback;
class CJvCommands;
class CJvDevice;
class CLiveProbeIdentity;
class CPackageHeader;
struct SBlockRecord;

class CLiveProbeUpdate {
 public:
  // `leebProbe`: the Leeb probe's own module steps; `verifyAfterData`: "SV030000FC" follows the
  // data (Hallek Live).
  CLiveProbeUpdate(bool leebProbe, bool verifyAfterData)
      : m_leebProbe(leebProbe), m_verifyAfterData(verifyAfterData) {}

  static bool HasModuleEntry(const CPackageHeader& header);
  int Init(CJvDevice& device, CJvCommands* commands, CCallback* callback, CLiveProbeIdentity& identity,
           const CPackageHeader& header);
  // After the records of a part that holds S-records or service records (`recordsResult`) the
  // Hallek Live verifies what it received.
  int WriteData(CJvCommands* commands, const SBlockRecord& record, int recordsResult);
  int Exit(CJvCommands* commands, CLiveProbeIdentity& identity, const CPackageHeader& header);

 private:
  int InitModule(CJvCommands* commands, CLiveProbeIdentity& identity);
  int InitProbe(CJvDevice& device, CJvCommands* commands, CCallback* callback, CLiveProbeIdentity& identity,
                const CPackageHeader& header);

  bool m_leebProbe;
  bool m_verifyAfterData;
};

}  // namespace Device
