// The shared-string index of each distinct text met while a book's records are built: an
// open-addressing hash table from a text to its place in the shared string table. A text
// is known by the UTF-16 units the table holds it in, so the index keeps no text of its
// own and leans on no cell's text (a save may free the cells as it goes). The cells'
// texts are whole characters, so two texts are the same exactly when their units are.
#pragma once
#include <algorithm>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "spreadsheet/record_strings.h"

namespace QExcel {

template <class Char>
class TextIndex {
public:
  // Over the strings of a shared string table, which grows as texts are entered.
  explicit TextIndex(const std::vector<LongString>& strings) : strings_(strings) {}

  // Room for the given number of distinct texts without growing.
  void reserve(size_t texts) {
    size_t slots = 16;
    while (full(texts, slots)) slots *= 2;
    if (slots > slots_.size()) rehash(slots, largest_);
  }

  // FNV-1a over the text's UTF-16 units, its high half folded into the low bits that pick
  // a slot.
  template <class Text>
  static std::uint64_t hashOf(const Text* text, size_t length) {
    std::uint64_t hash = 14695981039346656037ull;
    forEachUnit(text, length, [&hash](std::uint32_t unit) {
      hash ^= unit;
      hash *= 1099511628211ull;
    });
    return hash ^ (hash >> 32);
  }

  // Asks the processor to bring in the slot where a text of this hash is looked for, so
  // that a row's look-ups wait for memory together rather than one after the other.
  void prefetch(std::uint64_t hash) const {
#if defined(__GNUC__)
    if (!slots_.empty()) __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]);
#endif
  }

  // The string index entered for the text (of the given hash); when there is none, next
  // is entered and returned and added is set, and the caller appends the text's string
  // to the table as string next.
  std::uint32_t find(const Char* text, size_t length, std::uint64_t hash, std::uint32_t next, bool& added) {
    if (full(count_ + 1, slots_.size())) rehash(slots_.empty() ? 16 : 2 * slots_.size(), largest_);
    if (next + 1 > indexMask_) rehash(slots_.size(), next + 1);
    const size_t mask = slots_.size() - 1;
    const std::uint32_t tag = tagOf(hash);
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
      const std::uint32_t content = slots_[slot];
      if (content == 0) {
        slots_[slot] = tag | (next + 1);
        largest_ = std::max(largest_, next + 1);
        ++count_;
        added = true;
        return next;
      }
      // The hash's bits beside the index spare a look at the strings of most other texts.
      if ((content & ~indexMask_) != tag) continue;
      const std::uint32_t index = (content & indexMask_) - 1;
      if (sameUnits(text, length, strings_[index].units)) {
        added = false;
        return index;
      }
    }
  }

private:
  // Calls unit with each UTF-16 unit of the text as the table's strings hold it: 8-bit
  // characters one to a unit, wide characters beyond U+FFFF as two.
  template <class Text, class Unit>
  static void forEachUnit(const Text* text, size_t length, Unit unit) {
    for (size_t i = 0; i < length; ++i) {
      auto c = static_cast<std::uint32_t>(static_cast<std::make_unsigned_t<Text>>(text[i]));
      if (sizeof(Text) > 2 && c > 0xFFFF) {
        unit(0xD800 + ((c - 0x10000) >> 10));
        unit(0xDC00 + ((c - 0x10000) & 0x3FF));
      } else {
        unit(c);
      }
    }
  }

  static bool sameUnits(const Char* text, size_t length, const PoolArray<char16_t>& units) {
    if (units.size() < length) return false;
    size_t at = 0;
    bool same = true;
    forEachUnit(text, length, [&](std::uint32_t unit) {
      same = same && at < units.size() && units[at] == unit;
      ++at;
    });
    return same && at == units.size();
  }

  // Whether that many texts fill the slots beyond three quarters.
  static bool full(size_t texts, size_t slots) { return 4 * texts > 3 * slots; }

  // The high bits of the hash's high half, in the slot bits that the index leaves free.
  std::uint32_t tagOf(std::uint64_t hash) const { return static_cast<std::uint32_t>(hash >> 32) & ~indexMask_; }

  // Slots whose low bits hold an index + 1 of up to largest (the index of another index's
  // texts may come between), and at least as many bits as pick a slot.
  void rehash(size_t slots, std::uint32_t largest) {
    std::vector<std::uint32_t> old(slots, 0);
    old.swap(slots_);
    const std::uint32_t oldMask = indexMask_;
    indexMask_ = static_cast<std::uint32_t>(slots - 1);
    while (indexMask_ < largest) indexMask_ = indexMask_ << 1 | 1;
    for (std::uint32_t content : old) {
      if (content == 0) continue;
      const std::uint32_t index = (content & oldMask) - 1;
      const PoolArray<char16_t>& units = strings_[index].units;
      std::uint64_t hash = hashOf(units.data(), units.size());
      size_t slot = hash & (slots - 1);
      while (slots_[slot] != 0) slot = (slot + 1) & (slots - 1);
      slots_[slot] = tagOf(hash) | (index + 1);
    }
  }

  const std::vector<LongString>& strings_;
  std::vector<std::uint32_t> slots_;  // high bits of the hash above the string index + 1; 0 is empty
  std::uint32_t indexMask_ = 0;       // the slot bits that hold the index + 1
  std::uint32_t largest_ = 0;         // the largest index + 1 entered
  size_t count_ = 0;
};

}  // namespace QExcel
