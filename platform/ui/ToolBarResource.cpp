#include "platform/ui/ToolBarResource.h"

#include "platform/base/ByteOrder.h"
#include "platform/res/ResourceLookup.h"

namespace {

UINT Word(const BYTE* data, std::size_t offset) { return GetLe16(data + offset); }

}  // namespace

bool CToolBarResource::Load(UINT resourceId) {
  HMODULE module = AfxGetResourceHandle();
  if (Load(module, resourceId)) return true;
  return module && Load(nullptr, resourceId);
}

bool CToolBarResource::Load(HMODULE module, UINT resourceId) {
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(WORD(resourceId)), RT_TOOLBAR);
  if (!resource) return false;
  const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
  std::size_t size = SizeofResource(module, resource);
  if (!data || size < 8 || Word(data, 0) != 1) return false;
  std::size_t count = Word(data, 6);
  if (size < 8 + 2 * count) return false;
  m_width = int(Word(data, 2));
  m_height = int(Word(data, 4));
  m_buttons.clear();
  for (std::size_t i = 0; i < count; ++i) m_buttons.push_back(Word(data, 8 + 2 * i));
  return true;
}

int CToolBarResource::CommandToIndex(UINT commandId) const {
  if (commandId == 0) return -1;
  for (std::size_t i = 0; i < m_buttons.size(); ++i)
    if (m_buttons[i] == commandId) return int(i);
  return -1;
}

int CToolBarResource::GetButtonImage(int index) const {
  if (index < 0 || std::size_t(index) >= m_buttons.size() || m_buttons[std::size_t(index)] == 0) return -1;
  int image = 0;
  for (int i = 0; i < index; ++i)
    if (m_buttons[std::size_t(i)] != 0) ++image;
  return image;
}
