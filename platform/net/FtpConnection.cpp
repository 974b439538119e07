#include "platform/net/FtpConnection.h"

#include "platform/net/FtpFile.h"
#include "platform/net/FtpTransfer.h"

namespace {

std::string Escape(const CString& component) {
  const std::string utf8 = component.ToUtf8();
  char* escaped = curl_easy_escape(nullptr, utf8.c_str(), int(utf8.size()));
  std::string result = escaped ? escaped : "";
  curl_free(escaped);
  return result;
}

// Applies `directory` to the components of the current one: "." stays, ".." goes up (never
// above the login folder), a leading "/" starts from the login folder.
std::vector<CString> Resolve(std::vector<CString> current, const CString& directory) {
  if (directory.Left(1) == u"/") current.clear();
  int start = 0;
  while (start <= directory.GetLength()) {
    int end = directory.Find(u'/', start);
    if (end < 0) end = directory.GetLength();
    const CString part = directory.Mid(start, end - start);
    if (part == u"..") {
      if (!current.empty()) current.pop_back();
    } else if (!part.IsEmpty() && part != u".") {
      current.push_back(part);
    }
    start = end + 1;
  }
  return current;
}

bool Matches(const char16_t* name, const char16_t* pattern) {
  if (*pattern == 0) return *name == 0;
  if (*pattern == u'*') {
    for (const char16_t* rest = name;; ++rest) {
      if (Matches(rest, pattern + 1)) return true;
      if (*rest == 0) return false;
    }
  }
  if (*name == 0) return false;
  if (*pattern != u'?' && *pattern != *name) return false;
  return Matches(name + 1, pattern + 1);
}

// A size fact: decimal digits alone, no sign or blank, within 64 bits. A server's listing
// decides how much the program reads and writes, so anything else leaves the file out.
bool ReadByteCount(const std::string& text, ULONGLONG& count) {
  if (text.empty()) return false;
  ULONGLONG value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    const ULONGLONG digit = ULONGLONG(c - '0');
    if (value > (~ULONGLONG(0) - digit) / 10) return false;
    value = value * 10 + digit;
  }
  count = value;
  return true;
}

// One line of a machine-readable listing: "fact=value;fact=value; name".
bool ParseListingLine(const std::string& line, SFtpFileEntry& entry) {
  const size_t space = line.find(' ');
  if (space == std::string::npos) return false;
  const std::string facts = line.substr(0, space) + ";";
  bool isFile = false;
  bool hasSize = false;
  size_t start = 0;
  while (start < facts.size()) {
    const size_t end = facts.find(';', start);
    const std::string fact = facts.substr(start, end - start);
    const size_t equals = fact.find('=');
    if (equals != std::string::npos) {
      std::string key = fact.substr(0, equals);
      for (char& c : key) c = char(std::tolower(static_cast<unsigned char>(c)));
      const std::string value = fact.substr(equals + 1);
      if (key == "type") {
        std::string type = value;
        for (char& c : type) c = char(std::tolower(static_cast<unsigned char>(c)));
        isFile = type == "file";
      } else if (key == "size") {
        if (!ReadByteCount(value, entry.size)) return false;
        hasSize = true;
      }
    }
    start = end + 1;
  }
  entry.name = CString::FromUtf8(line.substr(space + 1));
  return isFile && hasSize && !entry.name.IsEmpty();
}

}  // namespace

CFtpConnection::CFtpConnection(const CString& server, const CString& user, const CString& password,
                               const std::atomic<bool>* stopFlag)
    : m_session(std::make_unique<SFtpSessionState>()) {
  if (server.IsEmpty()) throw CInternetException(ERROR_INTERNET_NAME_NOT_RESOLVED, u"No server name is set.");
  m_session->multi = curl_multi_init();
  if (!m_session->multi)
    throw CInternetException(ERROR_INTERNET_EXTENDED_ERROR, u"The connection could not be prepared.");
  m_session->serverUrl = "ftp://" + server.ToUtf8() + "/";
  m_session->user = user.ToUtf8();
  m_session->password = password.ToUtf8();
  m_session->stopFlag = stopFlag;
  try {
    CFtpTransfer login(*m_session, "");
    curl_easy_setopt(login.Handle(), CURLOPT_NOBODY, 1L);
    login.RunToEnd();
  } catch (...) {
    Close();
    throw;
  }
}

CFtpConnection::~CFtpConnection() { Close(); }

void CFtpConnection::Close() {
  if (m_session && m_session->multi) {
    curl_multi_cleanup(m_session->multi);
    m_session->multi = nullptr;
  }
}

SFtpSessionState& CFtpConnection::Session() {
  if (!m_session->multi)
    throw CInternetException(ERROR_INTERNET_EXTENDED_ERROR, u"The connection is closed.");
  return *m_session;
}

std::string CFtpConnection::DirectoryPath(const std::vector<CString>& components) const {
  std::string path;
  for (const CString& component : components) path += Escape(component) + "/";
  return path;
}

bool CFtpConnection::CheckDirectory(const std::vector<CString>& components) {
  try {
    CFtpTransfer check(Session(), DirectoryPath(components));
    curl_easy_setopt(check.Handle(), CURLOPT_NOBODY, 1L);
    check.RunToEnd();
    return true;
  } catch (const CInternetException&) {
    // The platform answers a failed directory request with false, not an exception.
    return false;
  }
}

bool CFtpConnection::GetCurrentDirectory(CString& directory) {
  if (!CheckDirectory(m_directory)) return false;
  CString path;
  for (const CString& component : m_directory) path += u"/" + component;
  directory = path.IsEmpty() ? CString(u"/") : path;
  return true;
}

bool CFtpConnection::SetCurrentDirectory(const CString& directory) {
  std::vector<CString> target = Resolve(m_directory, directory);
  if (!CheckDirectory(target)) return false;
  m_directory = std::move(target);
  return true;
}

std::vector<SFtpFileEntry> CFtpConnection::ListFiles(const CString& pattern) {
  CFtpTransfer listing(Session(), DirectoryPath(m_directory));
  curl_easy_setopt(listing.Handle(), CURLOPT_CUSTOMREQUEST, "MLSD");
  listing.RunToEnd();
  std::vector<SFtpFileEntry> files;
  std::string text(listing.Buffered(), '\0');
  listing.Take(text.data(), text.size());
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    SFtpFileEntry entry;
    if (ParseListingLine(line, entry) && MatchesPattern(entry.name, pattern)) files.push_back(entry);
    start = end + 1;
  }
  return files;
}

std::unique_ptr<CFtpFile> CFtpConnection::OpenFile(const CString& name, bool binary) {
  auto transfer = std::make_unique<CFtpTransfer>(Session(), DirectoryPath(m_directory) + Escape(name));
  curl_easy_setopt(transfer->Handle(), CURLOPT_TRANSFERTEXT, binary ? 0L : 1L);
  transfer->Start();
  // The first data (or the server's refusal) arrives before the file counts as open; a
  // failure after some data is the reads' to report, once that data has been read.
  transfer->Fill(1);
  if (transfer->HasEnded() && transfer->Buffered() == 0) transfer->ThrowOnFailure();
  return std::make_unique<CFtpFile>(std::move(transfer));
}

bool CFtpConnection::MatchesPattern(const CString& name, const CString& pattern) {
  return Matches(name.GetString(), pattern.GetString());
}
