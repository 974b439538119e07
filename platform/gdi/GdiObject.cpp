#include "platform/gdi/GdiObject.h"

#include <cstring>
#include <mutex>
#include <unordered_map>

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiInternals.h"
#include "platform/gdi/Pen.h"
#include "platform/gdi/Rgn.h"

namespace gdi {

void AddRef(HGDIOBJ h) {
  if (h) h->refs.fetch_add(1);
}

void Release(HGDIOBJ h) {
  if (h && !h->stock && h->refs.fetch_sub(1) == 1) delete h;
}

}  // namespace gdi

namespace {

// Temporary wrappers of handles that have no owning wrapper; each holds a reference, which
// it gives back (without deleting the object) when the map is emptied or its thread ends.
struct TempObjects {
  std::unordered_map<HGDIOBJ, std::unique_ptr<CGdiObject>> map;
  void Clear() {
    for (auto& [handle, wrapper] : map) {
      wrapper->m_hObject = nullptr;
      gdi::Release(handle);
    }
    map.clear();
  }
  ~TempObjects() { Clear(); }
};
thread_local TempObjects t_tempObjects;

std::unique_ptr<CGdiObject> MakeWrapper(HGDIOBJ h) {
  if (dynamic_cast<HPEN>(h)) return std::make_unique<CPen>();
  if (dynamic_cast<HBRUSH>(h)) return std::make_unique<CBrush>();
  if (dynamic_cast<HFONT>(h)) return std::make_unique<CFont>();
  if (dynamic_cast<HBITMAP>(h)) return std::make_unique<CBitmap>();
  if (dynamic_cast<HRGN>(h)) return std::make_unique<CRgn>();
  return std::make_unique<CGdiObject>();
}

HGDIOBJ MakeStock(int index) {
  using namespace gdi;
  auto solidBrush = [](COLORREF c) {
    auto* b = new BrushData;
    b->color = c;
    return static_cast<HGDIOBJ>(b);
  };
  auto pen = [](int style, COLORREF c) {
    auto* p = new PenData;
    p->style = style;
    p->fullStyle = style;
    p->color = c;
    return static_cast<HGDIOBJ>(p);
  };
  auto font = [](const char16_t* face, int height, int weight, BYTE pitch) {
    auto* f = new FontData;
    f->log.lfHeight = height;
    f->log.lfWeight = weight;
    f->log.lfPitchAndFamily = pitch;
    std::char_traits<char16_t>::copy(f->log.lfFaceName, face, std::char_traits<char16_t>::length(face));
    return static_cast<HGDIOBJ>(f);
  };
  switch (index) {
    case WHITE_BRUSH:
      return solidBrush(RGB(255, 255, 255));
    case LTGRAY_BRUSH:
      return solidBrush(RGB(192, 192, 192));
    case GRAY_BRUSH:
      return solidBrush(RGB(128, 128, 128));
    case DKGRAY_BRUSH:
      return solidBrush(RGB(64, 64, 64));
    case BLACK_BRUSH:
      return solidBrush(RGB(0, 0, 0));
    case NULL_BRUSH: {
      auto* b = new BrushData;
      b->style = BS_NULL;
      return b;
    }
    case WHITE_PEN:
      return pen(PS_SOLID, RGB(255, 255, 255));
    case BLACK_PEN:
      return pen(PS_SOLID, RGB(0, 0, 0));
    case NULL_PEN:
      return pen(PS_NULL, 0);
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT:
      return font(u"Courier New", 16, FW_NORMAL, FIXED_PITCH | FF_MODERN);
    case ANSI_VAR_FONT:
      return font(u"MS Sans Serif", 13, FW_NORMAL, VARIABLE_PITCH | FF_SWISS);
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
      return font(u"System", 16, FW_BOLD, VARIABLE_PITCH | FF_SWISS);
    case DEFAULT_GUI_FONT:
      return font(u"MS Shell Dlg", -11, FW_NORMAL, DEFAULT_PITCH | FF_DONTCARE);
    case DEFAULT_PALETTE:
      return new PaletteData;
    default:
      return nullptr;
  }
}

}  // namespace

HGDIOBJ GetStockObject(int index) {
  constexpr int kCount = DEFAULT_GUI_FONT + 1;
  static HGDIOBJ stock[kCount] = {};
  static std::once_flag once;
  std::call_once(once, [] {
    for (int i = 0; i < kCount; ++i) {
      stock[i] = MakeStock(i);
      if (stock[i]) stock[i]->stock = true;
    }
  });
  return index >= 0 && index < kCount ? stock[index] : nullptr;
}

BOOL DeleteObject(HGDIOBJ object) {
  if (!object) return FALSE;
  if (object->stock) return TRUE;
  if (object->deleted) return FALSE;
  object->deleted = true;
  object->permanent = nullptr;
  gdi::Release(object);
  return TRUE;
}

DWORD GetObjectType(HGDIOBJ object) {
  if (dynamic_cast<HPEN>(object)) return OBJ_PEN;
  if (dynamic_cast<HBRUSH>(object)) return OBJ_BRUSH;
  if (dynamic_cast<HFONT>(object)) return OBJ_FONT;
  if (dynamic_cast<HBITMAP>(object)) return OBJ_BITMAP;
  if (dynamic_cast<HRGN>(object)) return OBJ_REGION;
  if (dynamic_cast<HPALETTE>(object)) return OBJ_PAL;
  return 0;
}

namespace {

template <class T>
int CopyOut(const T& value, int size, void* buffer) {
  if (!buffer) return int(sizeof(T));
  if (size < int(sizeof(T))) return 0;
  std::memcpy(buffer, &value, sizeof(T));
  return int(sizeof(T));
}

int GetBitmapObject(const gdi::BitmapData& b, int size, void* buffer) {
  BITMAP bm{};
  bm.bmWidth = b.image.width();
  bm.bmHeight = b.image.height();
  bm.bmPlanes = 1;
  bm.bmBitsPixel = WORD(b.bitsPerPixel);
  if (b.dib) {
    bm.bmWidthBytes = b.dib->stride;
    bm.bmBits = b.dib->bits;
  } else {
    bm.bmWidthBytes = ((bm.bmWidth * b.bitsPerPixel + 15) / 16) * 2;
  }
  if (b.dib && buffer && size >= int(sizeof(DIBSECTION))) {
    DIBSECTION ds{};
    ds.dsBm = bm;
    ds.dsBmih = b.dib->header;
    return CopyOut(ds, size, buffer);
  }
  if (b.dib && !buffer) return int(sizeof(DIBSECTION));
  return CopyOut(bm, size, buffer);
}

}  // namespace

int GetObject(HGDIOBJ object, int size, void* buffer) {
  using namespace gdi;
  if (auto* p = Data<PenData>(object)) {
    LOGPEN lp{UINT(p->fullStyle), POINT{p->width, 0}, p->color};
    return CopyOut(lp, size, buffer);
  }
  if (auto* b = Data<BrushData>(object)) {
    LOGBRUSH lb{b->style, b->color, UINT_PTR(b->hatch)};
    return CopyOut(lb, size, buffer);
  }
  if (auto* f = Data<FontData>(object)) return CopyOut(f->log, size, buffer);
  if (auto* b = Data<BitmapData>(object)) return GetBitmapObject(*b, size, buffer);
  if (auto* p = Data<PaletteData>(object)) {
    WORD count = WORD(p->entries.size());
    return CopyOut(count, size, buffer);
  }
  return 0;
}

CGdiObject::~CGdiObject() { DeleteObject(); }

BOOL CGdiObject::Attach(HGDIOBJ handle) {
  if (!handle) return FALSE;
  m_hObject = handle;
  if (!handle->stock) handle->permanent = this;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ h = m_hObject;
  if (h && h->permanent == this) h->permanent = nullptr;
  m_hObject = nullptr;
  return h;
}

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) return FALSE;
  return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int size, void* buffer) const { return ::GetObject(m_hObject, size, buffer); }

CGdiObject* CGdiObject::FromHandle(HGDIOBJ handle) {
  if (!handle) return nullptr;
  if (handle->permanent) return handle->permanent;
  if (handle->stock) {
    // Stock objects live for the whole run, and so do their wrappers.
    static std::mutex lock;
    static std::unordered_map<HGDIOBJ, std::unique_ptr<CGdiObject>> stockWrappers;
    std::lock_guard guard(lock);
    auto& wrapper = stockWrappers[handle];
    if (!wrapper) {
      wrapper = MakeWrapper(handle);
      wrapper->m_hObject = handle;
    }
    return wrapper.get();
  }
  auto& slot = t_tempObjects.map[handle];
  if (!slot) {
    slot = MakeWrapper(handle);
    slot->m_hObject = handle;
    gdi::AddRef(handle);
  }
  return slot.get();
}

void CGdiObject::DeleteTempMap() { t_tempObjects.Clear(); }
