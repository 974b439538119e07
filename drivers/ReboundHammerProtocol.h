#pragma once
// What the rebound hammers and the Lumovet share: the six-field identity with the boot-loader
// version, long binary requests written raw, the mode change to mode 24 and the run-mode step
// of a firmware update. Each of the four classes keeps one of these and forwards to it.

#include "device/Contents.h"
#include "device/DeviceIdent.h"
#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

namespace Device {

class CCallback;
class CJvCommands;
class CJvDevice;
class CPackageHeader;
struct SBlockRecord;

// The identity kept by a rebound hammer or Lumovet.
struct SReboundHammerInfo : SDeviceInfo {
  CString bootloaderVersion;
};

class CReboundHammerProtocol {
 public:
  // The Lumovet's model words become its product names; it also reads the 129-byte block and
  // sends at most 31 payload bytes through the command layer (the hammers 46).
  explicit CReboundHammerProtocol(bool lumovet) : m_lumovet(lumovet) {}

  bool Identify(CJvCommands* commands, BYTE deviceCode, SDeviceIdent& ident);
  CString InfoText() const;
  void FillFirmwareList(CContents& contents) const;
  int BinaryRequest(CJvCommands* commands, BYTE code, int payloadLength, BYTE* buffer, int bufferSize,
                    int timeoutMs);
  bool EnterMode24(CJvCommands* commands);
  // The update step after a part: the mode change to the part's run mode and the key block.
  int SetRunMode(CJvDevice& device, CJvCommands* commands, CCallback* callback, const CPackageHeader& header,
                 const SBlockRecord& record);

  SReboundHammerInfo& Info() { return m_info; }

 private:
  int ReadBlock(CJvCommands* commands, BYTE* buffer, int bufferSize, int timeoutMs);
  int WriteRaw(CJvCommands* commands, BYTE code, int payloadLength, const BYTE* payload, int timeoutMs);

  bool m_lumovet;
  SReboundHammerInfo m_info;
};

}  // namespace Device
