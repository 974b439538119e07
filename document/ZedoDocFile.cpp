#include <algorithm>

#include "appbase/LoadStringOrPlaceholder.h"
#include "appbase/Registry.h"
#include "device/FileVersionInfo.h"
#include "device/streamio/JVArchive.h"
#include "document/ZedoDoc.h"
#include "platform/base/FileException.h"
#include "platform/base/FileReplacement.h"
#include "platform/ui/MessageBox.h"
#include "resources/ResourceIds.h"

namespace {

constexpr int kInvalidData = 13;
constexpr int kArchiveBuffer = 1024;
constexpr const char16_t* kProjectsPathValue = u"ProjectsPath";

int ShowBox(const CString& text, UINT type) { return MessageBox(nullptr, text, u"ZD-Zedo", type); }

int ShowBox(UINT id, UINT type) { return ShowBox(LoadStringOrPlaceholder(id), type); }

int SeparatorPos(const CString& path) { return std::max(path.ReverseFind(u'/'), path.ReverseFind(u'\\')); }

}  // namespace

bool CZedoDoc::WriteProject(StreamIO::CJVArchive& archive, const std::vector<BYTE>* selection) {
  CFileVersionInfo version;
  version.CreateFromModule(nullptr);
  archive.WriteString(kMagic);
  for (int part = 3; part >= 0; --part) archive.WriteWord(version.GetProductVersionPart(part));
  archive.WriteWord(kFormatVersion);
  m_wFormatVersion = kFormatVersion;
  CSingleLock lock(m_lock);
  m_list.Serialize(archive, kFormatVersion, selection);
  if (!selection) m_summary.Serialize(archive, kFormatVersion);
  return true;
}

bool CZedoDoc::ReadImage(StreamIO::CJVArchive& archive, SImage& image) {
  CString magic;
  archive.ReadString(magic);
  if (magic != kMagic) ThrowFileException(kInvalidData, CString());
  for (int part = 0; part < 4; ++part) archive.ReadWord();
  image.version = archive.ReadWord();
  if (image.version > kFormatVersion) {
    ShowBox(IDS_NEWER_FORMAT, MB_OK | MB_ICONERROR);
    return false;
  }
  image.list.Serialize(archive, image.version);
  return true;
}

void CZedoDoc::ApplyImage(SImage& image) {
  CSingleLock lock(m_lock);
  m_list.Swap(image.list);
  m_summary.ClearEntries();
  if (image.hasSummary) m_summary.Apply(image.summary);
  m_wFormatVersion = image.version;
}

bool CZedoDoc::MergeImage(SImage& image) {
  CSingleLock lock(m_lock);
  if (m_list.HasMeasurements() && image.list.HasMeasurements()) {
    const std::int32_t limit = m_list.GetRecord(0)->device.nLoadLimit;
    for (int i = 0; i < image.list.GetCount(); ++i) {
      if (image.list.GetRecord(i)->device.nLoadLimit != limit) {
        ShowBox(IDS_OTHER_LOAD_LIMIT, MB_OK | MB_ICONWARNING);
        return false;
      }
    }
  }
  m_list.TakeOver(image.list);
  m_wFormatVersion = image.version;
  return true;
}

bool CZedoDoc::ReadWholeImage(StreamIO::CJVArchive& archive, SImage& image) {
  if (!ReadImage(archive, image)) return false;
  if (image.version > 1) {
    image.summary = CSummaryData::Read(archive);
    image.hasSummary = true;
  }
  return true;
}

bool CZedoDoc::ReadProject(StreamIO::CJVArchive& archive, bool merge) {
  SImage image;
  if (merge) return ReadImage(archive, image) && MergeImage(image);
  if (!ReadWholeImage(archive, image)) return false;
  ApplyImage(image);
  return true;
}

void CZedoDoc::CloseProject() {
  {
    CSingleLock lock(m_lock);
    m_list.Clear();
  }
  m_strPath.Empty();
  m_bModified = false;
  UpdateAllViews(nullptr, -1);
}

bool CZedoDoc::QuerySave() {
  if (m_bModified && HasMeasurements()) {
    const int answer = ShowBox(IDS_SAVE_CHANGES, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer != IDYES && answer != IDNO) return false;
    if (answer == IDYES && !Save()) return false;
  }
  CloseProject();
  return true;
}

void CZedoDoc::RememberFolder(const CString& path) {
  const int slash = SeparatorPos(path);
  if (slash >= 0) CRegistry(kSettingsKey).WriteString(kProjectsPathValue, path.Left(slash));
}

bool CZedoDoc::OnFileOpen(const CString& path) {
  CString file = path;
  if (file.IsEmpty() && !AskProjectPath(true, file)) return false;
  RememberFolder(file);
  // The whole file is read before the current project is closed, so that a file that cannot be
  // read costs nothing.
  SImage image;
  try {
    StreamIO::CJVArchive archive(file, StreamIO::CJVArchive::MODE_LOAD, kArchiveBuffer);
    if (!ReadWholeImage(archive, image)) return false;
    archive.Close();
  } catch (const CFileException&) {
    ShowBox(IDS_NOT_A_PROJECT, MB_OK | MB_ICONERROR);
    return false;
  }
  if (!QuerySave()) return false;
  ApplyImage(image);
  m_bModified = false;
  m_strPath = file;
  UpdateAllViews(nullptr, -1);
  return true;
}

bool CZedoDoc::Save() { return m_strPath.IsEmpty() ? OnFileSaveAs() : SaveToPath(m_strPath); }

bool CZedoDoc::OnFileSaveAs() {
  CString file = GetTitle(true);
  if (!AskProjectPath(false, file)) return false;
  if (!SaveToPath(file)) return false;
  m_strPath = file;
  RememberFolder(file);
  return true;
}

bool CZedoDoc::SaveToPath(const CString& path) {
  if (path.IsEmpty()) return false;
  // Written beside the old file and put in its place only when complete and on the disk, so
  // that neither a failed save nor a power cut damages the project already there.
  CFileReplacement replacement(path);
  try {
    StreamIO::CJVArchive archive(replacement.GetTempPath(), 0, kArchiveBuffer);
    WriteProject(archive, nullptr);
    archive.Close();
    if (const int error = replacement.Commit()) ThrowFileException(error, path);
  } catch (const CFileException& e) {
    // The user knows the file by the name chosen, not by the temporary one the bytes went to.
    ShowBox(CFileException(e.m_lOsError, path).GetErrorMessage(), MB_OK | MB_ICONERROR);
    return false;
  }
  m_bModified = false;
  return true;
}
