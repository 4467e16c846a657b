#include <algorithm>
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
  bool inPair = end > 0 && end < s.units.size() && s.units[end - 1] >= 0xD800 && s.units[end - 1] <= 0xDBFF &&
                s.units[end] >= 0xDC00 && s.units[end] <= 0xDFFF;
  return inPair ? room - 2 : room;
}
}  // namespace

// Plans where the CONTINUE pieces begin. A string's header is never split; a UTF-16
// piece never ends inside a character nor inside a surrogate pair; a piece that continues
// a string begins with the string's option byte, counted here.
std::uint64_t Workbook::SharedStringTable::planPieces() {
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
  continueOffsets() = std::move(breaks);
  recordBytes = sizeWithHeaders(dataBytes);
  return size;
}

std::uint32_t Workbook::SharedStringTable::dataSize() { return static_cast<std::uint32_t>(planPieces()); }

// A header of 4 bytes for the record and for each CONTINUE piece.
std::uint64_t Workbook::SharedStringTable::recordSize() {
  const std::uint64_t size = planPieces();
  return size + 4 * (1 + static_cast<std::uint64_t>(continueOffsets().size()));
}

namespace {
// The table's data put straight into the stream: a record header where each piece
// begins, the planned breaks giving the pieces' lengths.
class PieceWriter {
public:
  PieceWriter(char* buffer, std::uint16_t code, const std::vector<std::uint32_t>& breaks, std::uint32_t size)
      : out_(buffer), breaks_(breaks), size_(size) {
    header(code, breaks.empty() ? size : breaks[0]);
  }

  std::uint32_t position() const { return position_; }
  // Where the next piece begins; beyond the data when none does.
  std::uint64_t nextBreak() const { return next_ < breaks_.size() ? breaks_[next_] : std::uint64_t(size_) + 1; }
  // Data bytes that lie before the next break.
  std::uint64_t room() const { return nextBreak() - position_; }
  // Opens the piece that begins at the position.
  void beginPiece() {
    std::uint32_t end = next_ + 1 < breaks_.size() ? breaks_[next_ + 1] : size_;
    header(Record::kContinue, end - breaks_[next_]);
    ++next_;
  }
  // Room in the stream for n data bytes, which the caller fills.
  char* take(std::uint32_t n) {
    char* at = out_;
    out_ += n;
    position_ += n;
    return at;
  }
  void put(const char* bytes, std::uint32_t n) { std::memcpy(take(n), bytes, n); }

private:
  void header(std::uint16_t code, std::uint32_t length) {
    LittleEndian::write(out_, code, 0);
    LittleEndian::write(out_, static_cast<std::uint16_t>(length), 2);
    out_ += 4;
  }

  char* out_;
  const std::vector<std::uint32_t>& breaks_;
  std::uint32_t size_;
  std::uint32_t position_ = 0;
  size_t next_ = 0;
};
}  // namespace

std::uint32_t Workbook::SharedStringTable::write(char* buffer) { return writeStrings(buffer, false); }

std::uint32_t Workbook::SharedStringTable::writeAndRelease(char* buffer) { return writeStrings(buffer, true); }

// Each string goes straight into the stream. A break that falls inside a string opens a
// piece with the string's option byte; a break between strings opens one without.
std::uint32_t Workbook::SharedStringTable::writeStrings(char* buffer, bool release) {
  const std::uint32_t size = dataSize();
  unique = static_cast<std::uint32_t>(strings.size());
  PieceWriter out(buffer, code, continueOffsets().vec(), size);
  char* counts = out.take(8);
  store(counts, 0, total);
  store(counts, 4, unique);
  std::vector<char> scratch;
  for (LongString& s : strings) {
    while (out.room() == 0) out.beginPiece();
    const std::uint32_t bytes = s.dataSize();
    if (out.room() >= bytes) {
      s.write(out.take(bytes));
      if (release) s.units.clear();
      continue;
    }
    scratch.resize(bytes);
    s.write(scratch.data());
    for (std::uint32_t done = 0; done < bytes;) {
      if (out.room() == 0) {
        out.beginPiece();
        *out.take(1) = static_cast<char>(s.flags);
      }
      std::uint32_t n = static_cast<std::uint32_t>(std::min<std::uint64_t>(bytes - done, out.room()));
      out.put(scratch.data() + done, n);
      done += n;
    }
    if (release) s.units.clear();
  }
  // A last string that ends exactly at a break leaves an empty piece.
  while (out.nextBreak() == out.position()) out.beginPiece();
  return recordBytes;
}

std::uint32_t Workbook::SharedStringTable::read(const char* buffer, std::uint32_t available) {
  std::uint32_t consumed = Record::read(buffer, available);
  requireData(8);
  total = get<std::uint32_t>(0);
  std::uint32_t declared = get<std::uint32_t>(4);
  strings.clear();
  const std::vector<std::uint32_t>& breaks = continueOffsets().vec();
  const size_t size = data().size();
  size_t pos = 8;
  size_t next = 0;
  // The declared count is trusted only as far as the data holds strings.
  while (strings.size() < declared && pos < size) {
    while (next < breaks.size() && breaks[next] <= pos) ++next;
    size_t limit = next < breaks.size() ? breaks[next] : size;
    LongString s;
    std::uint16_t count;
    pos += s.readHeader(data().data() + pos, static_cast<std::uint32_t>(limit - pos), count);
    bool pieceWide = s.isWide();
    size_t remaining = count;
    while (remaining > 0) {
      if (next < breaks.size() && breaks[next] == pos) {
        // A break inside the string: the piece begins with the string's option byte.
        if (pos >= size) throw MalformedStream{"string continues past the table"};
        pieceWide = data()[pos] & 1;
        ++pos;
        ++next;
        if (next < breaks.size() && breaks[next] < pos) throw MalformedStream{"empty continue piece"};
      }
      limit = next < breaks.size() ? breaks[next] : size;
      size_t width = pieceWide ? 2 : 1;
      size_t fit = (limit - pos) / width;
      if (fit == 0) throw MalformedStream{"string characters cut"};
      size_t take = fit < remaining ? fit : remaining;
      s.appendCharacters(data().data() + pos, take, pieceWide);
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
