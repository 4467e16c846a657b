#include "spreadsheet/chunk_pool.h"

#include <cstdint>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define DX_POOL_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DX_POOL_ASAN 1
#endif
#endif
#ifdef DX_POOL_ASAN
#include <sanitizer/asan_interface.h>
#endif

namespace QExcel::ChunkPool {

namespace {
// Under AddressSanitizer, room of the pool that holds no object is marked unusable, so
// that a use of a freed object is caught as it is for the heap.
void markFree(void* at, std::size_t bytes) {
#ifdef DX_POOL_ASAN
  ASAN_POISON_MEMORY_REGION(at, bytes);
#else
  (void)at;
  (void)bytes;
#endif
}

void markUsed(void* at, std::size_t bytes) {
#ifdef DX_POOL_ASAN
  ASAN_UNPOISON_MEMORY_REGION(at, bytes);
#else
  (void)at;
  (void)bytes;
#endif
}

constexpr std::size_t kChunkBytes = 64 * 1024;
constexpr std::size_t kSlabChunks = 32;
constexpr std::size_t kGrain = 8;
constexpr std::size_t kLargest = 4096;

struct Slab;

// The start of every chunk. A chunk is aligned to its size, so the chunk of an object is
// its address with the low bits cleared.
struct Chunk {
  Slab* slab;
  Chunk* nextEmpty = nullptr;  // in its slab's list of empty chunks
  std::size_t live = 0;        // objects taken from the chunk and not yet given back
  bool open = true;            // the chunk objects are taken from
};
constexpr std::size_t kFirst = (sizeof(Chunk) + 15) / 16 * 16;

// Chunks are cut from slabs, one heap block each: aligning every chunk on its own would
// cost the heap up to a chunk of room per chunk. A chunk that empties is used again for
// new objects of its lane before any new slab is taken, and a slab goes back to the heap
// once all its chunks are empty, so memory freed by one kind of object serves the next,
// and a lane whose objects are freed in order gives its slabs back in turn.
struct Slab {
  Lane lane;
  void* block;
  char* firstChunk;
  std::size_t chunks;        // chunks the block holds
  std::size_t cut = 0;       // chunks handed out at least once; the others are untouched
  std::size_t inUse = 0;     // chunks handed out and not empty again
  Chunk* empty = nullptr;    // chunks that were handed out and emptied
  Slab* previous = nullptr;  // in the list of slabs with a chunk to hand out
  Slab* next = nullptr;
  bool listed = false;

  bool hasChunk() const { return empty || cut < chunks; }
};

Slab* withChunks[2] = {};  // per lane, the slabs that have a chunk to hand out

void list(Slab* slab) {
  if (slab->listed) return;
  Slab*& first = withChunks[static_cast<int>(slab->lane)];
  slab->listed = true;
  slab->previous = nullptr;
  slab->next = first;
  if (first) first->previous = slab;
  first = slab;
}

void unlist(Slab* slab) {
  if (!slab->listed) return;
  slab->listed = false;
  if (slab->previous) slab->previous->next = slab->next;
  else withChunks[static_cast<int>(slab->lane)] = slab->next;
  if (slab->next) slab->next->previous = slab->previous;
}

Slab* newSlab(Lane lane) {
  constexpr std::size_t bytes = (kSlabChunks + 1) * kChunkBytes + sizeof(Slab);
  void* block = ::operator new(bytes);
  auto start = reinterpret_cast<std::uintptr_t>(block) + sizeof(Slab);
  auto first = (start + kChunkBytes - 1) & ~(kChunkBytes - 1);
  auto* slab = new (block) Slab{lane, block, reinterpret_cast<char*>(first),
                                (reinterpret_cast<std::uintptr_t>(block) + bytes - first) / kChunkBytes};
  list(slab);
  return slab;
}

void freeSlab(Slab* slab) {
  unlist(slab);
  markUsed(slab->firstChunk, slab->chunks * kChunkBytes);
  ::operator delete(slab->block);
}

// An empty chunk of a slab of the lane, for new objects.
Chunk* takeChunk(Lane lane) {
  Slab* slab = withChunks[static_cast<int>(lane)];
  if (!slab) slab = newSlab(lane);
  Chunk* chunk = slab->empty;
  if (chunk) {
    slab->empty = chunk->nextEmpty;
  } else {
    chunk = reinterpret_cast<Chunk*>(slab->firstChunk + slab->cut * kChunkBytes);
    ++slab->cut;
  }
  ++slab->inUse;
  if (!slab->hasChunk()) unlist(slab);
  markFree(reinterpret_cast<char*>(chunk) + kFirst, kChunkBytes - kFirst);
  return new (chunk) Chunk{slab};
}

// A chunk that holds no object any more goes back to its slab.
void giveBack(Chunk* chunk) {
  Slab* slab = chunk->slab;
  chunk->nextEmpty = slab->empty;
  slab->empty = chunk;
  if (--slab->inUse == 0) freeSlab(slab);
  else list(slab);
}

// The chunk objects are taken from, and how much of it is taken. It has no destructor:
// objects freed at exit, after it would have run, still find their chunk as they left it.
struct Cursor {
  Chunk* chunk = nullptr;
  std::size_t used = 0;

  // No object is taken from the chunk any more; it goes back once it holds none.
  void close() {
    if (!chunk) return;
    chunk->open = false;
    if (chunk->live == 0) giveBack(chunk);
    chunk = nullptr;
  }

  void openNew(Lane lane) {
    close();
    chunk = takeChunk(lane);
    used = kFirst;
  }
};

Cursor cursors[2];  // one per lane; one thread makes and frees the objects

// The room an object of the given size takes.
std::size_t rounded(std::size_t size) { return (size + kGrain - 1) / kGrain * kGrain; }

Chunk* chunkOf(void* object) {
  return reinterpret_cast<Chunk*>(reinterpret_cast<std::uintptr_t>(object) & ~(kChunkBytes - 1));
}
}  // namespace

void* allocate(std::size_t size, Lane lane) {
  if (size > kLargest) return ::operator new(size);
  size = rounded(size);
  Cursor& cursor = cursors[static_cast<int>(lane)];
  if (!cursor.chunk || kChunkBytes - cursor.used < size) cursor.openNew(lane);
  void* object = reinterpret_cast<char*>(cursor.chunk) + cursor.used;
  cursor.used += size;
  ++cursor.chunk->live;
  markUsed(object, size);
  return object;
}

void release(void* object, std::size_t size) noexcept {
  if (!object) return;
  if (size > kLargest) {
    ::operator delete(object);
    return;
  }
  markFree(object, rounded(size));
  Chunk* chunk = chunkOf(object);
  if (--chunk->live > 0) return;
  if (!chunk->open) {
    giveBack(chunk);
    return;
  }
  for (Cursor& cursor : cursors)
    if (cursor.chunk == chunk) cursor.used = kFirst;  // the chunk being filled, empty again: start it over
}

}  // namespace QExcel::ChunkPool
