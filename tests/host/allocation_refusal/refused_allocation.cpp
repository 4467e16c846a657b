// The program's operator new and delete, replaced so that a test can refuse one allocation,
// as a machine out of memory would: DX_REFUSED_ALLOCATION=n makes the n-th allocation made
// through operator new (counted from 1, from the start of this program's own initialisation)
// throw std::bad_alloc, or give null where a non-throwing new was asked. Only that one
// allocation is refused; the ones after it are served again. DX_ALLOCATION_COUNT=FILE writes
// how many allocations the run made into FILE when the program exits.
//
// Linked into the program itself, not preloaded, so that it also stands in front of the
// sanitizer's own operator new; the memory still comes from malloc, which the sanitizer keeps
// watching. Allocations that C code makes with malloc (the C library, glib, which ends the
// program when malloc fails) are not counted and never refused.
#include <atomic>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

std::atomic<unsigned long long> allocations{0};
unsigned long long refused = 0;  // 0: none
bool counting = false;           // from the program's own initialisation on

unsigned long long numberFromEnvironment(const char* name) {
  const char* text = std::getenv(name);
  return text ? std::strtoull(text, nullptr, 10) : 0;
}

// Counts from the program's own static initialisation: the libraries it is linked with have
// been initialised before it.
struct Refusal {
  Refusal() {
    refused = numberFromEnvironment("DX_REFUSED_ALLOCATION");
    counting = true;
  }
  ~Refusal() {
    const char* countFile = std::getenv("DX_ALLOCATION_COUNT");
    if (!countFile) return;
    if (std::FILE* out = std::fopen(countFile, "w")) {
      std::fprintf(out, "%llu\n", allocations.load());
      std::fclose(out);
    }
  }
} refusal;

// Whether this allocation is the one to refuse.
bool refuseThisOne() {
  if (!counting) return false;
  return ++allocations == refused;
}

void* allocate(std::size_t size, std::size_t alignment) {
  if (refuseThisOne()) return nullptr;
  if (size == 0) size = 1;
  if (alignment <= alignof(std::max_align_t)) return std::malloc(size);
  return std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
}

void* allocateOrThrow(std::size_t size, std::size_t alignment = 0) {
  void* block = allocate(size, alignment);
  if (!block) throw std::bad_alloc();
  return block;
}

}  // namespace

void* operator new(std::size_t size) { return allocateOrThrow(size); }
void* operator new[](std::size_t size) { return allocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size, 0); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size, 0); }
void* operator new(std::size_t size, std::align_val_t al) { return allocateOrThrow(size, std::size_t(al)); }
void* operator new[](std::size_t size, std::align_val_t al) { return allocateOrThrow(size, std::size_t(al)); }
void* operator new(std::size_t size, std::align_val_t al, const std::nothrow_t&) noexcept {
  return allocate(size, std::size_t(al));
}
void* operator new[](std::size_t size, std::align_val_t al, const std::nothrow_t&) noexcept {
  return allocate(size, std::size_t(al));
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete(void* block, std::align_val_t) noexcept { std::free(block); }
void operator delete[](void* block, std::align_val_t) noexcept { std::free(block); }
void operator delete(void* block, std::size_t, std::align_val_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept { std::free(block); }
void operator delete(void* block, std::align_val_t, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, std::align_val_t, const std::nothrow_t&) noexcept { std::free(block); }
