// Byte order, the record framework's CONTINUE splitting and the two record strings.
#include "spreadsheet/record.h"

#include <gtest/gtest.h>

#include <cstring>

#include "spreadsheet/record_strings.h"
#include "test_support.h"

using namespace QExcel;
using sheet_test::Bytes;

namespace {
std::string hex(const char* data, size_t n) {
  std::string out;
  char b[4];
  for (size_t i = 0; i < n; ++i) {
    std::snprintf(b, sizeof b, "%02x", static_cast<unsigned char>(data[i]));
    out += b;
  }
  return out;
}

std::vector<char> written(Record& record) {
  std::vector<char> buffer(record.recordSize() + 16, '\x5A');
  std::uint32_t n = record.write(buffer.data());
  EXPECT_EQ(n, record.recordSize());
  EXPECT_EQ(buffer[n], '\x5A');  // nothing written past the announced size
  buffer.resize(n);
  return buffer;
}

class Blob : public Record {
public:
  explicit Blob(std::uint32_t size) : Record(0x1234, size) { data().assign(size, 'd'); }
};
}  // namespace

TEST(LittleEndian, WidthsSignsAndDoubles) {
  char b[8] = {};
  LittleEndian::write(b, std::uint32_t(0x12345678), 0);
  EXPECT_EQ(hex(b, 4), "78563412");
  LittleEndian::write(b, std::uint32_t(0xAABBCCDD), 0, 2);
  EXPECT_EQ(hex(b, 4), "ddcc3412");
  std::int32_t s = 0;
  LittleEndian::read(b, s, 0, 2);
  EXPECT_EQ(s, static_cast<std::int16_t>(0xCCDD));
  LittleEndian::write(b, 1.5, 0);
  std::uint64_t bits;
  std::memcpy(&bits, b, 8);
  EXPECT_EQ(bits, 0x3FF8000000000000ull);
  std::vector<char> v(3);
  std::uint32_t out;
  EXPECT_THROW(LittleEndian::read(v, out, 0), MalformedStream);
  std::uint16_t units[2] = {0x41, 0x2603};
  LittleEndian::writeArray(b, units, 1, 2);
  EXPECT_EQ(hex(b + 1, 4), "41000326");
}

TEST(RecordFramework, PiecesOfAtMost8224Bytes) {
  Blob empty(0);
  EXPECT_EQ(hex(written(empty).data(), 4), "34120000");

  Blob one(8224);
  EXPECT_EQ(one.recordSize(), 8228u);
  EXPECT_EQ(written(one).size(), 8228u);

  Blob two(8225);
  two.dataSize();
  EXPECT_EQ(two.sizeWithHeaders(8225), 8233u);
  std::vector<char> bytes(8233);
  EXPECT_EQ(two.write(bytes.data()), 8233u);
  EXPECT_EQ(hex(bytes.data() + 4 + 8224, 5), "3c00010064");
}

TEST(RecordFramework, ContinuePiecesAreJoinedAndWrittenBackAsRead) {
  Bytes stream;
  stream.record(0x00FC, Bytes().raw(std::string(7, 'a')))
      .record(0x003C, Bytes().raw(std::string(10, 'b')))
      .record(0x003C, Bytes().raw(std::string(20, 'c')))
      .record(0x000A, Bytes());
  Record record;
  EXPECT_EQ(record.read(stream.data.data(), stream.size()), 7u + 10 + 20 + 12);
  EXPECT_EQ(record.continueOffsets(), (std::vector<std::uint32_t>{7, 17}));
  EXPECT_EQ(record.data().size(), 37u);
  std::vector<char> again = written(record);
  EXPECT_EQ(std::vector<char>(stream.data.begin(), stream.data.end() - 4), again);
}

TEST(RecordFramework, TruncatedRecordsAreRefused) {
  Bytes stream;
  stream.record(0x0031, Bytes().raw("abcdef")).record(0x003C, Bytes().raw("xyz"));
  Record record;
  for (std::uint32_t n : {0u, 3u, 7u, 12u, 14u, 16u})
    EXPECT_THROW(record.read(stream.data.data(), n), MalformedStream) << n;
  EXPECT_EQ(record.read(stream.data.data(), 10), 10u);  // the CONTINUE lies beyond the data
}

TEST(RecordStrings, LongStringLayouts) {
  char b[32] = {};
  LongString unset;
  EXPECT_EQ(unset.dataSize(), 3u);
  EXPECT_EQ(unset.write(b), 3u);
  EXPECT_EQ(hex(b, 3), "000001");

  LongString narrow;
  narrow = "abc";
  EXPECT_EQ(narrow.write(b), 6u);
  EXPECT_EQ(hex(b, 6), "030000616263");
  LongString wideText;
  wideText = L"abc";
  EXPECT_EQ(wideText.write(b), 9u);
  EXPECT_EQ(hex(b, 9), "030001610062006300");

  ShortString sheet;
  sheet = "Sheet1";
  EXPECT_EQ(sheet.dataSize(), 8u);
  EXPECT_EQ(sheet.write(b), 8u);
  EXPECT_EQ(hex(b, 8), "0600536865657431");
}

TEST(RecordStrings, RichTextAndPhoneticDataAreReadAndDropped) {
  // 2 characters, flags: UTF-16, runs and phonetic data; 1 run, 3 phonetic bytes.
  Bytes s;
  s.u16(2).u8(0x0D).u16(1).u32(3).u16('h').u16('i').u32(0xFFFFFFFF).raw("ppp").raw("next");
  LongString text;
  EXPECT_EQ(text.read(s.data.data(), s.size()), 3u + 2 + 4 + 4 + 4 + 3);
  EXPECT_EQ(text.text(), L"hi");
  EXPECT_EQ(text.dataSize(), 3u + 4);
  char b[16];
  EXPECT_EQ(text.write(b), 7u);
  EXPECT_EQ(hex(b, 7), "02000168006900");
  EXPECT_THROW(text.read(s.data.data(), 15), MalformedStream);

  // A zero-length string with header fields still skips them.
  Bytes empty;
  empty.u16(0).u8(0x08).u16(1).u32(0);
  EXPECT_EQ(text.read(empty.data.data(), empty.size()), 9u);
}

TEST(RecordStrings, PiecesOfTheOtherWidth) {
  LongString s;
  s.flags = 1;
  s.appendCharacters("ab", 2, false);
  EXPECT_TRUE(s.isWide());
  EXPECT_EQ(s.text(), L"ab");

  // 8-bit text is Latin-1, widened by zero extension; going on in UTF-16 makes it UTF-16.
  LongString n;
  n.flags = 0;
  n.appendCharacters("\xE9t\xE9", 3, false);
  const char units[] = {'\x16', '\x04'};
  n.appendCharacters(units, 1, true);
  EXPECT_TRUE(n.isWide());
  EXPECT_EQ(n.text(), L"\u00e9t\u00e9\u0416");
}

TEST(RecordStrings, LengthsNeverWrap) {
  std::wstring text(32766, L'x');
  LongString s;
  s = (text + L"\U0001F600").c_str();  // the pair would end at unit 32768: it is left out
  EXPECT_EQ(s.characterCount(), 32766u);
  s = (text + L"yz").c_str();
  EXPECT_EQ(s.characterCount(), 32767u);

  ShortString name;
  name = std::wstring(300, L'n').c_str();
  EXPECT_EQ(name.length(), 255u);
  std::vector<char> b(name.dataSize());
  EXPECT_EQ(name.write(b.data()), 512u);
  EXPECT_EQ(static_cast<unsigned char>(b[0]), 255u);
  name = std::string(300, 'n').c_str();
  EXPECT_EQ(name.dataSize(), 257u);
}
