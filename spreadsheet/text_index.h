// The shared-string index of each distinct text met while a book's records are built: an
// open-addressing hash table over views of the texts that brought each index in. The
// texts are the cells' own, which stay put while the records are built.
#pragma once
#include <cstdint>
#include <string_view>
#include <type_traits>
#include <vector>

namespace QExcel {

template <class Char>
class TextIndex {
public:
  using View = std::basic_string_view<Char>;

  // Room for the given number of distinct texts without growing.
  void reserve(size_t texts) {
    entries_.reserve(texts);
    size_t slots = 16;
    while (full(texts, slots)) slots *= 2;
    if (slots > slots_.size()) rehash(slots);
  }

  // FNV-1a over the characters, its high half folded into the low bits that pick a slot.
  static std::uint64_t hashOf(View text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (Char c : text) {
      hash ^= static_cast<std::make_unsigned_t<Char>>(c);
      hash *= 1099511628211ull;
    }
    return hash ^ (hash >> 32);
  }

  // Asks the processor to bring in the slot where a text of this hash is looked for, so
  // that a row's look-ups wait for memory together rather than one after the other.
  void prefetch(std::uint64_t hash) const {
#if defined(__GNUC__)
    if (!slots_.empty()) __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]);
#endif
  }

  // The index entered for the text (of the given hash); when there is none, next is
  // entered and returned, and added is set.
  std::uint32_t find(View text, std::uint64_t hash, std::uint32_t next, bool& added) {
    if (full(entries_.size() + 1, slots_.size())) rehash(slots_.empty() ? 16 : 2 * slots_.size());
    const size_t mask = slots_.size() - 1;
    const std::uint64_t tag = hash >> 32;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
      const std::uint64_t content = slots_[slot];
      if (content == 0) {
        entries_.push_back({text.data(), static_cast<std::uint32_t>(text.size()), next});
        slots_[slot] = tag << 32 | entries_.size();
        added = true;
        return next;
      }
      // The hash's high half beside the entry spares a look at the entries of other texts.
      if (content >> 32 != tag) continue;
      const Entry& entry = entries_[(content & 0xFFFFFFFFu) - 1];
      if (entry.view() == text) {
        added = false;
        return entry.index;
      }
    }
  }

private:
  struct Entry {
    const Char* text;
    std::uint32_t length;
    std::uint32_t index;
    View view() const { return View(text, length); }
  };

  // Whether that many texts fill the slots beyond three quarters.
  static bool full(size_t texts, size_t slots) { return 4 * texts > 3 * slots; }

  void rehash(size_t slots) {
    slots_.assign(slots, 0);
    for (size_t e = 0; e < entries_.size(); ++e) {
      std::uint64_t hash = hashOf(entries_[e].view());
      size_t slot = hash & (slots - 1);
      while (slots_[slot] != 0) slot = (slot + 1) & (slots - 1);
      slots_[slot] = (hash >> 32) << 32 | (e + 1);
    }
  }

  std::vector<Entry> entries_;
  std::vector<std::uint64_t> slots_;  // the hash's high half, and the entry number + 1; 0 is empty
};

}  // namespace QExcel
