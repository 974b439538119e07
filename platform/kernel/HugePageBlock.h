#pragma once
// Large blocks of memory for allocators that cut many small objects from them. Each block is
// aligned to its size, and the system is asked to back it by huge pages, so that a walk over
// the objects of one block needs few address translations.

#include <cstddef>

// A block of `size` bytes (a power of two), aligned to its size; null when the system has no
// memory left. The block is never given back: its objects' places are reused by its caller.
void* AllocateHugePageBlock(std::size_t size);
