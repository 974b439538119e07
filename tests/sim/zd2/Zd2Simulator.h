#pragma once
// The simulated ZD-2: the instrument's side of its link as a session of a Sim::CPeer. It keeps
// the stored tests, the information memory with its three segments and the two stored copies
// of a calibration, the identity and the answers of the "@" queries, and answers the text
// channel, the binary mode requests, the raw calibration and delete commands, the service
// strings, the debug protocol and the download.
//
// The information memory (0x1000 to 0x10BF) holds in segment 1 the validity identifier, the
// calibration date, the step force, the twenty slopes and the calibrator, in segment 3 the
// lifetime and calibration counters and the twenty offsets; segment 2 is unused. The factory
// and last-used copies are kept outside it, each an image of the whole memory of which only
// segment 1 and the offsets count: the counters are never copied.
//
//   Sim::CPeer peer(std::make_unique<Sim::CSocketLink>("127.0.0.21", 3728));
//   Sim::CZd2Simulator zd2;
//   zd2.SetRecords(records);
//   peer.Start([&](Sim::CPeer& p) { zd2.Run(p); });
//
// Settings and faults may be changed from the test's thread while the session runs.

#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"
#include "tests/sim/zd2/Zd2LiveModel.h"

namespace Sim {

class CPeer;

class CZd2Simulator {
 public:
  static constexpr int kRecordSize = 238;
  static constexpr WORD kInfoStart = 0x1000;
  static constexpr int kInfoSize = 0xC0;
  static constexpr int kSegmentSize = 64;
  static constexpr WORD kCountersStart = 0x1080;
  static constexpr WORD kOffsetsStart = 0x1088;
  static constexpr int kOffsetsSize = 40;

  // A valid calibration of the model of `serial`: step force = load limit / 20, slopes 1.0,
  // offsets 0, a date, a calibrator and counters; the answers of "@CD@", "@CI@", "@CA@" and
  // "@CB@" that the simulator gave before it read them from the memory.
  static std::vector<BYTE> DefaultInfoMemory(const std::string& serial);

  enum class EDownloadFault {
    eNone,
    eBadCrc,         // the check of record `faultRecord` (from 1) is wrong
    eHeaderCut,      // only three header bytes go out
    eStall,          // the data stops for `stallMs` halfway through
    eSilence,        // the download command gets no answer at all
    eDisconnect,     // the link hangs up halfway through the data
    eBadCheckSize,   // the header announces checks of 3 bytes
    eZeroSize,       // the header announces records but no data
    eCountMismatch,  // the header announces one record more than the data holds
    // The first `faultRecord` bytes of the answer go out; a moment later the link hangs up.
    eDisconnectAfter,
  };

  CZd2Simulator();

  // Stored tests: raw records of kRecordSize bytes, back to back.
  void SetRecords(std::vector<BYTE> records);
  bool LoadRecordFile(const std::string& path);
  int RecordCount() const;
  // The "@ID@" answer: name;hardware revision;serial;signature;version. Until the memory or a
  // copy is set, both copies and the memory follow the serial's model.
  void SetIdentity(const std::string& identity);
  // Answers of the "@" queries by query text ("@EN@" and so on); "@CA@", "@CB@", "@CD@" and
  // "@CI@" come from the information memory unless set here.
  void SetQueryAnswer(const std::string& query, const std::string& answer);
  // Only the service identity answers, as in the instrument's service mode.
  void SetServiceModeOnly(bool on);
  void SetDownloadFault(EDownloadFault fault, int faultRecord = 1, int stallMs = 3000);
  // The S-record `number` (from 1) of a firmware update is answered with 'F' instead of 'P';
  // 0 acknowledges all.
  void SetSRecordRefusal(int number);
  // Delete all is answered with two zero bytes instead of one; the records still go.
  void SetDeleteAllDoubleAnswer(bool on);
  // The S-records of firmware updates received so far, each with its line end.
  std::vector<std::string> SRecords() const;
  // Every byte the instrument receives is also handed here as it comes (the program writes
  // its transcript file this way).
  void SetReceiveSink(std::function<void(const BYTE*, int)> sink);

  // Live frames: scaled frames per second of continuous mode (0: as fast as the link takes
  // them), the force model, the tests an operator starts, and two faults of the stream: the
  // link hangs up after `frames` frames (0: never); every `every`-th frame is damaged (0:
  // none), in turn by a non-hexadecimal digit, a lower-case digit and a missing digit.
  void SetFrameRate(int framesPerSecond);
  void SetForceModel(double gain, double offset, int noise, unsigned seed);
  void AddLiveTest(const CZd2LiveModel::SLiveTest& test);
  void SetLiveCut(int frames);
  void SetFrameNoise(int every);
  // Holds each operator's test in its start and at its peak until ReleaseHold, while the
  // frames go on (see CZd2LiveModel::SetHoldOperatorTests).
  void SetHoldOperatorTests(bool on);
  // See CZd2LiveModel::SetDriveStall.
  void SetDriveStall(int newtons);
  // The nominal-load command (debug "f") or START (debug "g" with 2) received for the
  // `occurrence`-th time (from 1, over all sessions) is refused: answered with 'f' and not
  // carried out, so the nominal load or the drive stays as it was. 0 carries out all.
  void SetNominalLoadRefusal(int occurrence);
  void SetStartRefusal(int occurrence);
  // The link hangs up for good as the `occurrence`-th nominal-load command arrives, so that
  // the client's next command fails to go out. 0: never.
  void SetHangupAtNominalLoad(int occurrence);
  // Each drive command (debug "g") is carried out `ms` (scaled) after it arrives; 0: at once.
  // Meanwhile no live frame goes out: the frames due show the drive as it was and go out
  // together just before the command takes effect, as from an instrument whose link a busy
  // machine holds up. A lag near the reader's silence limit cuts the link.
  void SetDriveLag(int ms);
  // Ramp speeds, nominal loads and STARTs (debug "i", "f", "g" with 2) that arrived while the
  // drive moved or a drive command was still to be carried out: what a program sends that takes
  // the drive for stopped too early.
  int CommandsWhileDriveBusy() const;
  // The force held at a test's peak; -1 when no test holds there.
  int HeldPeak() const;
  void ReleaseHold();
  // Frames sent so far, damaged ones included.
  int FramesSent() const;
  int DriveState() const;

  // A write of the information-memory byte at `address` is refused with 'f'; a sticky one is
  // acknowledged but the byte keeps its old value.
  void SetRefusedWrite(WORD address);
  void SetStickyByte(WORD address);
  std::vector<BYTE> InfoMemory() const;
  void SetInfoMemory(WORD address, const std::vector<BYTE>& bytes);
  // Images of kInfoSize bytes; an empty one stands for no copy (every byte erased).
  void SetFactoryCopy(std::vector<BYTE> image);
  void SetLastUsedCopy(std::vector<BYTE> image);
  std::vector<BYTE> FactoryCopy() const;
  std::vector<BYTE> LastUsedCopy() const;
  // The erase of information-memory segment `segment` (1 to 3) is answered with 'f'.
  void SetRefusedErase(int segment);
  // Overwriting either copy is answered with 'f'.
  void SetOverwriteRefused(bool on);
  // The raw calibration commands (C4 C1 xx) get no answer.
  void SetRawSilence(bool on);
  // Each time the cal-usage flag comes on (debug command "u" with 1 after anything else), the
  // lifetime counter (the 32-bit word at 0x1080) grows by one.
  void SetLifetimeBump(bool on);
  bool InDebugProtocol() const;

  // The session: answers until the peer stops.
  void Run(CPeer& peer);

 private:
  bool Next(CPeer& peer, BYTE& byte);
  // Moves the model on and sends the frames that are due; returns how long the next receive
  // may wait (scaled ms).
  int Stream(CPeer& peer);
  // Moves the model on to the scaled time, never back.
  void AdvanceModelTo(double ms, bool streaming);
  // Scaled ms from one frame of the stream to the next.
  double FrameIntervalMs() const;
  // The scaled time at which the schedule owes the stream's frame (counted from 1).
  double FrameDueMs(long long frame) const;
  std::string DamageFrame(std::string frame);
  std::string ModelAnswer(const std::string& command) const;
  void OnTextChannel(CPeer& peer);
  void OnFrame(CPeer& peer, BYTE header);
  void OnRaw(CPeer& peer, BYTE first, BYTE second);
  void OnServiceString(CPeer& peer);
  void OnDebugChar(CPeer& peer, BYTE ch);
  // Carries out the drive command now or, with a lag, when it is due.
  void CommandDrive(int state);
  // Carries out the drive commands due by the scaled time, each after the frames held back
  // until then.
  void CarryOutDueDriveCommands(double ms, std::string& bytes);
  void RunDebugCommand(CPeer& peer, const std::string& argument, char letter);
  void SendDownload(CPeer& peer);
  std::string TextAnswer(const std::string& command);
  char CalibrationCommand(BYTE command);
  std::string MemoryAnswer(const std::string& command) const;
  void ResetToModel();
  BYTE* InfoAt(WORD address);
  // Adds one to the little-endian lifetime counter at 0x1080.
  void BumpLifetimeCounter();

  mutable std::mutex m_mutex;
  std::vector<BYTE> m_records;
  std::string m_identity;
  std::map<std::string, std::string> m_answers;
  bool m_serviceModeOnly = false;
  bool m_deleteAllDoubleAnswer = false;
  EDownloadFault m_fault = EDownloadFault::eNone;
  int m_faultRecord = 1;
  int m_stallMs = 3000;
  std::function<void(const BYTE*, int)> m_sink;
  std::vector<BYTE> m_info;
  std::vector<BYTE> m_factoryCopy;
  std::vector<BYTE> m_lastUsedCopy;
  // The memory and the copies were set; a new identity leaves them alone.
  bool m_infoChosen = false;
  std::set<WORD> m_refusedWrites;
  std::set<int> m_refusedErases;
  bool m_overwriteRefused = false;
  bool m_rawSilence = false;
  bool m_lifetimeBump = false;
  int m_refusedNominalLoad = 0;
  int m_nominalLoadCommands = 0;
  int m_hangupAtNominalLoad = 0;
  int m_refusedStart = 0;
  int m_startCommands = 0;
  struct SDriveCommand {
    int state;
    double dueMs;
  };
  int m_driveLagMs = 0;
  std::deque<SDriveCommand> m_pendingDrive;
  std::string m_heldFrames;
  int m_commandsWhileDriveBusy = 0;
  std::set<WORD> m_stickyBytes;
  std::vector<std::string> m_sRecords;
  int m_refusedSRecord = 0;
  bool m_debug = false;
  bool m_continuous = false;
  WORD m_address = 0;
  std::string m_debugArgument;
  std::map<char, int> m_debugValues;

  CZd2LiveModel m_model;
  int m_frameRate = 100;
  int m_liveCut = 0;
  int m_frameNoise = 0;
  int m_framesSent = 0;
  int m_damaged = 0;
  bool m_streaming = false;
  double m_lastAdvanceMs = -1;
  double m_streamStartMs = 0;
  long long m_streamFrames = 0;
  double m_ignoreUntilMs = 0;  // input is ignored while the instrument restarts
  int m_unit = 1;
  int m_area = 1963;
};

}  // namespace Sim
