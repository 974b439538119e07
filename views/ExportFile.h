#pragma once
// CExportFile: a file that an export writes whole or not at all. The bytes go to the temporary
// file of a file replacement beside the target, which takes the target's name only once
// everything has been written and put on the disk; until then a file already under that name
// stays as it was, and a write that fails or is given up leaves no temporary file behind.
// Failures are raised as the file exception, naming the target.

#include "device/streamio/FileStream.h"
#include "platform/base/FileReplacement.h"

class CExportFile {
 public:
  // Opens the temporary file; raises when it cannot be created.
  explicit CExportFile(const CString& path);
  CExportFile(const CExportFile&) = delete;
  CExportFile& operator=(const CExportFile&) = delete;

  void Write(const void* data, int count);
  // Closes the file and puts it in the target's place.
  void Commit();

 private:
  CFileReplacement m_replacement;
  StreamIO::CFileStream m_file;
};
