#include "platform/kernel/HugePageBlock.h"

#include <sys/mman.h>

#include <cstdlib>

void* AllocateHugePageBlock(std::size_t size) {
  void* block = std::aligned_alloc(size, size);
  // Huge pages are only asked for: without them the block works the same, on small pages.
  if (block) madvise(block, size, MADV_HUGEPAGE);
  return block;
}
