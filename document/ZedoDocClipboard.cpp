#include "device/streamio/JVArchive.h"
#include "device/streamio/StreamIO.h"
#include "document/ZedoDoc.h"
#include "platform/base/ByteOrder.h"
#include "platform/base/FileException.h"
#include "platform/ui/Clipboard.h"

namespace {

// Read, write, create or truncate.
constexpr DWORD kClipStreamFlags =
    StreamIO::OPEN_READ | StreamIO::OPEN_WRITE | StreamIO::OPEN_CREATE_OR_TRUNCATE;
constexpr int kArchiveBuffer = 1024;
constexpr std::size_t kLengthWord = 4;

DWORD LengthWord(const std::vector<BYTE>& block) { return GetLe32(block.data()); }

}  // namespace

bool CZedoDoc::CopyToClipboard(const std::vector<BYTE>& selection) {
  if (selection.empty()) return false;
  m_clipboardFlags[0] = 0;
  m_clipboardFlags[2] = 1;
  std::vector<BYTE> block;
  try {
    std::unique_ptr<StreamIO::CIoStream> stream = StreamIO::OpenStream(kClipRamStreamName, kClipStreamFlags);
    StreamIO::CJVArchive archive(stream->GetHandle(), 0, kArchiveBuffer);
    WriteProject(archive, &selection);
    archive.Flush();
    const int length = stream->GetLength();
    block.assign(kLengthWord + std::size_t(length), 0);
    SetLe32(block.data(), DWORD(length));
    stream->SeekTo(0);
    if (stream->Read(block.data() + kLengthWord, length) != length) return false;
  } catch (const CFileException&) {
    return false;  // nothing reaches the clipboard
  }
  return SetClipboardData(m_clipboardFormat, std::move(block)) != FALSE;
}

bool CZedoDoc::PasteFromClipboard() {
  std::vector<BYTE> block;
  if (!GetClipboardData(m_clipboardFormat, block)) return true;
  // The block may come from another program run: its length word is checked, not trusted.
  if (block.size() < kLengthWord || LengthWord(block) > block.size() - kLengthWord) return false;
  const int length = int(LengthWord(block));
  SImage image;
  try {
    std::unique_ptr<StreamIO::CIoStream> stream = StreamIO::OpenStream(kClipRamStreamName, kClipStreamFlags);
    if (stream->Write(block.data() + kLengthWord, length) != length) return false;
    StreamIO::CJVArchive archive(stream->GetHandle(), StreamIO::CJVArchive::MODE_LOAD, kArchiveBuffer);
    // A refused image (newer format, other load limit) has been reported to the user; the
    // project stays as it was.
    if (!ReadImage(archive, image) || !MergeImage(image)) return true;
  } catch (const CFileException&) {
    return false;
  }
  {
    CSingleLock lock(m_lock);
    m_list.Sort(m_list.GetSortColumn());
  }
  SetModified();
  UpdateAllViews(nullptr, -1);
  return true;
}

bool CZedoDoc::IsClipboardDataAvailable() const {
  std::vector<BYTE> block;
  return GetClipboardData(m_clipboardFormat, block) && block.size() >= kLengthWord && LengthWord(block) != 0;
}
