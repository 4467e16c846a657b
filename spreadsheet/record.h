// The base of every record of the workbook stream: the record code and its data bytes,
// read with all CONTINUE pieces joined and written back split into pieces of at most
// 8224 data bytes. BOF and QEOF, which open and close every substream, live here too.
#pragma once
#include <cstdint>
#include <vector>

#include "spreadsheet/lazy_vector.h"
#include "spreadsheet/little_endian.h"
#include "spreadsheet/stream_errors.h"

namespace QExcel {

class Record {
public:
  static constexpr std::uint32_t kMaxPiece = 8224;
  static constexpr std::uint16_t kContinue = 0x003C;

  Record() = default;
  Record(const Record&) = default;
  Record(Record&&) noexcept = default;
  Record& operator=(const Record&) = default;
  Record& operator=(Record&&) noexcept = default;
  virtual ~Record() = default;

  // Parses the record that begins at buffer, of which available bytes are readable;
  // returns the bytes consumed. Throws MalformedStream when the data runs short.
  virtual std::uint32_t read(const char* buffer, std::uint32_t available);
  // Puts the record at buffer (room for recordSize() bytes); returns the bytes written.
  virtual std::uint32_t write(char* buffer);
  // The data bytes that write will emit; classes of variable size compute and store them
  // (with the record size) here.
  virtual std::uint32_t dataSize();
  // The stream bytes that write will emit, headers included: always the data size with
  // the headers of the pieces write makes of it, so that a buffer of this size holds it.
  // In 64 bits, so that a record too large for the stream shows as such.
  virtual std::uint64_t recordSize();

  // Stream bytes of data of the given size with its piece headers.
  std::uint32_t sizeWithHeaders(std::uint32_t bytes) const;

  template <class T>
  T get(size_t pos, int width = 0) const {
    T value{};
    LittleEndian::read(data(), value, pos, width);
    return value;
  }
  template <class T>
  void put(size_t pos, T value, int width = 0) {
    LittleEndian::write(data().vec(), value, pos, width);
  }
  // Throws MalformedStream when the data holds fewer than n bytes.
  void requireData(size_t n) const;
  // A field put into data bytes that lie outside the data vector.
  template <class T>
  static void store(char* at, size_t pos, T value) {
    LittleEndian::write(at, value, pos);
  }

  // The data bytes, all pieces joined, and the offsets in them at which CONTINUE pieces
  // begin; made only when used.
  LazyVector<char> data() { return {vectors_, &RecordVectors::Both::data}; }
  const std::vector<char>& data() const { return vectors_.get(&RecordVectors::Both::data); }
  LazyVector<std::uint32_t> continueOffsets() { return {vectors_, &RecordVectors::Both::continueOffsets}; }
  const std::vector<std::uint32_t>& continueOffsets() const {
    return vectors_.get(&RecordVectors::Both::continueOffsets);
  }

private:
  RecordVectors vectors_;

public:
  std::uint32_t dataBytes = 0;
  std::uint32_t recordBytes = 4;
  std::uint16_t code = 0;  // last, so that a derived class's first fields fill the padding

protected:
  // For classes of fixed data size.
  Record(std::uint16_t recordCode, std::uint32_t size) : dataBytes(size), recordBytes(size + 4), code(recordCode) {}
  // For classes of variable size: stores the new data size and drops piece offsets that a
  // read recorded (the writer then splits by itself).
  std::uint32_t setVariableSize(std::uint32_t bytes);
  // Reads a record whose data has a fixed layout of `layout` bytes, of which at least
  // `minimum` must be there (fields missing at the end read as 0); returns the bytes
  // consumed. Whatever length and pieces the record came in, it is then sized and written
  // by its layout.
  std::uint32_t readFixed(const char* buffer, std::uint32_t available, std::uint32_t minimum, std::uint32_t layout);
  // Cuts or pads the data to the layout; bytes beyond it mean nothing to the record.
  void fitLayout(std::uint32_t layout);
  // Writes a record whose encode(char* at) puts all its data-size bytes at `at`. A record
  // of one piece (the cell and row records always are) goes straight into the stream
  // after its header; any other is encoded into data and split as write splits it.
  template <class Encode>
  std::uint32_t writeEncoded(char* buffer, Encode encode) {
    std::uint32_t size = dataSize();
    if (!continueOffsets().empty() || size > kMaxPiece) {
      data().resize(size);
      encode(data().data());
      return Record::write(buffer);
    }
    LittleEndian::write(buffer, code, 0);
    LittleEndian::write(buffer, static_cast<std::uint16_t>(size), 2);
    encode(buffer + 4);
    return size + 4;
  }

private:
  // Whether write can split data of the given size at the recorded continue offsets.
  bool followsOffsets(std::uint32_t bytes) const;
};

// The code of the record at buffer, or 0 when fewer than two bytes remain.
std::uint16_t peekCode(const char* buffer, std::uint32_t available);
// Reads and drops one record; returns its size.
std::uint32_t skipRecord(const char* buffer, std::uint32_t available);
// Skips a whole substream from its BOF to its matching EOF (nested substreams included).
std::uint32_t skipSubstream(const char* buffer, std::uint32_t available);

class BOF : public Record {
public:
  static constexpr std::uint16_t kCode = 0x0809;
  static constexpr std::uint16_t kGlobals = 0x0005;
  static constexpr std::uint16_t kWorksheet = 0x0010;

  BOF() : Record(kCode, 16) {}
  // The values that open a substream of the given type.
  explicit BOF(std::uint16_t substreamType);
  std::uint32_t read(const char* buffer, std::uint32_t available) override;
  std::uint32_t write(char* buffer) override;

  std::uint16_t version = 0;
  std::uint16_t type = 0;
  std::uint16_t buildIdentifier = 0;
  std::uint16_t buildYear = 0;
  std::uint32_t fileHistory = 0;
  std::uint32_t lowestVersion = 0;
};

class QEOF : public Record {
public:
  static constexpr std::uint16_t kCode = 0x000A;
  QEOF() : Record(kCode, 0) {}
};

}  // namespace QExcel
