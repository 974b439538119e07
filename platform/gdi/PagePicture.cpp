#include "platform/gdi/PagePicture.h"

#include <optional>
#include <vector>

namespace {

struct Run {
  int left = 0;
  int right = 0;  // exclusive
  QRgb color = 0;
  std::size_t block = 0;  // the rectangle it belongs to
};

struct Block {
  QRect rect;
  QRgb color = 0;
};

// Rows of equal pixels, joined with an equal run right above into one taller rectangle;
// nothing when there would be more than limit rectangles.
std::optional<std::vector<Block>> FlatBlocks(const QImage& picture, std::size_t limit) {
  std::vector<Block> blocks;
  std::vector<Run> above, row;
  for (int y = 0; y < picture.height(); ++y) {
    const auto* pixels = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
    row.clear();
    std::size_t a = 0;
    for (int x = 0; x < picture.width();) {
      int end = x + 1;
      while (end < picture.width() && pixels[end] == pixels[x]) ++end;
      if (qAlpha(pixels[x]) != 0) {
        while (a < above.size() && above[a].left < x) ++a;
        Run run{x, end, pixels[x], blocks.size()};
        if (a < above.size() && above[a].left == x && above[a].right == end && above[a].color == run.color) {
          run.block = above[a].block;
          blocks[run.block].rect.setBottom(y);
        } else {
          blocks.push_back(Block{QRect(x, y, end - x, 1), run.color});
          if (blocks.size() > limit) return std::nullopt;
        }
        row.push_back(run);
      }
      x = end;
    }
    above.swap(row);
  }
  return blocks;
}

}  // namespace

void PaintPagePicture(QPainter& painter, const QRectF& target, const QImage& picture) {
  const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
  // A photograph has about as many runs as pixels; the finest hatch has one in two.
  const std::size_t limit = std::size_t(argb.width()) * std::size_t(argb.height()) / 2;
  const std::optional<std::vector<Block>> blocks = FlatBlocks(argb, limit);
  if (!blocks) {
    painter.drawImage(target, argb);
    return;
  }
  painter.save();
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.translate(target.topLeft());
  painter.scale(target.width() / argb.width(), target.height() / argb.height());
  for (const Block& block : *blocks) painter.fillRect(block.rect, QColor::fromRgba(block.color));
  painter.restore();
}
