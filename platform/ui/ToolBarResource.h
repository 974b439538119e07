#pragma once
// A tool-bar resource (RT_TOOLBAR): the button picture size and the command id of every button
// in order, 0 for a separator. Its pictures are the bitmap resource with the same id, one per
// button that is not a separator, in button order.

#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/res/ResourceModule.h"

class CToolBarResource {
 public:
  // Looks in the resource module, then in the program's; false when the resource is missing
  // or cannot be read (a resource that ends early, a version other than 1).
  bool Load(UINT resourceId);
  bool Load(HMODULE module, UINT resourceId);

  int GetButtonWidth() const { return m_width; }
  int GetButtonHeight() const { return m_height; }
  const std::vector<UINT>& GetButtons() const { return m_buttons; }
  // The button index of the command (separators count), -1 when no button has it.
  int CommandToIndex(UINT commandId) const;
  // The picture index of the button at the index, -1 for a separator or no button.
  int GetButtonImage(int index) const;

 private:
  int m_width = 0;
  int m_height = 0;
  std::vector<UINT> m_buttons;
};
