#include <gtest/gtest.h>

#include <vector>

#include "platform/res/ResourceLookup.h"
#include "platform/ui/ToolBarResource.h"

TEST(ToolBarResource, RefusesResourcesThatEndEarly) {
  static const SResourceModule module{u"/nowhere/toolbars"};
  static const BYTE good[] = {1, 0, 16, 0, 15, 0, 2, 0, 0x65, 0, 0x66, 0};
  static const BYTE shortButtons[] = {1, 0, 16, 0, 15, 0, 3, 0, 0x65, 0, 0x66, 0};
  static const BYTE version2[] = {2, 0, 16, 0, 15, 0, 0, 0};
  AddResource(&module, RT_TOOLBAR, MAKEINTRESOURCEW(1), good, sizeof good);
  AddResource(&module, RT_TOOLBAR, MAKEINTRESOURCEW(2), shortButtons, sizeof shortButtons);
  AddResource(&module, RT_TOOLBAR, MAKEINTRESOURCEW(3), version2, sizeof version2);
  AddResource(&module, RT_TOOLBAR, MAKEINTRESOURCEW(4), good, 7);
  CToolBarResource toolBar;
  ASSERT_TRUE(toolBar.Load(&module, 1));
  EXPECT_EQ(toolBar.GetButtons(), (std::vector<UINT>{101, 102}));
  EXPECT_EQ(toolBar.GetButtonHeight(), 15);
  for (UINT id : {2u, 3u, 4u, 5u}) EXPECT_FALSE(CToolBarResource().Load(&module, id)) << id;
}
