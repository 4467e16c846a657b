// The shared-string index of each distinct text met while a book's records are built: an
// open-addressing hash table over views of the texts that brought each index in. The
// texts are the cells' own, which stay put while the records are built.
#pragma once
#include <cstdint>
#include <type_traits>
#include <string_view>
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
    while (slots < 2 * texts) slots *= 2;
    if (slots > slots_.size()) rehash(slots);
  }

  // The index entered for the text; when there is none, next is entered and returned,
  // and added is set.
  std::uint32_t find(View text, std::uint32_t next, bool& added) {
    if (2 * (entries_.size() + 1) > slots_.size()) rehash(slots_.empty() ? 16 : 2 * slots_.size());
    size_t mask = slots_.size() - 1;
    for (size_t slot = hashOf(text) & mask;; slot = (slot + 1) & mask) {
      std::uint32_t entry = slots_[slot];
      if (entry == 0) {
        entries_.push_back({text, next});
        slots_[slot] = static_cast<std::uint32_t>(entries_.size());
        added = true;
        return next;
      }
      if (entries_[entry - 1].text == text) {
        added = false;
        return entries_[entry - 1].index;
      }
    }
  }

private:
  // FNV-1a over the characters, its high half folded into the low bits that pick a slot.
  static size_t hashOf(View text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (Char c : text) {
      hash ^= static_cast<std::make_unsigned_t<Char>>(c);
      hash *= 1099511628211ull;
    }
    return static_cast<size_t>(hash ^ (hash >> 32));
  }

  struct Entry {
    View text;
    std::uint32_t index;
  };

  void rehash(size_t slots) {
    slots_.assign(slots, 0);
    for (size_t e = 0; e < entries_.size(); ++e) {
      size_t slot = hashOf(entries_[e].text) & (slots - 1);
      while (slots_[slot] != 0) slot = (slot + 1) & (slots - 1);
      slots_[slot] = static_cast<std::uint32_t>(e + 1);
    }
  }

  std::vector<Entry> entries_;
  std::vector<std::uint32_t> slots_;  // entry number + 1; 0 is an empty slot
};

}  // namespace QExcel
