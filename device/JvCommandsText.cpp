// The text channel of the command layer: DLE-introduced command lines, their reply lines, the
// echo mode, the identity and login commands, the snapshot and the directory listing.

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "device/DecimalText.h"
#include "device/DeviceIdent.h"
#include "device/DeviceLogin.h"
#include "device/JvCommands.h"
#include "device/streamio/IoStream.h"
#include "platform/base/ByteOrder.h"
#include "platform/base/Clock.h"
#include "platform/base/FileException.h"

namespace Device {

namespace {

constexpr int kDirectoryBufferSize = 1000000;

// The answer in a reply line: with a line feed (echo mode) the text after the echoed command
// and its blank, otherwise the whole line. False when an echoed line holds no answer.
bool AnswerOf(std::string_view line, std::string_view& answer) {
  if (line.find('\n') == std::string_view::npos) {
    answer = line;
    return true;
  }
  const size_t blank = line.find(' ');
  if (blank == std::string_view::npos || blank + 1 >= line.size()) return false;
  answer = line.substr(blank + 1);
  return true;
}

// Backslashes doubled and double quotes preceded by a backslash, so that a text survives the
// instrument's quoted arguments.
CString EscapeQuoted(const CString& text) {
  CString escaped = text;
  escaped.Replace(u"\\", u"\\\\");
  escaped.Replace(u"\"", u"\\\"");
  return escaped;
}

}  // namespace

bool CJvCommands::OpenTextExchange(int timeoutMs, bool pause) {
  m_pStream->Purge();
  const BYTE dle = kDle;
  if (!WriteAll(&dle, 1)) return false;
  if (!m_pStream->SetTimeouts(timeoutMs, timeoutMs)) return false;
  if (pause) {
    // Serial ports are named by their device path, so every transport gets this short pause
    // for the instrument to turn round after the DLE.
    CString name = m_pStream->GetName();
    if (name.MakeUpper().Left(3) != CString(u"COM")) Sleep(5);
  }
  BYTE ack = 0;
  return m_pStream->Read(&ack, 1) == 1;
}

bool CJvCommands::WriteText(const std::string& text) {
  return text.empty() || WriteAll(text.data(), int(text.size()));
}

bool CJvCommands::SendCommand(const CString& command, int timeoutMs) {
  m_reply[0] = 0;
  try {
    if (!OpenTextExchange(timeoutMs, true)) return false;
    if (!WriteText(command.ToAnsi() + "\r")) return false;
    char line[kReplyBufferSize];
    const int length = ReadLine(line, sizeof line);
    if (length == 0) return false;
    if (command.IsEmpty()) return true;
    std::string_view answer;
    if (!AnswerOf(std::string_view(line, size_t(length)), answer)) return false;
    answer = answer.substr(0, answer.find('\r'));
    std::copy(answer.begin(), answer.end(), m_reply);
    m_reply[answer.size()] = 0;
    return answer.find('?') == std::string_view::npos;
  } catch (const CFileException&) {
    return false;
  }
}

int CJvCommands::TextCommand(const CString& command, char* buffer, int size, int timeoutMs) {
  if (buffer && size > 0) buffer[0] = 0;
  if (!buffer || size <= 1) return 0;
  try {
    if (!OpenTextExchange(timeoutMs, false)) return -1;
    if (!WriteText(command.ToAnsi() + "\r")) return -1;
    const int lineSize = size > 0x7FFFFFFF - 20 ? 0x7FFFFFFF : size + 20;
    std::vector<char> line(size_t(lineSize), 0);
    const int length = ReadLine(line.data(), lineSize);
    if (length == 0) return -1;
    std::string_view answer;
    if (command.IsEmpty())
      answer = "?";
    else if (!AnswerOf(std::string_view(line.data(), size_t(length)), answer))
      return 0;
    const size_t lastCr = answer.rfind('\r');
    if (lastCr != std::string_view::npos) answer = answer.substr(0, lastCr);
    const size_t copied = std::min(answer.size(), size_t(size - 1));
    std::copy(answer.begin(), answer.begin() + copied, buffer);
    buffer[copied] = 0;
    return int(answer.size());
  } catch (const CFileException&) {
    return 0;
  }
}

int CJvCommands::ReadLine(char* buffer, int size) {
  if (!buffer || size <= 0) return 0;
  buffer[0] = 0;
  if (size == 1) return 0;
  int length = 0;
  try {
    while (length < size - 1) {
      BYTE ch = 0;
      if (m_pStream->Read(&ch, 1) != 1) {
        // A line whose line feed never comes is complete when it ended with CR.
        if (length > 0 && buffer[length - 1] == '\r') break;
        buffer[0] = 0;
        return 0;
      }
      buffer[length++] = char(ch);
      if (ch == '\n' || (!m_bEchoMode && ch == '\r')) break;
    }
  } catch (const CFileException&) {
    buffer[0] = 0;
    return 0;
  }
  buffer[length] = 0;
  return length;
}

bool CJvCommands::SetTextMode(bool on, bool probe) {
  if (!probe) {
    m_bEchoMode = on;
    return true;
  }
  const bool before = m_bEchoMode;
  try {
    if (!m_pStream->SetTimeouts(8000, 4000)) return false;
    const BYTE dle = kDle;
    BYTE ack = 0;
    if (!WriteAll(&dle, 1) || m_pStream->Read(&ack, 1) != 1) return false;
    static const char kProbe[] = {'E', 'C', '?', '\r'};
    if (!WriteAll(kProbe, int(sizeof kProbe))) return false;
    // Read as if the instrument did not echo: an echoing one sends the command back, the
    // answer after it and CR LF, so its line is longer and a line feed follows the CR.
    m_bEchoMode = false;
    char line[kReplyBufferSize];
    const int length = ReadLine(line, sizeof line);
    if (length == 0) {
      m_bEchoMode = before;
      return false;
    }
    if (length > 5 && std::memchr(line, '\r', size_t(length))) {
      BYTE next = 0;
      if (m_pStream->Read(&next, 1) != 1 || next != '\n') {
        m_bEchoMode = before;
        return false;
      }
      m_bEchoMode = true;
    }
  } catch (const CFileException&) {
    m_bEchoMode = before;
    return false;
  }
  if (m_bEchoMode == on) return true;
  if (!SendCommand(on ? u"EC1" : u"EC0", 4000)) return false;
  m_bEchoMode = on;
  return true;
}

bool CJvCommands::QueryId(SDeviceIdent& ident) {
  if (!SendCommand(u"ID", 4000)) return false;
  const CString answer = CString::FromAnsi(m_reply);
  int position = 0;
  ident.deviceName = answer.Tokenize(u";", position);
  ident.appVersion = answer.Tokenize(u";", position);
  ident.serialNumber = answer.Tokenize(u";", position);
  return !ident.deviceName.IsEmpty() && !ident.appVersion.IsEmpty() && !ident.serialNumber.IsEmpty();
}

bool CJvCommands::QueryIdentity(CString& answer, int timeoutMs) {
  const bool answered = SendCommand(u"@ID@", timeoutMs);
  answer = CString::FromAnsi(m_reply);
  return answered;
}

bool CJvCommands::QueryPower(CString& answer) {
  const bool answered = SendCommand(u"GPOW", 2000);
  answer = CString::FromAnsi(m_reply);
  return answered;
}

bool CJvCommands::LoginRemote(SDeviceLogin& login) {
  // Both texts travel inside quotes, so both are escaped: a quote in the user name would
  // otherwise end the argument early and let the rest be read as further arguments.
  const CString user = EscapeQuoted(login.userName);
  const CString password = EscapeQuoted(login.password);
  CString command;
  command.Format(u"RLGI \"%s\"; \"%s\"; %08X", user, password, login.number);
  if (!SendCommand(command, 4000)) {
    command.Format(u"RLGI \"%s\"; \"%s\"", user, password);
    if (!SendCommand(command, 4000)) return false;
  }
  const CString answer = CString::FromAnsi(m_reply);
  int position = 0;
  if (answer.Left(1) == CString(u";"))
    login.userName.Empty();
  else
    login.userName = answer.Tokenize(u";", position);
  int flags = 0;
  if (!ReadDecimal(answer.Tokenize(u";", position).ToAnsi(), flags)) return false;
  login.flags = WORD(flags & 0xFFFF);
  return true;
}

bool CJvCommands::LogoutRemote() { return SendCommand(u"RLGO", 4000); }

bool CJvCommands::ReadSnapshot(BYTE* buffer, int& size, WORD& status) {
  if (!buffer || size <= 5) return false;
  buffer[0] = 0;
  try {
    m_pStream->Purge();
    const BYTE dle = kDle;
    if (!WriteAll(&dle, 1)) return false;
    SetTransferTimeout(80000, 2);
    BYTE ack = 0;
    if (m_pStream->Read(&ack, 1) != 1) return false;
    if (!WriteText("SS\r")) return false;
    BYTE word[2];
    if (!ReadExactly(word, 2)) return false;
    status = GetLe16(word);
    if (status != 0) {
      const bool snapshotMark = word[0] == word[1] && (word[0] == 'S' || word[0] == 's');
      if (!snapshotMark || !ReadExactly(buffer, 1) || !ReadExactly(word, 2) || GetLe16(word) != 0)
        return false;
    }
    BYTE lengthBytes[4];
    if (!ReadExactly(lengthBytes, 4)) return false;
    const DWORD length = GetLe32(lengthBytes);
    if (length > DWORD(size) || !ReadExactly(buffer, int(length))) return false;
    size = int(length);
    return true;
  } catch (const CFileException&) {
    return false;
  }
}

bool CJvCommands::ListDirectory(WORD argument, CString& listing) {
  int readTimeout = 0, writeTimeout = 0;
  bool saved = false;
  try {
    saved = m_pStream->GetTimeouts(readTimeout, writeTimeout);
  } catch (const CFileException&) {
    return false;
  }
  CString command;
  command.Format(u"DIRS %04X", argument);
  std::vector<char> answer(kDirectoryBufferSize);
  const int length = TextCommand(command, answer.data(), kDirectoryBufferSize, 120000);
  try {
    if (saved) m_pStream->SetTimeouts(readTimeout, writeTimeout);
  } catch (const CFileException&) {
    return false;
  }
  if (length < 9 || length > kDirectoryBufferSize - 1 || answer[8] != ';') return false;
  // Eight hexadecimal digits give the character count of the listing that follows.
  if (!std::all_of(answer.begin(), answer.begin() + 8, [](char c) { return std::isxdigit(BYTE(c)); }))
    return false;
  const DWORD count = DWORD(std::strtoul(std::string(answer.data(), 8).c_str(), nullptr, 16));
  const std::string_view text(answer.data() + 9, size_t(length - 9));
  CString converted = m_bUtf8Names ? CString::FromUtf8(text) : CString::FromAnsi(text);
  if (DWORD(converted.GetLength()) != count) return false;
  if (converted.Right(1) == CString(u";")) converted = converted.Left(converted.GetLength() - 1);
  listing = converted;
  return true;
}

}  // namespace Device
