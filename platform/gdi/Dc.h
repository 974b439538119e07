#pragma once
// CDC: a device context. It draws into an image (a window's backing image, a bitmap selected
// into a memory context, a printer page) with the platform's pixel rules: a line leaves out
// its end pixel, rectangles leave out their right and bottom edge, text aligns by the TA_
// flags, raster operations work bit by bit on the pixels. Coordinates are logical units
// mapped by the mapping mode; clipping is in device units.

#include "platform/base/String.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Pen.h"
#include "platform/gdi/Rgn.h"

struct DOCINFO {
  int cbSize;
  LPCTSTR lpszDocName;
  LPCTSTR lpszOutput;
  LPCTSTR lpszDatatype;
  DWORD fwType;
};
constexpr int SP_ERROR = -1;

class CDC {
 public:
  CDC() = default;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;
  // Deletes the context it holds (a context that was only borrowed must be detached first).
  virtual ~CDC();

  HDC m_hDC = nullptr;
  HDC m_hAttribDC = nullptr;
  BOOL m_bPrinting = FALSE;

  HDC GetSafeHdc() const { return m_hDC; }
  operator HDC() const { return m_hDC; }
  BOOL Attach(HDC dc);
  HDC Detach();
  void SetAttribDC(HDC dc) { m_hAttribDC = dc; }
  void SetOutputDC(HDC dc) { m_hDC = dc; }
  void ReleaseAttribDC() { m_hAttribDC = nullptr; }
  void ReleaseOutputDC() { m_hDC = nullptr; }
  // A wrapper for a handle: a temporary object that lives until DeleteTempMap.
  static CDC* FromHandle(HDC dc);
  static void DeleteTempMap();

  // A memory context like dc (the screen when dc is null), holding a 1 x 1 monochrome bitmap.
  BOOL CreateCompatibleDC(CDC* dc);
  BOOL DeleteDC();
  BOOL IsPrinting() const { return m_bPrinting; }
  int GetDeviceCaps(int index) const;

  int SaveDC();
  // savedDC > 0 restores that state (and drops the later ones), < 0 counts back from the latest.
  BOOL RestoreDC(int savedDC);

  CPen* SelectObject(CPen* pen);
  CBrush* SelectObject(CBrush* brush);
  CFont* SelectObject(CFont* font);
  CBitmap* SelectObject(CBitmap* bitmap);
  CGdiObject* SelectObject(CGdiObject* object);
  HGDIOBJ SelectObject(HGDIOBJ object);
  CGdiObject* SelectStockObject(int index);
  CPen* GetCurrentPen() const;
  CBrush* GetCurrentBrush() const;
  CFont* GetCurrentFont() const;

  COLORREF GetTextColor() const;
  COLORREF SetTextColor(COLORREF color);
  COLORREF GetBkColor() const;
  COLORREF SetBkColor(COLORREF color);
  int GetBkMode() const;
  int SetBkMode(int mode);
  UINT GetTextAlign() const;
  UINT SetTextAlign(UINT flags);
  int SetROP2(int mode);
  int SetPolyFillMode(int mode);

  int GetMapMode() const;
  int SetMapMode(int mode);
  CPoint GetViewportOrg() const;
  CPoint SetViewportOrg(int x, int y);
  CPoint SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
  CSize GetViewportExt() const;
  CSize SetViewportExt(int cx, int cy);
  CSize SetViewportExt(SIZE size) { return SetViewportExt(size.cx, size.cy); }
  CPoint GetWindowOrg() const;
  CPoint SetWindowOrg(int x, int y);
  CPoint SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
  CPoint OffsetWindowOrg(int dx, int dy);
  CSize GetWindowExt() const;
  CSize SetWindowExt(int cx, int cy);
  CSize SetWindowExt(SIZE size) { return SetWindowExt(size.cx, size.cy); }
  void LPtoDP(LPPOINT points, int count = 1) const;
  void LPtoDP(LPRECT rect) const;
  void DPtoLP(LPPOINT points, int count = 1) const;
  void DPtoLP(LPRECT rect) const;
  void DPtoLP(LPSIZE size) const;

  // Clipping. Rectangles are logical; regions are device units.
  int GetClipBox(LPRECT rect) const;
  int SelectClipRgn(CRgn* region);
  int SelectClipRgn(CRgn* region, int mode);
  int IntersectClipRect(int left, int top, int right, int bottom);
  int IntersectClipRect(LPCRECT rect) {
    return IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom);
  }
  int ExcludeClipRect(int left, int top, int right, int bottom);
  int ExcludeClipRect(LPCRECT rect) {
    return ExcludeClipRect(rect->left, rect->top, rect->right, rect->bottom);
  }
  BOOL PtVisible(int x, int y) const;
  BOOL PtVisible(POINT point) const { return PtVisible(point.x, point.y); }
  BOOL RectVisible(LPCRECT rect) const;

  // Lines and shapes.
  CPoint GetCurrentPosition() const;
  CPoint MoveTo(int x, int y);
  CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
  BOOL LineTo(int x, int y);
  BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
  BOOL Polyline(const POINT* points, int count);
  BOOL Polygon(const POINT* points, int count);
  BOOL Rectangle(int left, int top, int right, int bottom);
  BOOL Rectangle(LPCRECT rect) { return Rectangle(rect->left, rect->top, rect->right, rect->bottom); }
  BOOL RoundRect(int left, int top, int right, int bottom, int width, int height);
  BOOL Ellipse(int left, int top, int right, int bottom);
  BOOL Ellipse(LPCRECT rect) { return Ellipse(rect->left, rect->top, rect->right, rect->bottom); }
  void FillRect(LPCRECT rect, CBrush* brush);
  void FrameRect(LPCRECT rect, CBrush* brush);
  void InvertRect(LPCRECT rect);
  // Fills with a colour; like the framework, this leaves the background colour set to it.
  void FillSolidRect(LPCRECT rect, COLORREF color);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
  // Top and left edge in the first colour, right and bottom edge in the second; the
  // top-right and bottom-left corner pixels take the second colour.
  void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
  void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
  BOOL DrawEdge(LPRECT rect, UINT edge, UINT flags);
  COLORREF SetPixel(int x, int y, COLORREF color);
  COLORREF SetPixel(POINT point, COLORREF color) { return SetPixel(point.x, point.y, color); }
  BOOL SetPixelV(int x, int y, COLORREF color);
  COLORREF GetPixel(int x, int y) const;
  COLORREF GetPixel(POINT point) const { return GetPixel(point.x, point.y); }

  // Text.
  BOOL TextOut(int x, int y, LPCTSTR text, int count);
  BOOL TextOut(int x, int y, const CString& text) { return TextOut(x, y, text, text.GetLength()); }
  BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCTSTR text, UINT count, const int* dx);
  BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, const int* dx) {
    return ExtTextOut(x, y, options, rect, text, text.GetLength(), dx);
  }
  // count -1: up to the terminating zero. Result: the height of the text drawn (from the top
  // of the rectangle for DT_VCENTER and DT_BOTTOM); with DT_CALCRECT the rectangle is set to
  // the text's size and nothing is drawn.
  int DrawText(LPCTSTR text, int count, LPRECT rect, UINT format);
  int DrawText(const CString& text, LPRECT rect, UINT format) {
    return DrawText(text, text.GetLength(), rect, format);
  }
  CSize GetTextExtent(LPCTSTR text, int count) const;
  CSize GetTextExtent(const CString& text) const { return GetTextExtent(text, text.GetLength()); }
  BOOL GetTextMetrics(LPTEXTMETRIC metrics) const;

  // Bitmaps.
  BOOL BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop);
  BOOL StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth,
                  int srcHeight, DWORD rop);
  BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
  // Pixels of the source equal to the transparent colour leave the target unchanged.
  BOOL TransparentBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth,
                      int srcHeight, UINT transparent);
  BOOL AlphaBlend(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth,
                  int srcHeight, BLENDFUNCTION blend);
  BOOL GradientFill(TRIVERTEX* vertices, ULONG vertexCount, void* mesh, ULONG meshCount, ULONG mode);

  // Printing (printer contexts, see PrintTarget.h). Results > 0 on success, SP_ERROR otherwise.
  int StartDoc(DOCINFO* info);
  int StartDoc(LPCTSTR docName);
  int StartPage();
  int EndPage();
  int EndDoc();
  int AbortDoc();
};

// Free-function forms over handles.
HDC CreateCompatibleDC(HDC dc);
BOOL DeleteDC(HDC dc);
int GetDeviceCaps(HDC dc, int index);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC dc, UINT type);
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF SetBkColor(HDC dc, COLORREF color);
int SetBkMode(HDC dc, int mode);
int SaveDC(HDC dc);
BOOL RestoreDC(HDC dc, int savedDC);
BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, int srcWidth,
                int srcHeight, DWORD rop);
// Drawing into images is done when each call returns; kept for code that flushes before it
// reads a DIB section's bits.
BOOL GdiFlush();
