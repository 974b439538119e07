#pragma once
// The base of every instrument class. A device object binds one instrument type to one
// attached transport stream and the command layer over it, and keeps the instrument's
// callback receiver, serial-port settings and login record.
//
// The order of the virtual operations is part of the interface: instrument classes elsewhere
// override them by place (slot 0 is the destructor), and add their own after slot 54. New
// operations therefore never go between existing ones.

#include <memory>

#include "device/Contents.h"
#include "device/DeviceIdent.h"
#include "device/DeviceLogin.h"
#include "device/DeviceTypes.h"
#include "device/streamio/IoStream.h"
#include "device/streamio/Rs232Stream.h"
#include "platform/base/String.h"

namespace Device {

class CCallback;
class CJvCommands;
class CPackageHeader;
struct SBlockRecord;

class CJvDevice {
 public:
  CJvDevice(int type, const CString& displayName, int portMask, BYTE deviceCode);
  CJvDevice(const CJvDevice&) = delete;
  CJvDevice& operator=(const CJvDevice&) = delete;

  // 0: deletes the attached stream and the command layer; the second stream and the callback
  // belong to others.
  virtual ~CJvDevice();
  // 1: a new, unattached object of the instrument's own class.
  virtual std::unique_ptr<CJvDevice> Create() const = 0;
  // 2: the user text of a firmware-update result code.
  virtual CString GetUpdateErrorText(int result);
  // 3: takes an open stream of port kind 1, 2 or 4 and puts a command layer over it; refuses
  // when something is attached already. On success the device takes the stream over (the
  // argument is left empty); on refusal the caller keeps it.
  virtual bool Attach(std::unique_ptr<StreamIO::CIoStream>& stream, int portKind);
  // 4: hands the attached stream back (empty when none) and drops the command layer.
  virtual std::unique_ptr<StreamIO::CIoStream> Detach();
  // 5
  virtual StreamIO::CIoStream* GetStream();
  // 6: only called with a stream attached.
  virtual CString GetPortName();
  // 7
  virtual int GetPortKind();
  // 8: the update package of an update job; not owned.
  virtual bool AttachSecondStream(StreamIO::CIoStream* stream);
  // 9
  virtual StreamIO::CIoStream* DetachSecondStream();
  // 10: refuses a second callback and a null one.
  virtual bool SetCallback(CCallback* callback);
  // 11
  virtual CCallback* DetachCallback();
  // 12: the largest transfer block of update data.
  virtual int GetMaxBlockSize();
  // 13: check appended to update blocks: 1 CRC-16, 2 inverted CRC-32.
  virtual int GetBlockCheckKind();
  // 14
  virtual StreamIO::SRs232Settings* GetSerialSettings();
  // 15: instruments without remote login report so in the kept record, which is copied out.
  virtual bool RemoteLogin(SDeviceLogin& login);
  // 16
  virtual bool RemoteLogout();
  // 17
  virtual bool SetModeTimeout(bool on, int milliseconds);
  // 18
  virtual bool SendFixedModeRequest();
  // 19: the instrument's listing, unparsed.
  virtual bool ListDirectory(WORD argument, CString& listing);
  // 20
  virtual bool LoadDeviceFile(StreamIO::CIoStream* target, const CString& path);
  // 21
  virtual bool RequestDeviceFile(const CString& path, StreamIO::CIoStream* target);
  // 22
  virtual bool SaveDeviceFile(const CString& path, StreamIO::CIoStream* source);
  // 23
  virtual bool CreateEmptyDeviceFile(const CString& path);
  // 24
  virtual bool RenameDeviceFile(const CString& oldPath, const CString& newPath);
  // 25
  virtual bool DeleteDeviceFile(const CString& path);
  // 26: resynchronises the link and changes the instrument to mode 12.
  virtual bool EnterMode12();
  // 27: true when the attached instrument answered as one of this class and the three
  // identity texts were filled.
  virtual bool Identify(SDeviceIdent& ident) = 0;
  // 28: the multi-line information text of the connected instrument.
  virtual CString GetInfoText() = 0;
  // 29: "key=value" pairs joined by "&", each value percent-encoded for a web form.
  virtual CString GetDeviceInfoPairs();
  // 30: true when the instrument needs the cloud sign-in before an update.
  virtual bool QueryLoginCapability();
  // 31: sets or clears the cloud sign-in flag of the kept login record.
  virtual void SetLoginCapabilityFlag(bool on);
  // 32: the kept serial-number text of the identified instrument.
  virtual const CString& GetSerialNumber() = 0;
  // 33: the instrument's firmware contents with their versions.
  virtual bool FillFirmwareList(CContents& contents) = 0;
  // 34: the "ID" query of the text channel.
  virtual bool QueryId(SDeviceIdent& ident);
  // 35: the code the instrument reports for itself, -1 when it does not; 0 unattached.
  virtual int GetDeviceCode();
  // 36: sets the command layer's echo mode without asking the instrument.
  virtual bool SetTextMode(bool on);
  // 37
  virtual bool ReadSnapshot(BYTE* buffer, int& size, WORD& status);
  // 38: reply length, 0 or -1; a negative time-out means 1000 ms.
  virtual int TextQuery(const CString& command, char* reply, int replySize, int timeoutMs);
  // 39: a negative time-out means 2000 ms.
  virtual int RequestWithProgress(BYTE code, BYTE* buffer, int payloadLength, int& count, int bufferSize,
                                  int timeoutMs, int budgetMs);
  // 40, 41
  virtual void SetUpdateFlag(bool on);
  virtual bool GetUpdateFlag();
  // 42: the instrument's status, the data count, or 250, 252, 254; 252 when nothing is
  // attached or the buffer is missing. A negative time-out means 1000 ms.
  virtual int BinaryRequest(BYTE code, int payloadLength, BYTE* buffer, int bufferSize, int timeoutMs);
  // 43
  virtual bool QueryCapability();
  // 44: checks an update package against the instrument before the update is offered, with
  // the package's content list; an update result code, 1 where the class has no check.
  virtual int UpdatePrepare(const CContents& contents, const CPackageHeader& header);
  // 45: kinds 1 and 12 identify (twice at most); kind 2 sets 70000 and fails; others pass.
  virtual bool CheckConnection(SDeviceIdent& ident, int kind, int& value);
  // 46 to 53: the steps of a firmware update, each returning an update result code.
  virtual int UpdateSeek(const SBlockRecord& record);
  virtual int UpdateCheckDevice(const CPackageHeader& header);
  virtual int UpdateInit(const CPackageHeader& header);
  virtual int UpdateSetMode(const CPackageHeader& header, const SBlockRecord& record);
  virtual int UpdateWriteData(const SBlockRecord& record);
  virtual int UpdateWriteDataBlock(const SBlockRecord& record);
  virtual int UpdateSetRunMode(const CPackageHeader& header, const SBlockRecord& record);
  virtual int UpdateFinish();
  // 54
  virtual void CancelTransfer();

  // The record of the last remote login, as the cloud sign-in flag has left it.
  const SDeviceLogin& GetLogin() const { return m_login; }
  int GetType() const { return m_type; }
  int GetPortMask() const { return m_portMask; }
  const CString& GetDisplayName() const { return m_displayName; }
  BYTE GetExpectedDeviceCode() const { return m_deviceCode; }
  void SetStepSuffix(const CString& suffix) { m_stepSuffix = suffix; }
  const CString& GetStepSuffix() const { return m_stepSuffix; }
  bool IsBlockWritten() const { return m_blockWritten; }
  void SetBlockWritten(bool written) { m_blockWritten = written; }

 protected:
  // Classes with a remote login of their own keep its result here, as the base login does.
  void KeepLogin(const SDeviceLogin& login) { m_login = login; }
  CJvCommands* Commands() { return m_commands.get(); }
  CCallback* Callback() { return m_callback; }
  StreamIO::CIoStream* SecondStream() { return m_secondStream; }
  // The status line of an update step: the text followed by the step suffix.
  void ReportStep(UINT stringId);
  // The operation-mode step that sends nothing, shared by instrument classes whose firmware
  // switches its mode by itself.
  int UpdateSetModeWithoutRequest();
  // The data step that sends a package entry as S-records.
  int UpdateWriteDataAsSRecords(const SBlockRecord& record);
  // The same for the live probes, whose Bluetooth-module entries go as service records.
  int UpdateWriteProbeData(const SBlockRecord& record);
  // The programming step of a part whose mode after it asks for it: the timed request, with
  // the second duration query where the instrument announces two.
  int UpdateTimedBlock(const SBlockRecord& record, bool askSecondDuration);
  // Deletes the attached stream and the command layer, as after an instrument restarts; a
  // running job's cancel no longer reaches the stream. A new stream may be attached later.
  void DropConnection();

  StreamIO::SRs232Settings m_serialSettings;

 private:
  // Reads the entry's header from the package: the payload's size, or -1 for a short header or
  // one whose length does not fit the entry. `statedPayload` gets the payload length the header
  // gives.
  int ReadEntryHeader(const SBlockRecord& record, DWORD& statedPayload);
  // Sends the entry's `count` payload bytes, as service records or as S-records.
  int UpdateWriteRecords(int count, bool serviceRecords);

  StreamIO::CIoStream* m_secondStream = nullptr;
  std::unique_ptr<StreamIO::CIoStream> m_stream;
  int m_portKind = ePortNone;
  CCallback* m_callback = nullptr;
  std::unique_ptr<CJvCommands> m_commands;
  SDeviceLogin m_login;
  bool m_blockWritten = false;
  bool m_updateFlag = false;
  bool m_utf8Names = false;
  CString m_stepSuffix;
  int m_type;
  int m_portMask;
  CString m_displayName;
  BYTE m_deviceCode;
};

}  // namespace Device
