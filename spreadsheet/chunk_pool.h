// Memory for the many small objects of a book (cell blocks and cell records, the texts of
// sheet cells): taken in turn from 64 KiB chunks and given back a whole chunk at a time,
// once the last object in it is freed. Making and freeing them costs a few instructions,
// and a freed book goes back in chunks instead of a million small frees. Objects are made
// and freed on one thread (the program has one).
#pragma once
#include <cstddef>

namespace QExcel::ChunkPool {

// Room for an object of the given size, aligned for any object of up to 8-byte
// alignment. Objects larger than a chunk holds comfortably come from the heap.
void* allocate(std::size_t size);
// Gives back an object made by allocate with the same size.
void release(void* object, std::size_t size) noexcept;

}  // namespace QExcel::ChunkPool
