// zdtool project-resave IN.jvd OUT.jvd: opens a project and saves it again.
// zdtool project-merge A.jvd B.jvd OUT.jvd: opens A, merges the measurements of B into it as
// opening with merge does, and saves the result.

#include <cstdio>

#include "appbase/LoadStringOrPlaceholder.h"
#include "device/streamio/JVArchive.h"
#include "document/ZedoDoc.h"
#include "platform/base/FileException.h"
#include "resources/ResourceIds.h"
#include "tests/tools/CmdProjectSupport.h"
#include "tests/tools/ZdTool.h"

namespace {

int Save(CZedoDoc& doc, const std::string& path) {
  if (!doc.SaveToPath(CString::FromUtf8(path))) return 1;
  std::printf("measurements=%d\n", doc.GetCount());
  return 0;
}

int Resave(const std::vector<std::string>& args) {
  if (args.size() != 2) {
    std::fprintf(stderr, "usage: zdtool project-resave IN.jvd OUT.jvd\n");
    return 2;
  }
  CProjectSession session;
  CZedoDoc doc;
  if (!doc.OnFileOpen(CString::FromUtf8(args[0]))) return 1;
  return Save(doc, args[1]);
}

int Merge(const std::vector<std::string>& args) {
  if (args.size() != 3) {
    std::fprintf(stderr, "usage: zdtool project-merge A.jvd B.jvd OUT.jvd\n");
    return 2;
  }
  CProjectSession session;
  CZedoDoc doc;
  if (!doc.OnFileOpen(CString::FromUtf8(args[0]))) return 1;
  try {
    StreamIO::CJVArchive archive(CString::FromUtf8(args[1]), StreamIO::CJVArchive::MODE_LOAD);
    if (!doc.ReadProject(archive, true)) return 1;
    archive.Close();
  } catch (const CFileException&) {
    std::fprintf(stderr, "%s\n", LoadStringOrPlaceholder(IDS_NOT_A_PROJECT).ToUtf8().c_str());
    return 1;
  }
  return Save(doc, args[2]);
}

ZdCommandRegistrar resave({"project-resave", "IN.jvd OUT.jvd", Resave});
ZdCommandRegistrar merge({"project-merge", "A.jvd B.jvd OUT.jvd", Merge});

}  // namespace
