#include "views/ExportFile.h"

#include "platform/base/FileException.h"

namespace {

// The file's failures concern the target, whatever name the bytes travel under.
template <class F>
void AsTarget(const CString& path, F&& step) {
  try {
    step();
  } catch (const CFileException& e) {
    ThrowFileException(e.m_lOsError, path);
  }
}

}  // namespace

CExportFile::CExportFile(const CString& path) : m_replacement(path) {
  AsTarget(path, [this] {
    m_file.Open(m_replacement.GetTempPath(), StreamIO::OPEN_WRITE | StreamIO::OPEN_CREATE_OR_TRUNCATE);
  });
}

void CExportFile::Write(const void* data, int count) {
  AsTarget(m_replacement.GetTarget(), [&] { m_file.Write(data, count); });
}

void CExportFile::Commit() {
  AsTarget(m_replacement.GetTarget(), [this] { m_file.Close(); });
  if (const int error = m_replacement.Commit()) ThrowFileException(error, m_replacement.GetTarget());
}
