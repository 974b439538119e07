#pragma once
// What the Ohmira and the Tintara share: an application that answers "@ID@" and, behind it on
// the same port, a boot loader without states that answers its identity string after
// "SC030102F9". The firmware update switches to the boot loader, erases and programs it. Each
// of the two classes keeps one of these and forwards to it.

#include "device/Contents.h"
#include "device/DeviceIdent.h"
#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

namespace Device {

class CCallback;
class CJvCommands;
class CJvDevice;

class CPlainBootLoader {
 public:
  static constexpr BYTE kApplicationMode = 8;
  static constexpr BYTE kBootLoaderMode = 3;

  // `defaultSerial`: the serial number that stands for one the instrument reports as "-".
  explicit CPlainBootLoader(const char16_t* defaultSerial) : m_defaultSerial(defaultSerial) {}

  bool Identify(CJvCommands* commands, BYTE deviceCode, SDeviceIdent& ident);
  bool QueryApplicationId(CJvCommands* commands, SDeviceIdent& ident);
  CString InfoText() const;
  void FillFirmwareList(CContents& contents) const;
  bool QueryBootloaderIdentity(CJvCommands* commands, CString& text);

  // Update steps.
  int Init(CJvDevice& device, CJvCommands* commands, CCallback* callback);
  // True when the boot loader left for the application.
  bool Leave(CJvCommands* commands);

  SDeviceInfo& Info() { return m_info; }
  BYTE Mode() const { return m_mode; }

 private:
  CString m_defaultSerial;
  SDeviceInfo m_info;
  BYTE m_mode = kApplicationMode;
};

}  // namespace Device
