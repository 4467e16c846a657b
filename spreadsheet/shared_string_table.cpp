#include <cstring>

#include "spreadsheet/workbook.h"

namespace QExcel {

namespace {
constexpr std::uint32_t kPiece = Record::kMaxPiece;
constexpr std::uint32_t kFullWide = 8222;    // character bytes of a full continuation piece
constexpr std::uint32_t kFullNarrow = 8223;  // (its option byte makes 8223 or 8224)

// The character bytes of a piece of a string that may hold `room` of them, from the
// string's unit `done` on: a UTF-16 piece ends one unit earlier rather than between the
// two halves of a surrogate pair, which readers cannot join across a break.
std::uint64_t pieceBytes(const LongString& s, std::uint64_t done, std::uint64_t room) {
  if (!s.isWide()) return room;
  std::uint64_t end = done + room / 2;
  bool inPair = end > 0 && end < s.wide.size() && s.wide[end - 1] >= 0xD800 && s.wide[end - 1] <= 0xDBFF &&
                s.wide[end] >= 0xDC00 && s.wide[end] <= 0xDFFF;
  return inPair ? room - 2 : room;
}
}  // namespace

// Plans where the CONTINUE pieces begin. A string's header is never split; a UTF-16
// piece never ends inside a character nor inside a surrogate pair; a piece that continues
// a string begins with the string's option byte, counted here.
std::uint32_t Workbook::SharedStringTable::dataSize() {
  std::vector<std::uint32_t> breaks;
  std::uint64_t size = 8;
  std::uint64_t p = 0;
  for (const LongString& s : strings) {
    std::uint64_t n = s.characterBytes();
    bool wide = s.isWide();
    std::uint64_t width = wide ? 2 : 1;
    if (size + 3 + n <= p + kPiece) {
      size += 3 + n;
      continue;
    }
    if (p + kPiece - size < 12) {
      p = size;
      breaks.push_back(static_cast<std::uint32_t>(p));
      if (size + 3 + n < p + kPiece) {
        size += 3 + n;
        continue;
      }
    }
    std::uint64_t room = p + kPiece - size;
    if (wide && room % 2 == 0) --room;
    std::uint64_t first = pieceBytes(s, 0, room - 3);
    p = size + 3 + first;
    breaks.push_back(static_cast<std::uint32_t>(p));
    size = p;
    n -= first;
    std::uint64_t done = first / width;
    std::uint64_t full = wide ? kFullWide : kFullNarrow;
    while (n > full) {
      std::uint64_t bytes = pieceBytes(s, done, full);
      p = size + 1 + bytes;
      breaks.push_back(static_cast<std::uint32_t>(p));
      size = p;
      n -= bytes;
      done += bytes / width;
    }
    if (n > 0) size += 1 + n;
  }
  dataBytes = static_cast<std::uint32_t>(size);
  continueOffsets = std::move(breaks);
  recordBytes = sizeWithHeaders(dataBytes);
  return dataBytes;
}

std::uint32_t Workbook::SharedStringTable::write(char* buffer) {
  data.assign(dataSize(), 0);
  unique = static_cast<std::uint32_t>(strings.size());
  put(0, total);
  put(4, unique);
  size_t pos = 8;
  size_t next = 0;
  const std::vector<std::uint32_t>& breaks = continueOffsets;
  for (LongString& s : strings) {
    pos += s.write(data.data() + pos);
    // Each break inside the string gets its option byte; what follows moves up by one.
    while (next < breaks.size() && breaks[next] < pos) {
      size_t at = breaks[next];
      std::memmove(data.data() + at + 1, data.data() + at, pos - at);
      data[at] = static_cast<char>(s.flags);
      ++pos;
      ++next;
    }
    // A break at the string's end begins the next string's piece: no option byte.
    while (next < breaks.size() && breaks[next] == pos) ++next;
  }
  return Record::write(buffer);
}

std::uint32_t Workbook::SharedStringTable::read(const char* buffer, std::uint32_t available) {
  std::uint32_t consumed = Record::read(buffer, available);
  requireData(8);
  total = get<std::uint32_t>(0);
  std::uint32_t declared = get<std::uint32_t>(4);
  strings.clear();
  const std::vector<std::uint32_t>& breaks = continueOffsets;
  const size_t size = data.size();
  size_t pos = 8;
  size_t next = 0;
  // The declared count is trusted only as far as the data holds strings.
  while (strings.size() < declared && pos < size) {
    while (next < breaks.size() && breaks[next] <= pos) ++next;
    size_t limit = next < breaks.size() ? breaks[next] : size;
    LongString s;
    std::uint16_t count;
    pos += s.readHeader(data.data() + pos, static_cast<std::uint32_t>(limit - pos), count);
    bool pieceWide = s.isWide();
    size_t remaining = count;
    while (remaining > 0) {
      if (next < breaks.size() && breaks[next] == pos) {
        // A break inside the string: the piece begins with the string's option byte.
        if (pos >= size) throw MalformedStream{"string continues past the table"};
        pieceWide = data[pos] & 1;
        ++pos;
        ++next;
        if (next < breaks.size() && breaks[next] < pos) throw MalformedStream{"empty continue piece"};
      }
      limit = next < breaks.size() ? breaks[next] : size;
      size_t width = pieceWide ? 2 : 1;
      size_t fit = (limit - pos) / width;
      if (fit == 0) throw MalformedStream{"string characters cut"};
      size_t take = fit < remaining ? fit : remaining;
      s.appendCharacters(data.data() + pos, take, pieceWide);
      pos += take * width;
      remaining -= take;
    }
    if (size - pos < s.trailingBytes()) throw MalformedStream{"string runs cut"};
    pos += static_cast<size_t>(s.trailingBytes());
    strings.push_back(std::move(s));
  }
  unique = static_cast<std::uint32_t>(strings.size());
  return consumed;
}

}  // namespace QExcel
