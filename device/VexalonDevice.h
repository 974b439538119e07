#pragma once
// The ZD-2 pull-off tester, type 9. Besides the device base's operations it asks the
// instrument's "@" queries, sends its raw calibration and delete commands and service strings,
// drives its debug protocol (short ASCII commands of a hexadecimal argument and one letter that
// read and write the information memory and move the drive) and downloads the stored tests.
//
// The instrument stays in the debug protocol between debug operations; every binary or text
// operation and the download leave it first, and destroying an attached device leaves it with
// a restart.

#include <memory>

#include "device/JvDevice.h"
#include "platform/base/String.h"

namespace Device {

class CVexalonDevice : public CJvDevice {
 public:
  // The drive states that SetDriveState sets and the live frames report.
  static constexpr int kDriveStop = 0;
  static constexpr int kDriveBack = 1;
  static constexpr int kDriveStart = 2;
  static constexpr int kDriveRamping = 3;

  // One entry of the calibration parameter table: the parameter's name (compared without
  // regard to case), where its word lies in the information memory, the word (0xFFFF until read
  // or set), its kind (1 calibration value, 2 counter word, 3 validity identifier) and the
  // information-memory segment that holds it.
  struct SParams {
    CString name;
    WORD address = 0;
    WORD value = 0xFFFF;
    int kind = 0;
    int segment = 0;
  };

  static constexpr int kProtocolApplication = 8;
  static constexpr int kProtocolService = 3;

  CVexalonDevice();
  ~CVexalonDevice() override;

  std::unique_ptr<CJvDevice> Create() const override;
  bool Identify(SDeviceIdent& ident) override;
  CString GetInfoText() override;
  const CString& GetSerialNumber() override;
  bool FillFirmwareList(CContents& contents) override;
  bool QueryId(SDeviceIdent& ident) override;
  // The signature's value; its top byte is the device code.
  int GetDeviceCode() override;
  // The erase step of a firmware update.
  int UpdateInit(const CPackageHeader& header) override;
  int UpdateSetMode(const CPackageHeader& header, const SBlockRecord& record) override;
  int UpdateWriteData(const SBlockRecord& record) override;
  int UpdateWriteDataBlock(const SBlockRecord& record) override;
  int UpdateSetRunMode(const CPackageHeader& header, const SBlockRecord& record) override;
  // The calibration check after an update.
  int UpdateFinish() override;

  // 55
  virtual void GetDeviceInfo(SDeviceInfo& info);
  // 56: the identity the instrument gives in service mode.
  virtual bool ReadServiceIdentity(CString& answer);

  // Text queries: the answer, or "UNDEF" and false.
  bool QueryEN(CString& text);
  bool QueryCD(CString& text);
  bool QueryCI(CString& text);
  // "@CB@", or "@CA@" when asked; eight hexadecimal characters, first pair least significant.
  bool QueryCalibrationWord(bool askCA, DWORD& value);
  // Volts; 0 on failure.
  double ReadBatteryVoltage();
  // The drive state (GetDriveStateName); -1 on failure.
  int ReadDriveState();
  // 0 on failure.
  WORD QueryDA();
  WORD QueryMF();
  WORD QueryRA();
  // 0 to 15; -1 on failure.
  int QueryUU();
  // A query answered by exactly `digits` (1, 2, 4 or 8) hexadecimal characters, pairs least
  // significant first.
  bool QueryHex(const char* query, int digits, DWORD& value);

  bool IsCalibrationValid();
  bool IsFactoryCalibrationValid();
  bool IsLastUsedCalibrationValid();
  // 0 done, 2 no valid calibration to restore, 1 other failure; repeated while not 0.
  int RestoreFactoryCalibration(int attempts);
  int RestoreLastUsedCalibration(int attempts);
  // Repeated until one succeeds.
  bool OverwriteFactoryCalibration(int attempts);
  bool OverwriteLastUsedCalibration(int attempts);
  bool DeleteAllMeasurements();
  bool EnterMode6();

  // Debug protocol.
  bool EnterDebugProtocol();
  bool LeaveDebugProtocol(bool restart, bool force);
  bool ReadMemoryWord(WORD address, WORD& value);
  bool WriteMemory(WORD address, const BYTE* bytes, int count);
  // Segment 1, 2 or 3 of the information memory, up to three attempts.
  bool EraseInfoSegment(int segment);
  bool EraseSegment(WORD address);
  bool WriteCalibrationDate(const CString& text);
  bool WriteCalibratorId(const CString& text);
  bool SetDriveState(int state);
  bool SetRampSpeed(int newtonsPerSecond);
  bool SetNominalLoad(int newtons);
  bool SetUFlag(bool on);
  bool SetZFlag(bool on);
  bool SetContinuousMode(bool on);
  bool SetReadAddresses();
  bool SetMemoryAddress(WORD address);
  bool WriteMemoryByte(WORD address, BYTE value);

  // All stored tests into `buffer`: on entry `size` is its capacity; on success it becomes
  // count × record size and `count` the number of records. Returns a download result code
  // (GetDownloadErrorText).
  int DownloadMeasurements(BYTE* buffer, int& size, int& count);

  int GetProtocolState() const { return m_protocolState; }
  bool IsInDebugProtocol() const { return m_remote; }

 private:
  // The "@" text queries: the answer's length, 0 or -1.
  int Query(const char* query, char* answer, int answerSize);
  bool QueryText(const char* query, CString& text);
  // Leaves the debug protocol, purges and writes the bytes one by one; then, after a pause,
  // the one answer byte (0 when none came).
  bool SendRawCommand(const BYTE* bytes, int count, BYTE& answer);
  char CalibrationCommand(BYTE command);
  int RestoreCalibration(BYTE command, int attempts);
  bool OverwriteCalibration(BYTE command, int attempts);
  bool ModeRequest(BYTE mode);
  // Writes one debug-protocol command and pauses; false when the write raised.
  bool SendDebugCommand(const CString& command, int pauseMs);
  bool SendDebugValue(WORD value, char letter);
  bool ParseIdentity(const CString& answer, SDeviceIdent& ident);
  int ReceiveDownloadData(BYTE* data, int total);

  SDeviceInfo m_info;
  CString m_infoText;
  int m_protocolState = 0;
  bool m_remote = false;
};

// Two hexadecimal characters (the first the high half, either letter case) as a byte; -1 when
// either is not a hexadecimal digit.
int HexPairToByte(char high, char low);
// True for the tag letters 'a' to 'd' of a live frame.
bool IsLiveValueTag(char ch);
// "STOP", "BACK", "START", "RAMPING", "FIXED SPEED", "HOLD FORCE", else "Unknown".
const char16_t* GetDriveStateName(int state);
// The result codes of CVexalonDevice::DownloadMeasurements; 5 is never produced.
enum EDownloadResult : int {
  kDownloadOk = 0,
  kDownloadLeaveFailed = 1,
  kDownloadHeaderShort = 2,
  kDownloadBadCheckSize = 3,
  kDownloadBufferTooSmall = 4,
  kDownloadNoData = 6,
  kDownloadTimeout = 7,
  kDownloadIncomplete = 8,
  kDownloadMismatch = 9,
  kDownloadBadCrc = 10,
  kDownloadException = 11,
};

// The text of a download result code.
const char16_t* GetDownloadErrorText(int code);

}  // namespace Device
