#include "grid/GridScrollMath.h"

#include <algorithm>

namespace {

int LastIndex(const CGridSizeSums& sizes, int first) { return std::max(first, sizes.GetCount() - 1); }

}  // namespace

int FirstIndexAtPosition(const CGridSizeSums& sizes, int first, std::int64_t pos) {
  if (pos <= 0) return first;
  const int k = std::max(first, sizes.FirstPrefixReaching(sizes.Prefix(first) + pos));
  return std::min(k, LastIndex(sizes, first));
}

int IndexContainingPosition(const CGridSizeSums& sizes, int first, std::int64_t pos) {
  const int k = std::max(first + 1, sizes.FirstPrefixReaching(sizes.Prefix(first) + pos));
  int index = k - 1;
  if (k <= sizes.GetCount() && sizes.Between(first, k) == pos) index = k;
  return std::min(index, LastIndex(sizes, first));
}

int LastIndexInExtent(const CGridSizeSums& sizes, int start, std::int64_t origin, std::int64_t limit,
                      std::int64_t& end) {
  const int count = sizes.GetCount();
  if (start >= count) {
    end = origin;
    return count - 1;
  }
  const int k = std::max(start + 1, sizes.FirstPrefixReaching(sizes.Prefix(start) + (limit - origin)));
  if (k > count) {
    end = origin + sizes.Between(start, count);
    return count - 1;
  }
  end = limit;
  return k - 1;
}
