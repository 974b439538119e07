// zdtool ftp-list FOLDER [PATTERN]: connects to the update server's folder as the update
// checks do (messages off) and prints the folder, then each listed file with its size.

#include <cstdio>
#include <string>

#include "platform/net/FtpConnection.h"
#include "platform/net/InternetException.h"
#include "tests/tools/ZdTool.h"
#include "update/AppHelper.h"

namespace {

int RunFtpList(const std::vector<std::string>& args) {
  if (args.empty() || args.size() > 2) {
    std::fprintf(stderr, "usage: zdtool ftp-list FOLDER [PATTERN]\n");
    return 2;
  }
  CAppHelper helper;
  helper.SetShowMessages(false);
  CFtpConnection* connection = helper.ConnectUpdateServer(CString::FromUtf8(args[0]));
  std::printf("folder=%s\n", helper.GetFolder().ToUtf8().c_str());
  if (!connection) {
    std::printf("%s\n", helper.GetLastErrorText().ToUtf8().c_str());
    return 1;
  }
  try {
    const CString pattern = args.size() > 1 ? CString::FromUtf8(args[1]) : CString(u"*");
    for (const SFtpFileEntry& file : connection->ListFiles(pattern))
      std::printf("file=%s size=%llu\n", file.name.ToUtf8().c_str(),
                  static_cast<unsigned long long>(file.size));
  } catch (const CInternetException& error) {
    CString message;
    error.GetErrorMessage(message, 1024);
    std::printf("%s\n", message.ToUtf8().c_str());
    return 1;
  }
  return 0;
}

const ZdCommandRegistrar kFtpListRegistrar({"ftp-list", "FOLDER [PATTERN]", &RunFtpList});

}  // namespace
