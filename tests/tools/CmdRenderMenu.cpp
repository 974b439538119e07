// zdtool render-menu STYLE OUTFILE.png: draws a popup of an owner-drawn menu (an item with a
// picture, selected; a separator; a checked item; a disabled item with a picture; an item with
// an accelerator text) in the classic or the XP style into a PNG file, and prints each item's
// measured width and height.

#include <cstdio>
#include <string>

#include "platform/gdi/BitmapPng.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/ImageList.h"
#include "platform/gdi/SystemInfo.h"
#include "platform/res/ResourceLookup.h"
#include "platform/ui/PopupMenu.h"
#include "platform/ui/UiApplication.h"
#include "platform/ui/Wnd.h"
#include "resources/ProgramResources.h"
#include "resources/ResourceIds.h"
#include "tests/tools/ZdTool.h"
#include "toolkit/OwnerMenu.h"

namespace {

bool LoadPictures(CImageList& list) {
  HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(IDB_MENU_PICTURES), RT_BITMAP);
  if (!resource) return false;
  const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, resource)));
  CBitmap strip;
  if (!strip.Attach(CreateBitmapFromPackedDib(data, SizeofResource(nullptr, resource), false))) return false;
  return list.Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1) && list.Add(&strip, RGB(255, 255, 255)) >= 0;
}

std::string Printable(const CString& text) {
  std::string out;
  for (char ch : text.ToUtf8()) out += ch == '\t' ? std::string("\\t") : std::string(1, ch);
  return out;
}

int RunRenderMenu(const std::vector<std::string>& args) {
  if (args.size() != 2 || (args[0] != "classic" && args[0] != "xp")) {
    std::fprintf(stderr, "usage: zdtool render-menu classic|xp OUTFILE.png\n");
    return 2;
  }
  // The classic style is what the program shows by default; the XP style needs a themed
  // Windows XP.
  if (args[0] == "xp") {
    SetEmulatedWindowsVersion(VER_PLATFORM_WIN32_NT, 5, 1);
    SetCurrentThemeFile(u"C:\\WINDOWS\\Resources\\Themes\\Luna.theme");
  }
  CUiApplication application;
  RegisterProgramResources(nullptr);
  CWnd owner;
  if (!owner.Create(nullptr, u"menu owner", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0)) {
    std::fprintf(stderr, "The owner window could not be created.\n");
    return 1;
  }
  CImageList pictures;
  if (!LoadPictures(pictures)) {
    std::fprintf(stderr, "Bitmap %u could not be loaded.\n", IDB_MENU_PICTURES);
    return 1;
  }

  COwnerMenu menu;
  menu.CreatePopupMenu();
  menu.SetIconSize(16, 16);
  menu.AppendItem(u"&Open project...", 0, 57601, &pictures, 3);
  menu.AppendItem(nullptr, 0, 0, nullptr, 0);
  menu.AppendItem(u"Show &all rows", MF_CHECKED, 1, nullptr, 0);
  menu.AppendItem(u"E&xclude", MF_GRAYED | MF_DISABLED, 2, &pictures, 4);
  menu.AppendItem(u"&Copy\tCtrl+C", 0, 4, nullptr, 0);

  SRenderedPopupMenu rendered = RenderPopupMenu(menu, &owner, 0);
  CBitmap picture;
  picture.Attach(rendered.bitmap);
  for (std::size_t i = 0; i < rendered.measured.size(); ++i) {
    const COwnerMenuData* record = menu.GetItemRecord(int(i));
    std::printf("item %zu: width %d height %d \"%s\"\n", i, int(rendered.measured[i].cx),
                int(rendered.measured[i].cy), Printable(record ? record->strItemText : CString()).c_str());
  }
  if (!SaveBitmapAsPng(picture, CString::FromUtf8(args[1]))) {
    std::fprintf(stderr, "%s could not be written.\n", args[1].c_str());
    return 1;
  }
  return 0;
}

const ZdCommandRegistrar kRenderMenuRegistrar({"render-menu", "classic|xp OUTFILE.png", &RunRenderMenu});

}  // namespace
