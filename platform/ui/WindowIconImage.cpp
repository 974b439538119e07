#include "platform/ui/WindowIconImage.h"

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <algorithm>

#include "platform/gdi/QtString.h"
#include "platform/ui/Wnd.h"
#include "platform/ui/WndWidget.h"

namespace {

constexpr int kGap = 8;
constexpr QRgb kGround = 0xFFC0C0C0;

QIcon ShownIcon(HWND window) {
  if (!CWnd::IsWindowHandle(window) || !window->GetWidget()) return QIcon();
  QWidget* widget = window->GetWidget()->Widget();
  return widget->isWindow() ? widget->windowIcon() : QIcon();
}

QList<QSize> SortedSizes(const QIcon& icon) {
  QList<QSize> sizes = icon.availableSizes();
  std::sort(sizes.begin(), sizes.end(),
            [](QSize a, QSize b) { return a.width() * a.height() < b.width() * b.height(); });
  sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
  return sizes;
}

}  // namespace

std::vector<CSize> GetWindowIconSizes(HWND window) {
  std::vector<CSize> result;
  for (const QSize& size : SortedSizes(ShownIcon(window))) result.emplace_back(size.width(), size.height());
  return result;
}

bool SaveWindowIconImage(HWND window, int scale, const CString& pngPath) {
  const QIcon icon = ShownIcon(window);
  const QList<QSize> sizes = SortedSizes(icon);
  if (sizes.isEmpty() || scale < 1) return false;
  int width = kGap;
  int height = 0;
  for (const QSize& size : sizes) {
    width += size.width() * scale + kGap;
    height = std::max(height, size.height() * scale);
  }
  QImage picture(width, height + 2 * kGap, QImage::Format_RGB32);
  picture.fill(kGround);
  QPainter painter(&picture);
  int x = kGap;
  for (const QSize& size : sizes) {
    const QImage shown =
        icon.pixmap(size).toImage().scaled(size * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    painter.drawImage(x, kGap, shown);
    x += size.width() * scale + kGap;
  }
  painter.end();
  return picture.save(ToQString(pngPath), "PNG");
}
