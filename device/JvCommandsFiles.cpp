// The instrument file commands of the command layer: save, create, rename, delete, load and
// request. File contents travel as a 4-byte little-endian length and the raw bytes.

#include <algorithm>

#include "device/JvCommands.h"
#include "device/streamio/IoStream.h"
#include "platform/base/ByteOrder.h"
#include "platform/base/FileException.h"

namespace Device {

namespace {

constexpr int kCopyPiece = 0x10000;

// The instrument reads "\" in its paths as an escape, so each one is sent doubled.
CString EscapePath(const CString& path) {
  CString escaped = path;
  escaped.Replace(u"\\", u"\\\\");
  return escaped;
}

CString QuotedCommand(const char16_t* verb, const CString& path) {
  CString command;
  command.Format(u"%s \"%s\"", verb, EscapePath(path));
  return command;
}

bool IsOpenStream(StreamIO::CIoStream* stream) { return stream && stream->IsOpen(); }

}  // namespace

bool CJvCommands::ReadFileAnswer() {
  BYTE answer[2] = {};
  return m_pStream->Read(answer, 2) >= 1 && (answer[0] == 'y' || answer[0] == 'Y');
}

bool CJvCommands::ReadLength(DWORD& length) {
  BYTE bytes[4];
  if (!ReadExactly(bytes, 4)) return false;
  length = GetLe32(bytes);
  return length >= 1 && length <= DWORD(kMaxLoadLength);
}

bool CJvCommands::CopyToStream(StreamIO::CIoStream* target, DWORD length) {
  std::vector<BYTE> piece(std::min<size_t>(length, kCopyPiece));
  while (length > 0) {
    const int count = int(std::min<DWORD>(length, DWORD(piece.size())));
    if (!ReadExactly(piece.data(), count) || target->Write(piece.data(), count) != count) return false;
    length -= DWORD(count);
  }
  return true;
}

bool CJvCommands::SaveDeviceFile(const CString& path, StreamIO::CIoStream* source) {
  if (!IsOpenStream(source) || path.IsEmpty()) return false;
  m_bEchoMode = false;
  try {
    // The contents are taken before the command goes out, so that a source that cannot be
    // sent never leaves the instrument waiting for a file.
    const int length = source->GetLength();
    if (length < 1 || length > kMaxSaveLength) return false;
    std::vector<BYTE> packet(4 + size_t(length));
    SetLe32(packet.data(), DWORD(length));
    if (source->CanSeek()) source->Seek(0, StreamIO::SEEK_FROM_START);
    if (source->Read(packet.data() + 4, length) != length) return false;

    if (!SendCommand(QuotedCommand(u"SAVE", path), 6000)) return false;
    SetTransferTimeout(length, 2);
    const bool saved = WriteAll(packet.data(), int(packet.size())) && ReadFileAnswer();
    m_pStream->SetTimeouts(4000, 4000);
    return saved;
  } catch (const CFileException&) {
    return false;
  }
}

bool CJvCommands::CreateEmptyDeviceFile(const CString& path) {
  if (path.IsEmpty()) return false;
  m_bEchoMode = false;
  try {
    if (!SendCommand(QuotedCommand(u"SAVE", path), 6000)) return false;
    m_pStream->SetTimeouts(6000, 6000);
    const BYTE empty[4] = {0, 0, 0, 0};
    return WriteAll(empty, 4) && ReadFileAnswer();
  } catch (const CFileException&) {
    return false;
  }
}

bool CJvCommands::RenameDeviceFile(const CString& oldPath, const CString& newPath) {
  auto fits = [](const CString& path) { return !path.IsEmpty() && path.GetLength() <= kMaxMovePathLength; };
  if (!fits(oldPath) || !fits(newPath)) return false;
  CString command;
  command.Format(u"MOVF \"%s\";\"%s\"", EscapePath(oldPath), EscapePath(newPath));
  return SendCommand(command, 10000);
}

bool CJvCommands::DeleteDeviceFile(const CString& path) {
  if (path.IsEmpty()) return false;
  m_bEchoMode = false;
  return SendCommand(QuotedCommand(u"DELF", path), 6000);
}

bool CJvCommands::LoadDeviceFile(StreamIO::CIoStream* target, const CString& path) {
  if (!IsOpenStream(target) || path.IsEmpty()) return false;
  std::string line;
  if (m_bUtf8Names) {
    line = "LOAD " + EscapePath(path).ToUtf8() + "\r";
    if (line.size() >= 512) return false;
  } else {
    line = "LOAD \"" + EscapePath(path).ToAnsi() + "\"\r";
  }
  m_bEchoMode = false;
  try {
    m_pStream->Purge();
    const BYTE dle = kDle;
    BYTE ack = 0;
    if (!WriteAll(&dle, 1) || m_pStream->Read(&ack, 1) != 1) return false;
    if (!WriteText(line)) return false;
    DWORD length = 0;
    if (!ReadLength(length)) return false;
    SetTransferTimeout(int(length), 2);
    return CopyToStream(target, length);
  } catch (const CFileException&) {
    return false;
  }
}

bool CJvCommands::RequestDeviceFile(const CString& path, StreamIO::CIoStream* target) {
  if (!IsOpenStream(target) || path.IsEmpty()) return false;
  const std::string name = EscapePath(path).ToUtf8();
  if (name.empty() || name.size() > size_t(kMaxRequestPathBytes)) return false;
  m_bEchoMode = false;
  try {
    if (!SendCommand(u"REQF", 6000)) return false;
    SetTransferTimeout(int(name.size()), 2);
    std::vector<BYTE> packet;
    PutLe32(packet, DWORD(name.size()));
    packet.insert(packet.end(), name.begin(), name.end());
    if (!WriteAll(packet.data(), int(packet.size()))) return false;
    m_pStream->SetTimeouts(4000, 4000);
    BYTE answer = 0;
    if (m_pStream->Read(&answer, 1) != 1 || (answer != 'y' && answer != 'Y')) return false;
    DWORD length = 0;
    if (!ReadLength(length)) return false;
    SetTransferTimeout(int(length), 2);
    return CopyToStream(target, length);
  } catch (const CFileException&) {
    return false;
  }
}

}  // namespace Device
