#include "grid/GridSizeSums.h"

void CGridSizeSums::Resize(int count, int fill) {
  m_sizes.resize(std::size_t(count < 0 ? 0 : count), fill);
  Rebuild();
}

void CGridSizeSums::Rebuild() {
  const std::size_t n = m_sizes.size();
  m_tree.assign(n + 1, 0);
  for (std::size_t i = 1; i <= n; ++i) {
    m_tree[i] += m_sizes[i - 1];
    const std::size_t parent = i + (i & (~i + 1));
    if (parent <= n) m_tree[parent] += m_tree[i];
  }
}

void CGridSizeSums::Set(int index, int size) {
  const std::int64_t change = std::int64_t(size) - m_sizes[std::size_t(index)];
  m_sizes[std::size_t(index)] = size;
  for (std::size_t i = std::size_t(index) + 1; i < m_tree.size(); i += i & (~i + 1)) m_tree[i] += change;
}

std::int64_t CGridSizeSums::Prefix(int count) const {
  if (count > GetCount()) count = GetCount();
  std::int64_t sum = 0;
  for (std::size_t i = std::size_t(count < 0 ? 0 : count); i > 0; i -= i & (~i + 1)) sum += m_tree[i];
  return sum;
}

int CGridSizeSums::FirstPrefixReaching(std::int64_t target) const {
  if (target <= 0) return 0;
  const std::size_t n = m_sizes.size();
  std::size_t step = 1;
  while (step * 2 <= n) step *= 2;
  std::size_t pos = 0;  // the largest count whose prefix stays below the target
  for (; step > 0; step /= 2) {
    if (pos + step <= n && m_tree[pos + step] < target) {
      pos += step;
      target -= m_tree[pos];
    }
  }
  return int(pos + 1);
}
