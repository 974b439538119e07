#pragma once
// The heights of a grid's rows or the widths of its columns, with running sums kept in a
// binary indexed tree: a sum of the first n sizes and the first index whose running sum
// reaches a value take logarithmic time, so that a grid of twenty thousand rows finds its
// scrolled row, its visible range and the row under a point without walking all rows.

#include <cstdint>
#include <vector>

class CGridSizeSums {
 public:
  int GetCount() const { return int(m_sizes.size()); }
  // Sizes after the old count take the fill value.
  void Resize(int count, int fill);
  int Get(int index) const { return m_sizes[std::size_t(index)]; }
  void Set(int index, int size);
  // The sum of the sizes of indexes 0 .. count - 1.
  std::int64_t Prefix(int count) const;
  std::int64_t Between(int first, int end) const { return Prefix(end) - Prefix(first); }
  std::int64_t Total() const { return Prefix(GetCount()); }
  // The smallest count whose prefix sum is at least the target; GetCount() + 1 when even the
  // total stays below it.
  int FirstPrefixReaching(std::int64_t target) const;

 private:
  void Rebuild();

  std::vector<int> m_sizes;
  std::vector<std::int64_t> m_tree;  // one-based
};
