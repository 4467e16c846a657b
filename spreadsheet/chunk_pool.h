// Memory for the many small objects of a book (cell blocks and cell records, row blocks'
// vectors, the rows and texts of sheet cells, shared strings): taken in turn from 64 KiB
// chunks, a chunk free again once the last object in it is freed; chunks come in slabs
// of 2 MiB, each given back to the heap once all its chunks are free. Making and freeing
// objects costs a few instructions, a freed book goes back in slabs instead of a million
// small frees, and room freed by one kind of object serves the next. Objects are made
// and freed on one thread (the program has one).
#pragma once
#include <cstddef>

namespace QExcel::ChunkPool {

// Objects that are freed together keep to chunks of their own, so that their chunks
// empty in turn: the characters of shared strings, freed in order as a releasing save
// writes them, apart from all other objects.
enum class Lane { kObjects, kStrings };

// Room for an object of the given size, aligned for any object of up to 8-byte
// alignment. Objects of more than 4 KiB come from the heap.
void* allocate(std::size_t size, Lane lane = Lane::kObjects);
// Gives back an object made by allocate with the same size.
void release(void* object, std::size_t size) noexcept;

}  // namespace QExcel::ChunkPool
