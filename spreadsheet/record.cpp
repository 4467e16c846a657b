#include "spreadsheet/record.h"

#include <cstring>

namespace QExcel {

std::uint32_t Record::read(const char* buffer, std::uint32_t available) {
  if (available < 4) throw MalformedStream{"record header"};
  std::uint16_t length;
  LittleEndian::read(buffer, code, 0);
  LittleEndian::read(buffer, length, 2);
  if (available - 4 < length) throw MalformedStream{"record data"};
  data().assign(buffer + 4, buffer + 4 + length);
  dataBytes = length;
  recordBytes = length + 4u;
  continueOffsets().clear();
  while (peekCode(buffer + recordBytes, available - recordBytes) == kContinue) {
    if (available - recordBytes < 4) throw MalformedStream{"continue header"};
    std::uint16_t piece;
    LittleEndian::read(buffer, piece, recordBytes + 2);
    if (available - recordBytes - 4 < piece) throw MalformedStream{"continue data"};
    continueOffsets().push_back(dataBytes);
    const char* from = buffer + recordBytes + 4;
    data().append(from, from + piece);
    dataBytes += piece;
    recordBytes += piece + 4u;
  }
  return recordBytes;
}

std::uint32_t Record::write(char* buffer) {
  std::uint32_t size = static_cast<std::uint32_t>(data().size());
  LittleEndian::write(buffer, code, 0);
  std::uint32_t pos = 2;
  auto piece = [&](std::uint32_t from, std::uint32_t to, bool continued) {
    if (continued) {
      LittleEndian::write(buffer, kContinue, pos);
      pos += 2;
    }
    LittleEndian::write(buffer, static_cast<std::uint16_t>(to - from), pos);
    if (to > from) std::memcpy(buffer + pos + 2, data().data() + from, to - from);
    pos += 2 + (to - from);
  };
  if (followsOffsets(size)) {
    std::uint32_t from = 0;
    for (size_t i = 0; i < continueOffsets().size(); ++i) {
      piece(from, continueOffsets()[i], i > 0);
      from = continueOffsets()[i];
    }
    piece(from, size, true);
  } else {
    std::uint32_t from = 0;
    while (size - from > kMaxPiece) {
      piece(from, from + kMaxPiece, from > 0);
      from += kMaxPiece;
    }
    piece(from, size, from > 0);
  }
  return pos;
}

std::uint32_t Record::dataSize() { return dataBytes; }

// Classes of variable size recompute their data size in dataSize; the pieces follow from it.
std::uint64_t Record::recordSize() {
  recordBytes = sizeWithHeaders(dataSize());
  return recordBytes;
}

bool Record::followsOffsets(std::uint32_t bytes) const {
  if (continueOffsets().empty()) return false;
  std::uint32_t previous = 0;
  for (std::uint32_t offset : continueOffsets()) {
    if (offset < previous || offset > bytes || offset - previous > 0xFFFF) return false;
    previous = offset;
  }
  return bytes - previous <= 0xFFFF;
}

std::uint32_t Record::sizeWithHeaders(std::uint32_t bytes) const {
  if (followsOffsets(bytes)) return bytes + 4 * static_cast<std::uint32_t>(1 + continueOffsets().size());
  std::uint32_t pieces = bytes == 0 ? 1 : (bytes + kMaxPiece - 1) / kMaxPiece;
  return bytes + 4 * pieces;
}

void Record::requireData(size_t n) const {
  if (data().size() < n) throw MalformedStream{"record shorter than its layout"};
}

std::uint32_t Record::setVariableSize(std::uint32_t bytes) {
  continueOffsets().clear();
  dataBytes = bytes;
  recordBytes = sizeWithHeaders(bytes);
  return dataBytes;
}

std::uint32_t Record::readFixed(const char* buffer, std::uint32_t available, std::uint32_t minimum,
                                std::uint32_t layout) {
  std::uint32_t n = Record::read(buffer, available);
  requireData(minimum);
  fitLayout(layout);
  return n;
}

void Record::fitLayout(std::uint32_t layout) {
  data().resize(layout);
  setVariableSize(layout);
}

std::uint16_t peekCode(const char* buffer, std::uint32_t available) {
  if (available < 2) return 0;
  std::uint16_t code;
  LittleEndian::read(buffer, code, 0);
  return code;
}

std::uint32_t skipRecord(const char* buffer, std::uint32_t available) {
  Record record;
  return record.read(buffer, available);
}

std::uint32_t skipSubstream(const char* buffer, std::uint32_t available) {
  std::uint32_t pos = 0;
  int depth = 0;
  do {
    std::uint16_t code = peekCode(buffer + pos, available - pos);
    if (code == BOF::kCode) ++depth;
    else if (code == QEOF::kCode) --depth;
    pos += skipRecord(buffer + pos, available - pos);
  } while (depth > 0);
  return pos;
}

BOF::BOF(std::uint16_t substreamType) : BOF() {
  version = 0x0600;
  type = substreamType;
  buildIdentifier = 0x19A0;
  buildYear = 0x07CD;
  fileHistory = 0xC0C9;
  lowestVersion = 0x0306;
}

std::uint32_t BOF::read(const char* buffer, std::uint32_t available) {
  // Older writers end the record early: the missing fields read as 0.
  std::uint32_t n = readFixed(buffer, available, 4, 16);
  version = get<std::uint16_t>(0);
  type = get<std::uint16_t>(2);
  buildIdentifier = get<std::uint16_t>(4);
  buildYear = get<std::uint16_t>(6);
  fileHistory = get<std::uint32_t>(8);
  lowestVersion = get<std::uint32_t>(12);
  return n;
}

std::uint32_t BOF::write(char* buffer) {
  data().resize(dataSize());
  put(0, version);
  put(2, type);
  put(4, buildIdentifier);
  put(6, buildYear);
  put(8, fileHistory);
  put(12, lowestVersion);
  return Record::write(buffer);
}

}  // namespace QExcel
