#include "grid/CellMemory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

struct SPiece {
  unsigned char* memory;
  std::size_t size;
  unsigned char mark;
};

bool KeepsItsMark(const SPiece& piece) {
  for (std::size_t i = 0; i < piece.size; ++i)
    if (piece.memory[i] != piece.mark) return false;
  return true;
}

// Pieces of many sizes, some beyond what the cell blocks hold, taken, partly given back and
// taken again in another order: none may overlap another, and each is aligned for any cell.
TEST(CellMemory, PiecesOfMixedSizesNeverOverlapAndStayAligned) {
  const std::size_t sizes[] = {1, 8, 16, 17, 168, 176, 200, 264, 1000, 1024, 1025, 4000};
  std::vector<SPiece> pieces;
  unsigned char mark = 1;
  const auto take = [&](std::size_t size) {
    auto* memory = static_cast<unsigned char*>(AllocateCellMemory(size));
    ASSERT_NE(memory, nullptr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(memory) % 16, 0u) << size;
    std::memset(memory, mark, size);
    pieces.push_back({memory, size, mark});
    mark = static_cast<unsigned char>(mark % 250 + 1);
  };
  for (int round = 0; round < 300; ++round)
    for (std::size_t size : sizes) take(size);
  // Every other piece goes back, then as many come again with the sizes shifted by one place,
  // so freed places are reused by pieces of their own size only.
  std::vector<SPiece> kept;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i % 2 == 0)
      FreeCellMemory(pieces[i].memory, pieces[i].size);
    else
      kept.push_back(pieces[i]);
  }
  pieces = kept;
  for (std::size_t i = 0; i < kept.size(); ++i) take(sizes[(i + 1) % std::size(sizes)]);
  for (const SPiece& piece : pieces) ASSERT_TRUE(KeepsItsMark(piece)) << piece.size;
  for (const SPiece& piece : pieces) FreeCellMemory(piece.memory, piece.size);
}

}  // namespace
