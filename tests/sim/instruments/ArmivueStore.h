#pragma once
// The Armivue's stored objects as instrument-sim serves them to the download: binary records
// taken from files of 262-byte records, and data-file texts taken from the files of a folder.

#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

namespace Sim {

class CArmivueStore {
 public:
  static constexpr size_t kRecordSize = 262;

  // Appends the records of the file; false when it cannot be read or holds no whole number of
  // records.
  bool AddRecordFile(const std::string& path);
  // Appends every regular file of the folder, in name order, as one data-file text; false when
  // the folder cannot be read.
  bool AddDataFileFolder(const std::string& folder);

  // The long replies of the binary download (status 1, the count, the record size and the
  // records) and of the text download ("1;n;" and each text followed by "<eof>"); status 243
  // alone when there is nothing of that kind to send.
  std::vector<BYTE> BinaryReply() const;
  std::vector<BYTE> TextReply() const;

 private:
  std::vector<std::vector<BYTE>> m_records;
  std::vector<std::string> m_dataFiles;
};

}  // namespace Sim
