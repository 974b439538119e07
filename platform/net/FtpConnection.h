#pragma once
// A passive FTP connection to one server with one account. Its current directory is kept
// relative to the folder the account logs in to; every request that names a directory checks
// it on the server. Failures of the server or the link are thrown as CInternetException,
// except where a call returns false as the platform's did.

#include <atomic>
#include <memory>
#include <vector>

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

class CFtpFile;
struct SFtpSessionState;

// One file of a directory listing.
struct SFtpFileEntry {
  CString name;
  ULONGLONG size = 0;
};

class CFtpConnection {
 public:
  // Logs in to `server` ("host" or "host:port") with the account, in passive mode. While
  // `stopFlag` is set every transfer of the connection ends at once as cancelled. Throws
  // CInternetException when the server cannot be reached or refuses the account.
  CFtpConnection(const CString& server, const CString& user, const CString& password,
                 const std::atomic<bool>* stopFlag = nullptr);
  virtual ~CFtpConnection();
  CFtpConnection(const CFtpConnection&) = delete;
  CFtpConnection& operator=(const CFtpConnection&) = delete;

  // Asks the server for the current directory ("/" is the login folder); false when it does
  // not answer.
  bool GetCurrentDirectory(CString& directory);
  // Changes to `directory`, relative to the current one or, starting with "/", to the login
  // folder; false when the server has no such directory or does not answer.
  bool SetCurrentDirectory(const CString& directory);
  // The files of the current directory whose names match `pattern` ("*" any run of
  // characters, "?" one character; case-sensitive), listed afresh by the server.
  std::vector<SFtpFileEntry> ListFiles(const CString& pattern);
  // Opens a file of the current directory for reading, as ASCII text (line ends as the server
  // writes them) or binary.
  std::unique_ptr<CFtpFile> OpenFile(const CString& name, bool binary);
  // Ends the connection; later requests throw.
  void Close();

  // Whether `name` matches `pattern` as ListFiles matches.
  static bool MatchesPattern(const CString& name, const CString& pattern);

 private:
  std::string DirectoryPath(const std::vector<CString>& components) const;
  bool CheckDirectory(const std::vector<CString>& components);
  SFtpSessionState& Session();

  std::unique_ptr<SFtpSessionState> m_session;
  std::vector<CString> m_directory;
};
