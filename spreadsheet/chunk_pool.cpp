#include "spreadsheet/chunk_pool.h"

#include <cstdint>
#include <new>

namespace QExcel::ChunkPool {

namespace {
constexpr std::size_t kChunkBytes = 64 * 1024;
constexpr std::size_t kGrain = 8;
constexpr std::size_t kLargest = 1024;

// The start of every chunk. A chunk is aligned to its size, so the chunk of an object is
// its address with the low bits cleared.
struct Chunk {
  std::size_t live = 0;  // objects taken from the chunk and not yet given back
  bool open = true;      // the chunk objects are taken from
};
constexpr std::size_t kFirst = (sizeof(Chunk) + 15) / 16 * 16;

void freeChunk(Chunk* chunk) {
  chunk->~Chunk();
  ::operator delete(chunk, std::align_val_t(kChunkBytes));
}

// The chunk objects are taken from, and how much of it is taken. It has no destructor:
// objects freed at exit, after it would have run, still find their chunk as they left it.
struct Cursor {
  Chunk* chunk = nullptr;
  std::size_t used = 0;

  // No object is taken from the chunk any more; it goes once it holds none.
  void close() {
    if (!chunk) return;
    chunk->open = false;
    if (chunk->live == 0) freeChunk(chunk);
    chunk = nullptr;
  }

  void openNew() {
    close();
    chunk = new (::operator new(kChunkBytes, std::align_val_t(kChunkBytes))) Chunk;
    used = kFirst;
  }
};

Cursor cursor;  // one thread makes and frees the objects

Chunk* chunkOf(void* object) {
  return reinterpret_cast<Chunk*>(reinterpret_cast<std::uintptr_t>(object) & ~(kChunkBytes - 1));
}
}  // namespace

void* allocate(std::size_t size) {
  if (size > kLargest) return ::operator new(size);
  size = (size + kGrain - 1) / kGrain * kGrain;
  if (!cursor.chunk || kChunkBytes - cursor.used < size) cursor.openNew();
  void* object = reinterpret_cast<char*>(cursor.chunk) + cursor.used;
  cursor.used += size;
  ++cursor.chunk->live;
  return object;
}

void release(void* object, std::size_t size) noexcept {
  if (!object) return;
  if (size > kLargest) {
    ::operator delete(object);
    return;
  }
  Chunk* chunk = chunkOf(object);
  if (--chunk->live > 0) return;
  if (chunk->open) cursor.used = kFirst;  // the chunk being filled, empty again: start it over
  else freeChunk(chunk);
}

}  // namespace QExcel::ChunkPool
