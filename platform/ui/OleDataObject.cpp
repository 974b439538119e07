#include "platform/ui/OleDataObject.h"

#include "platform/ui/Clipboard.h"

void COleDataObject::AttachClipboard() {
  m_clipboard = true;
  m_blocks.clear();
}

void COleDataObject::Attach(OleDataBlocks blocks) {
  m_clipboard = false;
  m_blocks = std::move(blocks);
}

BOOL COleDataObject::IsDataAvailable(UINT format) const {
  if (m_clipboard) return IsClipboardFormatAvailable(format);
  return m_blocks.count(format) ? TRUE : FALSE;
}

bool COleDataObject::GetGlobalData(UINT format, std::vector<BYTE>& data) const {
  if (m_clipboard) return GetClipboardData(format, data);
  const auto it = m_blocks.find(format);
  if (it == m_blocks.end()) return false;
  data = it->second;
  return true;
}
