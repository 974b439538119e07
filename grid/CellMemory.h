#pragma once
// The memory of the grids' cells. A grid holds an object per cell, so a large project's grid
// holds hundreds of thousands of small objects that a copy, a search or a sort walks in order.
// They are cut from large blocks that the system is asked to back with huge pages, without a
// heap header between them: such a walk then reads them densely and needs a new address
// translation only every few thousand cells, not every few dozen. A deleted cell's place is
// kept for the next cell of its size, not given back to the system.

#include <cstddef>

void* AllocateCellMemory(std::size_t size);
// Takes back memory of AllocateCellMemory, given the same size.
void FreeCellMemory(void* memory, std::size_t size);
