#pragma once
// The identity that the Durimo Live Leeb probe, the Hallek Live and the Durimo Live UCI probe
// share: five reply fields (name, hardware revision, serial number, signature, application
// version) and the data of their Bluetooth module. Each of the three classes keeps one of
// these and forwards to it.

#include "device/Contents.h"
#include "device/DeviceIdent.h"
#include "drivers/LiveProbeLink.h"
#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

namespace Device {

class CJvCommands;

// The identity kept by a live probe.
struct SLiveProbeInfo : SDeviceInfo {
  CString moduleName;
  CString moduleSerial;
  CString moduleVersion;
  CString moduleHardware;
};

class CLiveProbeIdentity {
 public:
  static constexpr BYTE kApplicationMode = 8;
  static constexpr BYTE kBootLoaderMode = 3;

  // `defaultSerial` stands in for a serial number the probe reports as empty.
  CLiveProbeIdentity(const char16_t* resetWord, const char16_t* defaultSerial)
      : m_link(resetWord), m_defaultSerial(defaultSerial) {}

  // The application's identity, or the boot loader's; a module that reports a lost link or
  // answers with a single character is reset and asked once more. Then the module's own
  // fields, which do not decide the answer.
  bool Identify(CJvCommands* commands, BYTE deviceCode, SDeviceIdent& ident);
  static bool QueryBootloaderIdentity(CJvCommands* commands, CString& text);
  // key=value pairs joined by "&", the values encoded for a web form.
  CString InfoPairs() const;
  // Writes the texts that differ from the stored ones after checking all of them; true when
  // the probe reports them afterwards.
  bool WriteDeviceIdentity(CJvCommands* commands, BYTE deviceCode, const CString& serial,
                           const CString& hardware, const CString& serialDate);
  bool WriteModuleIdentity(CJvCommands* commands, BYTE deviceCode, const CString& serial,
                           const CString& hardware);
  bool ReadSerialDate(CJvCommands* commands, CString& text);
  const CLiveProbeLink& Link() const { return m_link; }
  // From the stored record while name, version and serial are known, else the "ID" query.
  bool QueryStoredOrApplicationId(CJvCommands* commands, SDeviceIdent& ident);
  CString InfoText() const;
  void FillFirmwareList(CContents& contents) const;
  // The signature read as a number; -1 when it does not read.
  int SignatureCode() const;

  SLiveProbeInfo& Info() { return m_info; }
  BYTE Mode() const { return m_mode; }
  void SetMode(BYTE mode) { m_mode = mode; }

 private:
  bool QueryAgain(CJvCommands* commands, bool afterLinkLoss, CString& line);
  void ReadModuleFields(CJvCommands* commands);

  CLiveProbeLink m_link;
  const char16_t* m_defaultSerial;
  SLiveProbeInfo m_info;
  BYTE m_mode = kApplicationMode;
  bool m_moduleComplete = false;
};

}  // namespace Device
