#include "platform/ui/MenuTemplate.h"

#include <vector>

#include "platform/base/ByteOrder.h"
#include "platform/ui/Menu.h"

CMenuTemplateReader::CMenuTemplateReader(const void* data, std::size_t size)
    : m_data(static_cast<const BYTE*>(data)), m_size(data ? size : 0) {
  UINT version = 0, headerSize = 0;
  if (!ReadWord(version) || !ReadWord(headerSize) || version != 0) return;
  if (headerSize > m_size - m_pos) return;
  m_pos += headerSize;
  m_open = true;
}

bool CMenuTemplateReader::ReadWord(UINT& value) {
  if (m_size - m_pos < 2) return false;
  value = GetLe16(m_data + m_pos);
  m_pos += 2;
  return true;
}

bool CMenuTemplateReader::ReadItem(SMenuTemplateItem& item) {
  if (!m_open) return false;
  std::size_t start = m_pos;
  SMenuTemplateItem read;
  bool ok = ReadWord(read.option) && ((read.option & MF_POPUP) || ReadWord(read.id));
  std::u16string text;
  UINT ch = 0;
  while (ok && (ok = ReadWord(ch)) && ch != 0) text += char16_t(ch);
  if (!ok) {
    m_pos = start;
    return false;
  }
  read.text = CString(std::move(text));
  item = std::move(read);
  return true;
}

bool IsReadableMenuTemplate(const void* data, std::size_t size) {
  CMenuTemplateReader reader(data, size);
  if (!reader.IsOpen()) return false;
  // One entry per open level, true once its last item has been seen. A popup's MF_END ends
  // its level, which closes after the popup's own items.
  std::vector<bool> ended{false};
  SMenuTemplateItem item;
  while (!ended.empty()) {
    if (!reader.ReadItem(item)) return false;
    if (item.option & MF_POPUP) {
      if (item.option & MF_END) ended.back() = true;
      ended.push_back(false);
      continue;
    }
    if (item.option & MF_END) ended.back() = true;
    while (!ended.empty() && ended.back()) ended.pop_back();
  }
  return true;
}
