#include "grid/GridPageBreaks.h"

#include <algorithm>

namespace {

// The page being filled: where it starts and how much of its length is taken.
struct SPageFill {
  std::vector<int> starts;
  long long used = 0;

  void StartPageAt(int entry) {
    starts.push_back(entry);
    used = 0;
  }
};

// Places the entries of a group that fits no page one by one: each starts a new page when it
// does not fit the rest of the current one, unless that page is still empty.
void BreakGroup(SPageFill& fill, int from, int to, int length, const std::function<int(int)>& size) {
  for (int entry = from; entry < to; ++entry) {
    const int entrySize = size(entry);
    if (entrySize > 0 && fill.used > 0 && fill.used + entrySize > length) fill.StartPageAt(entry);
    fill.used += entrySize;
  }
}

}  // namespace

std::vector<int> BreakIntoPages(int first, int end, int groupSize, int length, const std::function<int(int)>& size) {
  const int step = std::max(groupSize, 1);
  SPageFill fill;
  fill.starts.push_back(first);
  for (int group = first; group < end; group += step) {
    const int groupEnd = std::min(end, group + step);
    long long groupLength = 0;
    for (int entry = group; entry < groupEnd; ++entry) groupLength += size(entry);
    // Hidden entries take no room: they never start a page of their own.
    if (groupLength == 0 || fill.used + groupLength <= length) {
      fill.used += groupLength;
      continue;
    }
    if (fill.used > 0) fill.StartPageAt(group);
    if (groupLength <= length)
      fill.used = groupLength;
    else
      BreakGroup(fill, group, groupEnd, length, size);
  }
  return fill.starts;
}
