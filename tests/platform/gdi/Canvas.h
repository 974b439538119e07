#pragma once
// A memory device context over a white colour bitmap, with helpers to look at its pixels.

#include <algorithm>
#include <vector>

#include "platform/gdi/Dc.h"
#include "platform/gdi/Gdi.h"

struct InkBox {
  int left = 0, top = 0, right = -1, bottom = -1;  // inclusive; empty when right < left
  bool Empty() const { return right < left; }
  int Width() const { return right - left + 1; }
  int Height() const { return bottom - top + 1; }
};

class Canvas {
 public:
  Canvas(int width, int height) : m_width(width), m_height(height) {
    dc.CreateCompatibleDC(nullptr);
    // A bitmap like the screen's (colour), not like the memory context's monochrome one.
    bitmap.Attach(CreateCompatibleBitmap(nullptr, width, height));
    old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, width, height, RGB(255, 255, 255));
  }
  ~Canvas() { dc.SelectObject(old); }

  // Pixels as stored in the bitmap, whatever the context's mapping and clip.
  COLORREF At(int x, int y) const { return At(Pixels(), x, y); }
  // How many pixels of area (right and bottom exclusive) have the colour.
  int Count(COLORREF color, const RECT& area) const {
    const std::vector<BYTE> pixels = Pixels();
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) n += At(pixels, x, y) == color;
    return n;
  }
  // Bounding box of every pixel that differs from white.
  InkBox Ink() const {
    const std::vector<BYTE> pixels = Pixels();
    InkBox box{m_width, m_height, -1, -1};
    for (int y = 0; y < m_height; ++y)
      for (int x = 0; x < m_width; ++x)
        if (At(pixels, x, y) != RGB(255, 255, 255)) {
          box.left = std::min(box.left, x);
          box.top = std::min(box.top, y);
          box.right = std::max(box.right, x);
          box.bottom = std::max(box.bottom, y);
        }
    if (box.right < 0) box = InkBox{};
    return box;
  }

  CDC dc;
  CBitmap bitmap;
  CBitmap* old = nullptr;

 private:
  std::vector<BYTE> Pixels() const {
    BITMAPINFO info{};
    info.bmiHeader =
        BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), m_width, -m_height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<BYTE> pixels(std::size_t(m_width) * std::size_t(m_height) * 4);
    GetDIBits(dc, bitmap, 0, UINT(m_height), pixels.data(), &info, DIB_RGB_COLORS);
    return pixels;
  }
  COLORREF At(const std::vector<BYTE>& pixels, int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return CLR_INVALID;
    const BYTE* p = &pixels[(std::size_t(y) * std::size_t(m_width) + std::size_t(x)) * 4];
    return RGB(p[2], p[1], p[0]);
  }

  int m_width;
  int m_height;
};
