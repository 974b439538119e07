#pragma once
// What the TestBox and the Sondrel Lab share: an application and a boot loader on one port,
// the boot loader with a state that "SC030202F8" turns to 2 and "SC030200FA" back to 0. The
// identity comes from the application's "@ID@" or, when only the boot loader answers, from its
// identity string; the firmware update switches to the boot loader, erases and programs it.
// Each of the two classes keeps one of these and forwards to it.

#include "device/Contents.h"
#include "device/DeviceIdent.h"
#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

namespace Device {

class CCallback;
class CJvCommands;
class CJvDevice;
struct SBlockRecord;

class CSwitchedBootLoader {
 public:
  static constexpr BYTE kApplicationMode = 8;
  static constexpr BYTE kBootLoaderMode = 3;
  static constexpr BYTE kStateOff = 0;
  static constexpr BYTE kStateTwo = 2;

  // `sixthField`: the identity carries a sixth field that is kept.
  explicit CSwitchedBootLoader(bool sixthField) : m_sixthField(sixthField) {}

  bool Identify(CJvCommands* commands, BYTE deviceCode, SDeviceIdent& ident);
  // The "ID" query; true moves to the application mode.
  bool QueryApplicationId(CJvCommands* commands, SDeviceIdent& ident);
  CString InfoText() const;
  void FillFirmwareList(CContents& contents) const;
  bool QueryBootloaderIdentity(CJvCommands* commands, CString& text);
  bool EnterBootloaderState(CJvCommands* commands);

  // Update steps; `switchRequest` is the request code that sends the application to its boot
  // loader and `eraseTimeoutMs` the time the erase may take.
  int Init(CJvDevice& device, CJvCommands* commands, CCallback* callback, BYTE switchRequest,
           int eraseTimeoutMs);
  int SwitchState(CJvCommands* commands, CCallback* callback, const CString& stepSuffix,
                  const SBlockRecord& record);
  // True when the boot loader left for the application.
  bool Leave(CJvCommands* commands);

  SDeviceInfo& Info() { return m_info; }
  const CString& SixthField() const { return m_sixth; }
  DWORD SignatureValue() const { return m_signatureValue; }
  BYTE Mode() const { return m_mode; }
  BYTE State() const { return m_state; }

 private:
  bool m_sixthField;
  SDeviceInfo m_info;
  CString m_sixth;
  DWORD m_signatureValue = 0;
  BYTE m_mode = kApplicationMode;
  BYTE m_state = kStateOff;
};

}  // namespace Device
