#pragma once
// The command layer that every device object puts over its stream: the instruments' framed
// binary requests (header byte 0xC0 + payload length, request code, payload; a status byte and
// data in reply, long replies with a check), mode changes, timed operations, block transfers
// and resynchronisation; the text channel introduced by DLE; the instrument file commands; and
// the record uploads of firmware and service data.
//
// Nothing here raises: the stream's file exceptions become false, 0, -1 or the result codes
// below. The layer borrows the stream and is used by one thread at a time; its only input from
// another thread is the abort test, which the device search installs so that an abort ends a
// chunked transfer between two chunks.

#include <string>
#include <vector>

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

struct SDeviceIdent;
struct SDeviceLogin;

namespace StreamIO {
class CIoStream;
}

namespace Device {

class CCallback;

// Results of binary requests besides the instrument's own statuses (0 and 240 to 255) and
// data counts, in the same number range.
enum : int {
  JV_CHECK_MISMATCH = 250,
  JV_IO_FAILURE = 252,
  JV_REQUEST_TOO_LONG = 254,
};

// Results of RequestWithProgress.
enum : int {
  JV_PROGRESS_OK = 0,
  JV_PROGRESS_BAD_ARGUMENTS = 1,
  JV_PROGRESS_IO_FAILURE = 6,
  JV_PROGRESS_TOO_LARGE = 12,
  JV_PROGRESS_CHECK_MISMATCH = 13,
};

// Check flags of block transfers.
enum : int {
  JV_CHECK_CRC16 = 0x1,
  JV_CHECK_CRC32 = 0x2,
};

class CJvCommands {
 public:
  // Polled between the chunks of a data transfer; true aborts it.
  using AbortTest = bool (*)(DWORD_PTR userData);

  // Answers from this value up are status codes, not data.
  static constexpr BYTE kFirstStatus = 240;
  // DLE: sent alone before a text line, which the instrument then reads as text.
  static constexpr BYTE kDle = 0x10;
  // The wait factor of the mode changes around a firmware update.
  static constexpr int kModeWaitFactor = 100;
  // How long a boot loader may take to erase the program memory.
  static constexpr int kEraseTimeoutMs = 15000;
  static constexpr int kMaxPayload = 47;
  static constexpr int kMaxShortPayload = 30;
  static constexpr int kReplyBufferSize = 1024;
  static constexpr int kMaxSaveLength = 0x500000;
  static constexpr int kMaxLoadLength = 0x8000000;
  static constexpr int kMaxMovePathLength = 256;
  static constexpr int kMaxRequestPathBytes = 512;

  // Borrows the stream; echo mode on, no abort test, ANSI file names.
  explicit CJvCommands(StreamIO::CIoStream* stream);
  virtual ~CJvCommands();
  CJvCommands(const CJvCommands&) = delete;
  CJvCommands& operator=(const CJvCommands&) = delete;

  StreamIO::CIoStream* GetStream() const { return m_pStream; }
  void SetAbortTest(AbortTest test, DWORD_PTR userData);
  bool IsAborted() const;
  void SetUtf8Names(bool on) { m_bUtf8Names = on; }

  // Binary requests. The payload is taken from `buffer`, which then receives the reply.
  // Returns the status (0, 240 to 255), the data count, or JV_CHECK_MISMATCH, JV_IO_FAILURE
  // (also for a reply larger than the buffer: what fits is stored, the rest is read off the
  // link and dropped) or JV_REQUEST_TOO_LONG.
  int Request(BYTE code, int payloadLength, BYTE* buffer, int bufferSize, int timeoutMs);
  // The same frame for long replies read in pieces, reporting the share received (mode 1).
  // `count` receives the bytes received (for JV_PROGRESS_TOO_LARGE the announced size); an
  // instrument status of 240 or more gives JV_PROGRESS_IO_FAILURE with the status in buffer[0].
  int RequestWithProgress(BYTE code, BYTE* buffer, int payloadLength, int& count, int bufferSize,
                          int timeoutMs, int budgetMs, CCallback* callback);
  // The short form for replies of a known length, with a 50 ms gap allowed between reply
  // bytes; the buffer must hold `replyLength` bytes. The number of bytes read, -1 on failure.
  int ShortRequest(BYTE code, int payloadLength, BYTE* buffer, int replyLength, int timeoutMs);
  // The instrument's 32-bit device code; -1 when the reply was not 4 bytes.
  int QueryDeviceCode();

  // Mode requests.
  bool SetModeTimeout(bool on, int milliseconds);
  bool SendFixedModeRequest();
  // Mode word: low 4 bits the mode, 0x10 the instrument restarts (the port is closed and
  // opened again), 0x20 with mode 1 no waiting. `switched` tells whether a switch was needed.
  bool ChangeMode(int modeWord, bool& switched, CCallback* callback, int waitFactor);
  bool RunTimedRequest(CCallback* callback, int progressMode, bool askSecondDuration);

  // Block transfers.
  bool WriteBlock128(const BYTE* block, int checkFlags);
  // Sends `totalSize` bytes of `source` in chunks of `chunkSize` (0: in one piece); returns the
  // size sent or 0.
  int WriteDataBlock(StreamIO::CIoStream* source, int totalSize, int checkFlags, int chunkSize,
                     CCallback* callback);
  bool Resync();
  // Read and write time-out for `bytes` at the stream's byte rate (16000 when unknown) times
  // `factor`, plus 200 ms, at least 4000 ms.
  bool SetTransferTimeout(int bytes, int factor);
  static WORD Checksum16(const BYTE* bytes, int count);

  // Text channel.
  // DLE, acknowledgement, command, CR; one reply line. True when a line came and holds no
  // "?"; the answer stays readable through GetReply even then.
  bool SendCommand(const CString& command, int timeoutMs);
  const char* GetReply() const { return m_reply; }
  // The same exchange into the caller's buffer: the answer's full length (the copy is cut to
  // size - 1), 0 or -1 on failure.
  int TextCommand(const CString& command, char* buffer, int size, int timeoutMs);
  int ReadLine(char* buffer, int size);
  // Without probe only sets the flag; with probe asks the instrument first and switches its
  // echo with "EC1" or "EC0" where needed.
  bool SetTextMode(bool on, bool probe);
  bool GetTextMode() const { return m_bEchoMode; }
  bool QueryId(SDeviceIdent& ident);
  bool QueryIdentity(CString& answer, int timeoutMs);
  bool QueryPower(CString& answer);
  bool LoginRemote(SDeviceLogin& login);
  bool LogoutRemote();
  bool ReadSnapshot(BYTE* buffer, int& size, WORD& status);
  bool ListDirectory(WORD argument, CString& listing);

  // Instrument file commands.
  virtual bool SaveDeviceFile(const CString& path, StreamIO::CIoStream* source);
  virtual bool CreateEmptyDeviceFile(const CString& path);
  virtual bool RenameDeviceFile(const CString& oldPath, const CString& newPath);
  virtual bool DeleteDeviceFile(const CString& path);
  bool LoadDeviceFile(StreamIO::CIoStream* target, const CString& path);
  bool RequestDeviceFile(const CString& path, StreamIO::CIoStream* target);

  // Record uploads.
  // Hexadecimal service records in checked packets; the text position reached, 0 on failure.
  int ServiceRecordDownload(StreamIO::CIoStream* source, int byteCount, CCallback* callback);
  // S-records, each acknowledged with "P"; the bytes of all acknowledged records.
  int SendSRecords(StreamIO::CIoStream* source, int byteCount, CCallback* callback);
  // Writes the bytes; with an expected echo other than 0 one byte must come back and match.
  bool SendWithEcho(const BYTE* bytes, int count, char echo);

 private:
  // The request byte of the mode queries and settings.
  static constexpr BYTE kModeRequest = 0xF4;
  // Binary requests.
  bool WriteFrame(BYTE code, const BYTE* payload, int payloadLength);
  bool WriteAll(const void* data, int count);
  bool ReadExactly(BYTE* buffer, int count);
  void Drain(int count);
  bool CheckMatches(int checkKind, const BYTE* data, int length, const BYTE* check) const;
  int ShortQuery(BYTE code, BYTE subCode, BYTE argument, BYTE* reply, int replyLength);
  // Block transfers.
  bool TrySendChunk(const BYTE* chunk, int length, int checkFlags);
  int WriteChunked(StreamIO::CIoStream* source, int totalSize, int checkFlags, int chunkSize,
                   CCallback* callback);
  int WriteWhole(StreamIO::CIoStream* source, int totalSize, int checkFlags, CCallback* callback);
  // Text channel.
  bool OpenTextExchange(int timeoutMs, bool pause);
  bool WriteText(const std::string& text);
  bool ReadLength(DWORD& length);
  bool CopyToStream(StreamIO::CIoStream* target, DWORD length);
  bool ReadFileAnswer();
  // Record uploads.
  bool ReadSource(StreamIO::CIoStream* source, int byteCount, std::string& text);
  bool SendPacket(const std::vector<BYTE>& packet);

  StreamIO::CIoStream* m_pStream = nullptr;
  char m_reply[kReplyBufferSize] = {};
  AbortTest m_abortTest = nullptr;
  DWORD_PTR m_abortUserData = 0;
  bool m_bEchoMode = true;
  std::vector<BYTE> m_blockBuffer;
  bool m_bUtf8Names = false;
};

// Reports progress to the callback when there is one and it asks for progress.
void ReportProgress(CCallback* callback, int percent, int mode, int expectedMs);

}  // namespace Device
