#pragma once
// The base of the maker's newer instruments: an identity read from an "@ID@" reply that may
// come after an acknowledgement, identity operations that identify on demand, and parameter
// and battery operations that the instruments' own classes answer.

#include <memory>
#include <string>

#include "device/JvDevice.h"

namespace Device {

class CLiveDevice : public CJvDevice {
 public:
  // The battery states of GetBatteryState.
  enum : int { kBatteryError = 0, kBatteryDischarging = 1, kBatteryCharging = 2, kBatteryFull = 3 };
  static constexpr int kParameterTextSize = 50;

  bool Identify(SDeviceIdent& ident) override;
  CString GetInfoText() override;
  const CString& GetSerialNumber() override;
  bool FillFirmwareList(CContents& contents) override;
  bool QueryId(SDeviceIdent& ident) override;
  // The whole signature; -1 when the instrument does not identify.
  int GetDeviceCode() override;
  // Cancels the pending input and output of the attached stream and closes it.
  void CancelTransfer() override;

  virtual CString GetFirmwareVersion();
  // The signature value; 0 when the instrument does not identify.
  virtual DWORD GetDeviceInfo(SDeviceInfo& info);
  // The base only keeps the parameter in its parameter text and answers false; the classes of
  // instruments that take a parameter send it.
  virtual bool SetTextParameterA(const CString& text);
  virtual bool SetTextParameterB(const CString& text);
  virtual bool GetBatteryState(int& state, CString& stateText, int values[3]);
  virtual bool SetByteParameterA(BYTE value);
  virtual bool SetByteParameterB(BYTE value);
  virtual bool SetFlagParameterA(bool on);
  virtual bool SetFlagParameterB(bool on);
  virtual bool SetIntParameter(int value);

  // "word a b c": the state word and three numbers. FULL, CHARGING and DISCHARGING in either
  // case are states 3, 2 and 1; any other word is state 0, "ERROR". True when all four came.
  static bool ParseBatteryText(const CString& text, int& state, CString& stateText, int values[3]);
  const char* GetParameterText() const { return m_parameterText; }

 protected:
  CLiveDevice(int type, const CString& displayName, int portMask, BYTE deviceCode);
  // Identifies when the signature is not known yet.
  bool EnsureIdentified();
  const SDeviceInfo& Info() const { return m_info; }
  DWORD SignatureValue() const { return m_signature; }
  void KeepParameterText(const CString& text);
  // The device-information object, as JSON text, over the instrument's other link; Identify
  // reads it when no stream is open. This program does not reach that link, so the base
  // answers false; a class that reaches it returns the object's text.
  virtual bool ReadDeviceInfoObject(std::string& json);

 private:
  bool ReadIdentity(const CString& reply, SDeviceIdent& ident);
  bool IdentifyFromInfoObject(SDeviceIdent& ident);
  // Hands the stored identity to the caller and reads the signature value; true when the
  // identity is complete and carries this class's device code.
  bool AcceptIdentity(SDeviceIdent& ident);

  SDeviceInfo m_info;
  DWORD m_signature = 0;
  CString m_infoText;
  // At most 49 characters and the terminating zero.
  char m_parameterText[kParameterTextSize] = {};
};

}  // namespace Device
