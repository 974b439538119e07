#pragma once
// CFileReplacement: a file is written under a temporary name beside its target and takes the
// target's name only when all of it was written, so that the target holds its old content or
// the whole new one, after a failed write and after a power cut alike:
//
//   CFileReplacement replacement(target);
//   ... write the file replacement.GetTempPath() and close it ...
//   if (const int error = replacement.Commit()) ... report it ...
//
// The data reaches the disk before the rename and the folder's new entry after it; otherwise the
// file system may keep the rename and lose the data, leaving an empty or partial file under the
// target's name. A temporary file left by an earlier write that never got to its rename is
// removed when the next replacement of the same target starts, and a replacement that is not
// committed removes its own temporary file when it ends.
//
// A target that is a symbolic link stays one: the file it points to (through any chain of links,
// and whether or not that file exists yet) is the one replaced, beside which the temporary file
// is written. The new file takes the permissions of the file it replaces.

#include <string>

#include "platform/base/String.h"

class CFileReplacement {
 public:
  explicit CFileReplacement(const CString& target);
  ~CFileReplacement();
  CFileReplacement(const CFileReplacement&) = delete;
  CFileReplacement& operator=(const CFileReplacement&) = delete;

  // The path as the caller gave it, the name to show the user.
  const CString& GetTarget() const { return m_strTarget; }
  // The path of the file replaced (the target with its links followed) with ".saving" added.
  const CString& GetTempPath() const { return m_strTemp; }
  // Puts the written temporary file in the target's place. Returns 0, or the Windows error
  // number of the step that failed; before the rename the target is then untouched.
  int Commit();

 private:
  CString m_strTarget;
  std::string m_file;
  CString m_strTemp;
  bool m_bCommitted = false;
};
