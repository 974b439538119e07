// Device contexts: state, selections, saved states, mapping and clipping.

#include "platform/gdi/Dc.h"

#include <cassert>
#include <cmath>
#include <mutex>
#include <unordered_map>

#include "platform/gdi/DcData.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/ImageDc.h"
#include "platform/gdi/PagePicture.h"
#include "platform/gdi/SystemInfo.h"

namespace {

// One painter per image at a time: a context that starts painting on an image ends the
// painter of any other context still open on it.
std::mutex g_surfaceLock;
std::unordered_map<const QImage*, DcData*> g_painting;

// Temporary wrappers of contexts: they never delete the context they wrap.
struct TempDcs {
  std::unordered_map<HDC, std::unique_ptr<CDC>> map;
  void Clear() {
    for (auto& [dc, wrapper] : map) wrapper->Detach();
    map.clear();
  }
  ~TempDcs() { Clear(); }
};
thread_local TempDcs t_tempDcs;

LONG MulDivRound(long long value, long long num, long long den) {
  if (den == 0) return 0;
  long long p = value * num;
  long long q = p / den;
  long long r = p % den;
  if (2 * std::llabs(r) >= std::llabs(den)) q += ((p < 0) != (den < 0)) ? -1 : 1;
  return LONG(q);
}

QRect NormalRect(int l, int t, int r, int b) {
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  return QRect(l, t, r - l, b - t);
}

// A deselected object that nothing else holds any more would vanish before the caller sees
// it; a temporary wrapper keeps it until the temporary objects are deleted.
HGDIOBJ KeepPrevious(HGDIOBJ old) {
  if (old && !old->stock && old->refs.load() == 1) CGdiObject::FromHandle(old);
  return old;
}

int RegionType(const QRegion& region) {
  if (region.isEmpty()) return NULLREGION;
  return region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

}  // namespace

// ---- DcData

DcData::DcData() {
  st.pen.reset(static_cast<HPEN>(GetStockObject(BLACK_PEN)));
  st.brush.reset(static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  st.font.reset(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
}

DcData::~DcData() {
  // A document context deleted in the middle of a document leaves no document behind.
  if (document && inDocument) document->Abort(painter);
  EndPainter();
  if (auto* b = SurfaceBitmap(); b && b->selectedIn == this) b->selectedIn = nullptr;
}

QImage* DcData::Surface() const {
  if (kind == Kind::Document) return nullptr;
  if (kind == Kind::Image) return external;
  auto* b = SurfaceBitmap();
  return b ? &b->image : nullptr;
}

QRect DcData::SurfaceRect() const {
  if (kind == Kind::Document) return QRect(QPoint(0, 0), document->PageSize());
  const QImage* image = Surface();
  return image ? image->rect() : QRect();
}

gdi::BitmapData* DcData::SurfaceBitmap() const { return static_cast<gdi::BitmapData*>(st.bitmap.get()); }

bool DcData::MonoSurface() const {
  auto* b = SurfaceBitmap();
  return kind == Kind::Memory && b && b->mono;
}

void DcData::OpenPainter(QPaintDevice* device) {
  if (!painter.isActive()) {
    painter.begin(device);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
  }
  painterFont = nullptr;
  painterClipValid = false;
}

QPainter& DcData::Painter() {
  if (!painter.isActive() && kind == Kind::Document) {
    // Drawing before the first page goes nowhere: a one-pixel page stands in until then.
    // Between pages the painter stays on the device (turning the page would end the
    // document), so that drawing there lands on the page just ended.
    if (!ownPage) ownPage = std::make_unique<QImage>(1, 1, QImage::Format_RGB32);
    OpenPainter(ownPage.get());
  } else if (!painter.isActive()) {
    QImage* image = Surface();
    {
      std::lock_guard guard(g_surfaceLock);
      auto it = g_painting.find(image);
      if (it != g_painting.end() && it->second != this) {
        it->second->painter.end();
        it->second->painterFont = nullptr;
      }
      g_painting[image] = this;
    }
    OpenPainter(image);
  }
  if (!painterClipValid) {
    if (st.clip)
      painter.setClipRegion(*st.clip);
    else
      painter.setClipping(false);
    painterClipValid = true;
  }
  return painter;
}

bool DcData::StartDocumentPage() {
  QPagedPaintDevice& device = document->Device();
  if (painter.isActive() && painter.device() == ownPage.get()) painter.end();
  if (painter.isActive() && !device.newPage()) return false;
  // Begins the document on its first page; on later pages our record of the painter's state
  // is void, so that the next calls set it again.
  OpenPainter(&device);
  pageOpen = painter.isActive();
  return pageOpen;
}

void DcData::PaintPatch(const QImage& patch, QPoint at) {
  PaintPagePicture(Painter(), QRectF(at, patch.size()), patch);
}

void DcData::EndPainter() {
  // A document's painter lasts from its first page to its end; only the stand-in page ends.
  if (kind == Kind::Document && painter.device() != ownPage.get()) return;
  if (!painter.isActive()) return;
  painter.end();
  painterFont = nullptr;
  std::lock_guard guard(g_surfaceLock);
  for (auto it = g_painting.begin(); it != g_painting.end(); ++it) {
    if (it->second == this) {
      g_painting.erase(it);
      break;
    }
  }
}

QImage& DcData::RawSurface() {
  assert(HasPixels());
  EndPainter();
  QImage* image = Surface();
  ReleaseImageSurface(image);
  return *image;
}

void DcData::BeginDraw() {
  auto* b = SurfaceBitmap();
  if (kind == Kind::Memory && b && b->dib) {
    EndPainter();
    b->ImportDib();
  }
}

void DcData::EndDraw() {
  auto* b = SurfaceBitmap();
  if (kind != Kind::Memory || !b || (!b->dib && !b->mono)) return;
  EndPainter();
  if (b->mono) gdi::ThresholdMono(b->image);
  b->ExportDib();
}

void DcData::ClipChanged() {
  painterClipValid = false;
  if (painter.isActive()) Painter();
}

QRegion DcData::DeviceClip() const {
  QRegion whole(SurfaceRect());
  return st.clip ? st.clip->intersected(whole) : whole;
}

bool DcData::IsIdentityMapping() const { return st.mapMode == MM_TEXT; }

POINT DcData::ToDevice(int x, int y) const {
  if (IsIdentityMapping())
    return POINT{x - st.windowOrg.x + st.viewportOrg.x, y - st.windowOrg.y + st.viewportOrg.y};
  return POINT{st.viewportOrg.x + MulDivRound(x - st.windowOrg.x, st.viewportExt.cx, st.windowExt.cx),
               st.viewportOrg.y + MulDivRound(y - st.windowOrg.y, st.viewportExt.cy, st.windowExt.cy)};
}

POINT DcData::ToLogical(int x, int y) const {
  if (IsIdentityMapping())
    return POINT{x - st.viewportOrg.x + st.windowOrg.x, y - st.viewportOrg.y + st.windowOrg.y};
  return POINT{st.windowOrg.x + MulDivRound(x - st.viewportOrg.x, st.windowExt.cx, st.viewportExt.cx),
               st.windowOrg.y + MulDivRound(y - st.viewportOrg.y, st.windowExt.cy, st.viewportExt.cy)};
}

QRect DcData::ToDeviceRect(int l, int t, int r, int b) const {
  POINT a = ToDevice(l, t);
  POINT c = ToDevice(r, b);
  return NormalRect(a.x, a.y, c.x, c.y);
}

int DcData::ToDeviceWidth(int w) const {
  return IsIdentityMapping() ? w : std::abs(MulDivRound(w, st.viewportExt.cx, st.windowExt.cx));
}

int DcData::ToDeviceHeight(int h) const {
  return IsIdentityMapping() ? h : std::abs(MulDivRound(h, st.viewportExt.cy, st.windowExt.cy));
}

double DcData::ScaleX() const { return double(st.viewportExt.cx) / st.windowExt.cx; }
double DcData::ScaleY() const { return double(st.viewportExt.cy) / st.windowExt.cy; }

const gdi::RealFont& DcData::RealizedFont() const {
  gdi::FontData* font = Font();
  const int h = font->log.lfHeight;
  const int device = h < 0 ? -ToDeviceHeight(-h) : ToDeviceHeight(h);
  return gdi::Realize(*font, device);
}

// ---- handle functions

HDC CreateCompatibleDC(HDC dc) {
  auto* d = new DcData;
  d->kind = DcData::Kind::Memory;
  if (dc) {
    d->dpi = dc->dpi;
    d->screen = dc->screen;
  }
  d->st.bitmap.reset(gdi::StockMonoBitmap());
  return d;
}

BOOL DeleteDC(HDC dc) {
  if (!dc) return FALSE;
  if (auto it = t_tempDcs.map.find(dc); it != t_tempDcs.map.end()) {
    it->second->Detach();
    t_tempDcs.map.erase(it);
  }
  delete dc;
  return TRUE;
}

HDC CreateImageDC(QImage* image, const SImageDcOptions& options) {
  if (!image || image->isNull()) return nullptr;
  auto* d = new DcData;
  d->kind = DcData::Kind::Image;
  d->external = image;
  d->dpi = options.dpi;
  d->printer = options.printer;
  d->screen = options.screen && !options.printer;
  return d;
}

void ReleaseImageSurface(QImage* image) {
  DcData* owner = nullptr;
  {
    std::lock_guard guard(g_surfaceLock);
    auto it = g_painting.find(image);
    if (it == g_painting.end()) return;
    owner = it->second;
  }
  owner->EndPainter();
}

const QImage* GetBitmapImage(HBITMAP bitmap) {
  auto* b = gdi::Data<gdi::BitmapData>(bitmap);
  if (!b) return nullptr;
  if (b->selectedIn) b->selectedIn->EndPainter();
  b->ImportDib();
  return &b->image;
}

HBITMAP CreateBitmapFromImage(const QImage& image) {
  if (image.isNull()) return nullptr;
  return gdi::NewBitmap(image.convertToFormat(QImage::Format_RGB32), false);
}

namespace {

// The whole sheet in device pixels, placed so that the printable area's corner is at 0, 0.
QRect PaperRect(const DcData& dc) { return dc.document ? dc.document->Paper() : dc.SurfaceRect(); }

}  // namespace

int GetDeviceCaps(HDC dc, int index) {
  if (!dc) return 0;
  const bool page = (dc->kind == DcData::Kind::Image && !dc->screen) || dc->kind == DcData::Kind::Document;
  const QRect surface = dc->SurfaceRect();
  const int width = page ? surface.width() : GetSystemMetrics(SM_CXSCREEN);
  const int height = page ? surface.height() : GetSystemMetrics(SM_CYSCREEN);
  switch (index) {
    case DRIVERVERSION:
      return 0x4000;
    case TECHNOLOGY:
      return dc->printer ? DT_RASPRINTER : DT_RASDISPLAY;
    case HORZRES:
      return width;
    case VERTRES:
      return height;
    case HORZSIZE:
      return int(std::lround(width * 25.4 / dc->dpi));
    case VERTSIZE:
      return int(std::lround(height * 25.4 / dc->dpi));
    case BITSPIXEL:
      return dc->MonoSurface() ? 1 : 32;
    case PLANES:
      return 1;
    case NUMCOLORS:
      return dc->colorCount;
    case RASTERCAPS:
      return RC_BITBLT | RC_STRETCHBLT | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHDIB |
             (dc->screen && IsPaletteDisplay() ? RC_PALETTE : 0);
    case SIZEPALETTE:
      return dc->screen && IsPaletteDisplay() ? 256 : 0;
    case ASPECTX:
    case ASPECTY:
      return 36;
    case ASPECTXY:
      return 51;
    case LOGPIXELSX:
    case LOGPIXELSY:
      return dc->dpi;
    case PHYSICALWIDTH:
      return dc->printer ? PaperRect(*dc).width() : 0;
    case PHYSICALHEIGHT:
      return dc->printer ? PaperRect(*dc).height() : 0;
    case PHYSICALOFFSETX:
      return dc->printer ? -PaperRect(*dc).left() : 0;
    case PHYSICALOFFSETY:
      return dc->printer ? -PaperRect(*dc).top() : 0;
    default:
      return 0;
  }
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  if (!dc || !object) return nullptr;
  DcState& st = dc->st;
  if (auto* pen = dynamic_cast<HPEN>(object)) {
    HGDIOBJ old = KeepPrevious(st.pen.get());
    st.pen.reset(pen);
    return old;
  }
  if (auto* brush = dynamic_cast<HBRUSH>(object)) {
    HGDIOBJ old = KeepPrevious(st.brush.get());
    st.brush.reset(brush);
    return old;
  }
  if (auto* font = dynamic_cast<HFONT>(object)) {
    HGDIOBJ old = KeepPrevious(st.font.get());
    st.font.reset(font);
    return old;
  }
  if (auto* bitmap = gdi::Data<gdi::BitmapData>(object)) {
    if (dc->kind != DcData::Kind::Memory) return nullptr;
    if (bitmap->selectedIn && bitmap->selectedIn != dc) return nullptr;
    dc->EndPainter();
    auto* old = dc->SurfaceBitmap();
    KeepPrevious(old);
    if (old && old->selectedIn == dc) old->selectedIn = nullptr;
    st.bitmap.reset(bitmap);
    if (!bitmap->stock) bitmap->selectedIn = dc;
    dc->painterClipValid = false;
    return old;
  }
  if (auto* region = gdi::Data<gdi::RgnData>(object)) {
    st.clip = region->region;
    dc->ClipChanged();
    return object;
  }
  if (dynamic_cast<HPALETTE>(object)) return GetStockObject(DEFAULT_PALETTE);
  return nullptr;
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
  if (!dc) return nullptr;
  switch (type) {
    case OBJ_PEN:
      return dc->st.pen.get();
    case OBJ_BRUSH:
      return dc->st.brush.get();
    case OBJ_FONT:
      return dc->st.font.get();
    case OBJ_BITMAP:
      return dc->st.bitmap.get();
    case OBJ_PAL:
      return GetStockObject(DEFAULT_PALETTE);
    default:
      return nullptr;
  }
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
  if (!dc) return CLR_INVALID;
  return std::exchange(dc->st.textColor, color & 0xFFFFFF);
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
  if (!dc) return CLR_INVALID;
  return std::exchange(dc->st.bkColor, color & 0xFFFFFF);
}

int SetBkMode(HDC dc, int mode) {
  if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  return std::exchange(dc->st.bkMode, mode);
}

int SaveDC(HDC dc) {
  if (!dc) return 0;
  dc->saved.push_back(dc->st);
  return int(dc->saved.size());
}

BOOL RestoreDC(HDC dc, int savedDC) {
  if (!dc || savedDC == 0) return FALSE;
  const int count = int(dc->saved.size());
  const int index = savedDC > 0 ? savedDC - 1 : count + savedDC;
  if (index < 0 || index >= count) return FALSE;
  auto* oldBitmap = dc->SurfaceBitmap();
  DcState restored = dc->saved[std::size_t(index)];
  auto* newBitmap = static_cast<gdi::BitmapData*>(restored.bitmap.get());
  if (newBitmap != oldBitmap) {
    if (newBitmap && newBitmap->selectedIn && newBitmap->selectedIn != dc) return FALSE;
    dc->EndPainter();
    if (oldBitmap && oldBitmap->selectedIn == dc) oldBitmap->selectedIn = nullptr;
    if (newBitmap && !newBitmap->stock) newBitmap->selectedIn = dc;
  }
  dc->st = restored;
  dc->saved.resize(std::size_t(index));
  dc->ClipChanged();
  return TRUE;
}

BOOL GdiFlush() { return TRUE; }

// ---- CDC: handle and state

CDC::~CDC() {
  if (m_hDC) ::DeleteDC(Detach());
}

BOOL CDC::Attach(HDC dc) {
  if (!dc) return FALSE;
  m_hDC = dc;
  m_hAttribDC = dc;
  return TRUE;
}

HDC CDC::Detach() {
  HDC dc = m_hDC;
  m_hDC = nullptr;
  m_hAttribDC = nullptr;
  return dc;
}

CDC* CDC::FromHandle(HDC dc) {
  if (!dc) return nullptr;
  auto& slot = t_tempDcs.map[dc];
  if (!slot) {
    slot = std::make_unique<CDC>();
    slot->Attach(dc);
  }
  slot->m_bPrinting = dc->printer;
  return slot.get();
}

void CDC::DeleteTempMap() { t_tempDcs.Clear(); }

BOOL CDC::CreateCompatibleDC(CDC* dc) { return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr)); }

BOOL CDC::DeleteDC() {
  if (!m_hDC) return FALSE;
  return ::DeleteDC(Detach());
}

int CDC::GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hAttribDC ? m_hAttribDC : m_hDC, index); }

int CDC::SaveDC() { return ::SaveDC(m_hDC); }
BOOL CDC::RestoreDC(int savedDC) { return ::RestoreDC(m_hDC, savedDC); }

CPen* CDC::SelectObject(CPen* pen) {
  return pen ? CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, pen->m_hObject))) : nullptr;
}
CBrush* CDC::SelectObject(CBrush* brush) {
  return brush ? CBrush::FromHandle(static_cast<HBRUSH>(::SelectObject(m_hDC, brush->m_hObject))) : nullptr;
}
CFont* CDC::SelectObject(CFont* font) {
  return font ? CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, font->m_hObject))) : nullptr;
}
CBitmap* CDC::SelectObject(CBitmap* bitmap) {
  return bitmap ? CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, bitmap->m_hObject)))
                : nullptr;
}
CGdiObject* CDC::SelectObject(CGdiObject* object) {
  return object ? CGdiObject::FromHandle(::SelectObject(m_hDC, object->m_hObject)) : nullptr;
}
HGDIOBJ CDC::SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
CGdiObject* CDC::SelectStockObject(int index) {
  return CGdiObject::FromHandle(::SelectObject(m_hDC, GetStockObject(index)));
}
CPen* CDC::GetCurrentPen() const {
  return CPen::FromHandle(static_cast<HPEN>(GetCurrentObject(m_hDC, OBJ_PEN)));
}
CBrush* CDC::GetCurrentBrush() const {
  return CBrush::FromHandle(static_cast<HBRUSH>(GetCurrentObject(m_hDC, OBJ_BRUSH)));
}
CFont* CDC::GetCurrentFont() const {
  return CFont::FromHandle(static_cast<HFONT>(GetCurrentObject(m_hDC, OBJ_FONT)));
}

COLORREF CDC::GetTextColor() const { return m_hDC ? m_hDC->st.textColor : CLR_INVALID; }
COLORREF CDC::SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
COLORREF CDC::GetBkColor() const { return m_hDC ? m_hDC->st.bkColor : CLR_INVALID; }
COLORREF CDC::SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
int CDC::GetBkMode() const { return m_hDC ? m_hDC->st.bkMode : 0; }
int CDC::SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
UINT CDC::GetTextAlign() const { return m_hDC ? m_hDC->st.textAlign : 0; }
UINT CDC::SetTextAlign(UINT flags) { return std::exchange(m_hDC->st.textAlign, flags); }
int CDC::SetROP2(int mode) {
  if (mode < R2_BLACK || mode > R2_WHITE) return 0;
  return std::exchange(m_hDC->st.rop2, mode);
}
int CDC::SetPolyFillMode(int mode) { return std::exchange(m_hDC->st.polyFillMode, mode); }

// ---- CDC: mapping

namespace {

// Metric modes: logical units per inch against device pixels per inch; y grows upwards.
bool MetricUnitsPerInch(int mode, int& units) {
  switch (mode) {
    case MM_LOMETRIC:
      units = 254;
      return true;
    case MM_HIMETRIC:
      units = 2540;
      return true;
    case MM_LOENGLISH:
      units = 100;
      return true;
    case MM_HIENGLISH:
      units = 1000;
      return true;
    case MM_TWIPS:
      units = 1440;
      return true;
    default:
      return false;
  }
}

void FitIsotropic(DcState& st) {
  if (st.mapMode != MM_ISOTROPIC || st.windowExt.cx == 0 || st.windowExt.cy == 0) return;
  const double sx = std::abs(double(st.viewportExt.cx) / st.windowExt.cx);
  const double sy = std::abs(double(st.viewportExt.cy) / st.windowExt.cy);
  if (sx < sy) {
    const LONG cy = LONG(std::lround(std::abs(double(st.windowExt.cy)) * sx));
    st.viewportExt.cy = st.viewportExt.cy < 0 ? -cy : cy;
  } else if (sy < sx) {
    const LONG cx = LONG(std::lround(std::abs(double(st.windowExt.cx)) * sy));
    st.viewportExt.cx = st.viewportExt.cx < 0 ? -cx : cx;
  }
}

bool FreeExtents(int mode) { return mode == MM_ISOTROPIC || mode == MM_ANISOTROPIC; }

}  // namespace

int CDC::GetMapMode() const { return m_hDC->st.mapMode; }

int CDC::SetMapMode(int mode) {
  if (mode < MM_TEXT || mode > MM_ANISOTROPIC) return 0;
  DcState& st = m_hDC->st;
  const int old = st.mapMode;
  st.mapMode = mode;
  int units = 0;
  if (mode == MM_TEXT) {
    st.windowExt = SIZE{1, 1};
    st.viewportExt = SIZE{1, 1};
  } else if (MetricUnitsPerInch(mode, units)) {
    st.windowExt = SIZE{units, units};
    st.viewportExt = SIZE{m_hDC->dpi, -m_hDC->dpi};
  } else if (mode == MM_ISOTROPIC && !FreeExtents(old)) {
    // Isotropic starts from the low-metric scale.
    st.windowExt = SIZE{254, 254};
    st.viewportExt = SIZE{m_hDC->dpi, -m_hDC->dpi};
  }
  return old;
}

CPoint CDC::GetViewportOrg() const { return m_hDC->st.viewportOrg; }
CPoint CDC::SetViewportOrg(int x, int y) { return std::exchange(m_hDC->st.viewportOrg, POINT{x, y}); }
CSize CDC::GetViewportExt() const { return m_hDC->st.viewportExt; }
CSize CDC::SetViewportExt(int cx, int cy) {
  DcState& st = m_hDC->st;
  SIZE old = st.viewportExt;
  if (!FreeExtents(st.mapMode) || cx == 0 || cy == 0) return old;
  st.viewportExt = SIZE{cx, cy};
  FitIsotropic(st);
  return old;
}
CPoint CDC::GetWindowOrg() const { return m_hDC->st.windowOrg; }
CPoint CDC::SetWindowOrg(int x, int y) { return std::exchange(m_hDC->st.windowOrg, POINT{x, y}); }
CPoint CDC::OffsetWindowOrg(int dx, int dy) {
  POINT old = m_hDC->st.windowOrg;
  m_hDC->st.windowOrg = POINT{old.x + dx, old.y + dy};
  return old;
}
CSize CDC::GetWindowExt() const { return m_hDC->st.windowExt; }
CSize CDC::SetWindowExt(int cx, int cy) {
  DcState& st = m_hDC->st;
  SIZE old = st.windowExt;
  if (!FreeExtents(st.mapMode) || cx == 0 || cy == 0) return old;
  st.windowExt = SIZE{cx, cy};
  FitIsotropic(st);
  return old;
}

void CDC::LPtoDP(LPPOINT points, int count) const {
  for (int i = 0; i < count; ++i) points[i] = m_hDC->ToDevice(points[i].x, points[i].y);
}
void CDC::LPtoDP(LPRECT rect) const { LPtoDP(reinterpret_cast<LPPOINT>(rect), 2); }
void CDC::DPtoLP(LPPOINT points, int count) const {
  for (int i = 0; i < count; ++i) points[i] = m_hDC->ToLogical(points[i].x, points[i].y);
}
void CDC::DPtoLP(LPRECT rect) const { DPtoLP(reinterpret_cast<LPPOINT>(rect), 2); }
void CDC::DPtoLP(LPSIZE size) const {
  const DcState& st = m_hDC->st;
  size->cx = MulDivRound(size->cx, std::abs(st.windowExt.cx), std::abs(st.viewportExt.cx));
  size->cy = MulDivRound(size->cy, std::abs(st.windowExt.cy), std::abs(st.viewportExt.cy));
}

// ---- CDC: clipping

// The device box's corners in logical units: with an upward y axis the top stays the
// corner that is on top on the device.
int CDC::GetClipBox(LPRECT rect) const {
  QRegion clip = m_hDC->DeviceClip();
  QRect box = clip.boundingRect();
  POINT a = m_hDC->ToLogical(box.left(), box.top());
  POINT b = m_hDC->ToLogical(box.left() + box.width(), box.top() + box.height());
  if (clip.isEmpty()) a = b = POINT{0, 0};
  if (rect) *rect = RECT{a.x, a.y, b.x, b.y};
  return RegionType(clip);
}

int CDC::SelectClipRgn(CRgn* region) { return SelectClipRgn(region, RGN_COPY); }

int CDC::SelectClipRgn(CRgn* region, int mode) {
  DcState& st = m_hDC->st;
  auto* r = region ? gdi::Data<gdi::RgnData>(region->m_hObject) : nullptr;
  if (!r && mode != RGN_COPY) return ERROR;
  switch (mode) {
    case RGN_COPY:
      if (r)
        st.clip = r->region;
      else
        st.clip.reset();
      break;
    case RGN_AND:
      st.clip = m_hDC->DeviceClip().intersected(r->region);
      break;
    case RGN_OR:
      st.clip = m_hDC->DeviceClip().united(r->region);
      break;
    case RGN_XOR:
      st.clip = m_hDC->DeviceClip().xored(r->region);
      break;
    case RGN_DIFF:
      st.clip = m_hDC->DeviceClip().subtracted(r->region);
      break;
    default:
      return ERROR;
  }
  m_hDC->ClipChanged();
  return RegionType(m_hDC->DeviceClip());
}

int CDC::IntersectClipRect(int left, int top, int right, int bottom) {
  m_hDC->st.clip = m_hDC->DeviceClip().intersected(m_hDC->ToDeviceRect(left, top, right, bottom));
  m_hDC->ClipChanged();
  return RegionType(*m_hDC->st.clip);
}

int CDC::ExcludeClipRect(int left, int top, int right, int bottom) {
  m_hDC->st.clip = m_hDC->DeviceClip().subtracted(m_hDC->ToDeviceRect(left, top, right, bottom));
  m_hDC->ClipChanged();
  return RegionType(*m_hDC->st.clip);
}

BOOL CDC::PtVisible(int x, int y) const {
  POINT p = m_hDC->ToDevice(x, y);
  return m_hDC->DeviceClip().contains(QPoint(p.x, p.y));
}

BOOL CDC::RectVisible(LPCRECT rect) const {
  return m_hDC->DeviceClip().intersects(
      m_hDC->ToDeviceRect(rect->left, rect->top, rect->right, rect->bottom));
}
