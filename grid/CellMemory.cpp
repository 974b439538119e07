#include "grid/CellMemory.h"

#include <array>
#include <mutex>
#include <new>

#include "platform/kernel/HugePageBlock.h"

// Under the address sanitizer every cell keeps its own heap block, so that a stray access to a
// cell, or to one already deleted, is still caught.
#if defined(__SANITIZE_ADDRESS__)
#define ZD_CELL_MEMORY_FROM_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZD_CELL_MEMORY_FROM_HEAP 1
#endif
#endif

#ifdef ZD_CELL_MEMORY_FROM_HEAP

void* AllocateCellMemory(std::size_t size) { return ::operator new(size); }
void FreeCellMemory(void* memory, std::size_t) { ::operator delete(memory); }

#else

namespace {

// One huge page; blocks are aligned to it so the system can back each by one.
constexpr std::size_t kCellBlockSize = std::size_t(2) << 20;
constexpr std::size_t kCellGranule = 16;
// Cells larger than this are rare and come from the heap.
constexpr std::size_t kLargestPooledCell = 1024;

struct SFreeCell {
  SFreeCell* next;
};

struct SCellPool {
  std::mutex lock;
  char* next = nullptr;
  char* end = nullptr;
  // Freed cells by size in granules, reused first by cells of the same size.
  std::array<SFreeCell*, kLargestPooledCell / kCellGranule + 1> freeCells{};
};

// Never destroyed: a cell deleted during the program's exit still finds its pool.
SCellPool& Pool() {
  static SCellPool* pool = new SCellPool;
  return *pool;
}

std::size_t GranulesOf(std::size_t size) { return (size + kCellGranule - 1) / kCellGranule; }

void* CutFromBlock(SCellPool& pool, std::size_t bytes) {
  if (std::size_t(pool.end - pool.next) < bytes) {
    // The rest of a full block stays unused: it is smaller than the cell asked for.
    void* block = AllocateHugePageBlock(kCellBlockSize);
    if (!block) throw std::bad_alloc();
    pool.next = static_cast<char*>(block);
    pool.end = pool.next + kCellBlockSize;
  }
  void* memory = pool.next;
  pool.next += bytes;
  return memory;
}

}  // namespace

void* AllocateCellMemory(std::size_t size) {
  if (size > kLargestPooledCell) return ::operator new(size);
  const std::size_t granules = GranulesOf(size);
  SCellPool& pool = Pool();
  const std::lock_guard<std::mutex> hold(pool.lock);
  if (SFreeCell* reused = pool.freeCells[granules]) {
    pool.freeCells[granules] = reused->next;
    return reused;
  }
  return CutFromBlock(pool, granules * kCellGranule);
}

void FreeCellMemory(void* memory, std::size_t size) {
  if (!memory) return;
  if (size > kLargestPooledCell) {
    ::operator delete(memory);
    return;
  }
  const std::size_t granules = GranulesOf(size);
  SCellPool& pool = Pool();
  const std::lock_guard<std::mutex> hold(pool.lock);
  pool.freeCells[granules] = new (memory) SFreeCell{pool.freeCells[granules]};
}

#endif
