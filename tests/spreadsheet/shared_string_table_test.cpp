// The shared string table: where its CONTINUE pieces begin, the option bytes at breaks,
// and reading split strings back.
#include <gtest/gtest.h>

#include <random>

#include "spreadsheet/workbook.h"
#include "spreadsheet/xls_book.h"
#include "test_support.h"
#include "tests/support/allocation_hook.h"

using namespace QExcel;
using Sst = Workbook::SharedStringTable;

namespace {
LongString narrow(size_t n, char c = 'a') {
  LongString s;
  s = std::string(n, c).c_str();
  return s;
}

LongString wide(size_t n, wchar_t c = L'\u0416') {
  LongString s;
  s = std::wstring(n, c).c_str();
  return s;
}

std::vector<char> written(Sst& sst) {
  std::vector<char> b(sst.recordSize());
  EXPECT_EQ(sst.write(b.data()), b.size());
  return b;
}

// The pieces of a written record: (offset in the stream, data) per piece.
std::vector<std::pair<size_t, std::string>> pieces(const std::vector<char>& b) {
  std::vector<std::pair<size_t, std::string>> out;
  size_t pos = 0;
  while (pos + 4 <= b.size()) {
    size_t n = static_cast<unsigned char>(b[pos + 2]) | static_cast<unsigned char>(b[pos + 3]) << 8;
    out.emplace_back(pos, std::string(b.data() + pos + 4, n));
    pos += 4 + n;
  }
  EXPECT_EQ(pos, b.size());
  return out;
}

// One block of characters that every text of the given byte size is handed: many long
// texts cost the memory of one.
class SharedCharacters : public AllocationHook {
public:
  explicit SharedCharacters(size_t bytes) : block_(bytes / 2, u'\u0416') {}
  void* allocate(size_t size) override { return size == 2 * block_.size() ? block_.data() : nullptr; }
  bool owns(const void* block) const override { return block == block_.data(); }

private:
  std::u16string block_;
};

void expectRoundTrip(Sst& sst) {
  std::vector<char> b = written(sst);
  for (const auto& piece : pieces(b)) EXPECT_LE(piece.second.size(), 8224u);
  Sst back;
  EXPECT_EQ(back.read(b.data(), static_cast<std::uint32_t>(b.size())), b.size());
  ASSERT_EQ(back.strings.size(), sst.strings.size());
  EXPECT_EQ(back.unique, sst.strings.size());
  for (size_t i = 0; i < sst.strings.size(); ++i) EXPECT_EQ(back.strings[i].text(), sst.strings[i].text()) << i;
}
}  // namespace

TEST(SharedStringTable, EmptyTable) {
  Sst sst;
  EXPECT_EQ(sst.dataSize(), 8u);
  EXPECT_EQ(sst.recordSize(), 12u);
  EXPECT_TRUE(sst.continueOffsets().empty());
}

TEST(SharedStringTable, LongStringsSplitAtThePlannedBreaks) {
  Sst sst;
  sst.strings = {wide(10000)};
  EXPECT_EQ(sst.dataSize(), 20013u);
  EXPECT_EQ(sst.continueOffsets(), (std::vector<std::uint32_t>{8223, 16446}));
  std::vector<char> b = written(sst);
  auto p = pieces(b);
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ(p[0].second.size(), 8223u);
  EXPECT_EQ(p[1].second.size(), 8223u);
  EXPECT_EQ(p[2].second.size(), 3567u);
  EXPECT_EQ(p[1].second[0], 1);  // the option byte of the UTF-16 string
  EXPECT_EQ(p[2].second[0], 1);
  expectRoundTrip(sst);

  sst.strings = {narrow(20000)};
  EXPECT_EQ(sst.dataSize(), 20013u);
  EXPECT_EQ(sst.continueOffsets(), (std::vector<std::uint32_t>{8224, 16448}));
  p = pieces(written(sst));
  EXPECT_EQ(p[1].second[0], 0);
  EXPECT_EQ(p[1].second.size(), 8224u);
  expectRoundTrip(sst);
}

TEST(SharedStringTable, StringsNearTheEndOfAPiece) {
  // Two strings that fill the first piece exactly: no break.
  Sst sst;
  sst.strings = {narrow(4000), narrow(8224 - 8 - 4003 - 3)};
  EXPECT_EQ(sst.dataSize(), 8224u);
  EXPECT_TRUE(sst.continueOffsets().empty());

  // 12 bytes left: the string is split after its header and 9 characters (8 for UTF-16).
  sst.strings = {narrow(8224 - 8 - 3 - 12), narrow(100)};
  sst.dataSize();
  EXPECT_EQ(sst.continueOffsets(), std::vector<std::uint32_t>{8224});
  expectRoundTrip(sst);
  sst.strings = {narrow(8224 - 8 - 3 - 12), wide(100)};
  sst.dataSize();
  EXPECT_EQ(sst.continueOffsets(), std::vector<std::uint32_t>{8223});
  expectRoundTrip(sst);

  // 11 bytes left: the string moves whole to a new piece, which begins without an option byte.
  sst.strings = {narrow(8224 - 8 - 3 - 11), narrow(100, 'b')};
  EXPECT_EQ(sst.dataSize(), 8224u - 11 + 103);
  EXPECT_EQ(sst.continueOffsets(), std::vector<std::uint32_t>{8213});
  auto p = pieces(written(sst));
  EXPECT_EQ(p[1].second.substr(0, 4), std::string("\x64\x00\x00"
                                                  "b",
                                                  4));
  expectRoundTrip(sst);

  // A string that exactly fills a freshly begun piece ends at the break after it.
  sst.strings = {narrow(8224 - 8 - 3 - 5), narrow(8221, 'c'), narrow(3, 'd')};
  sst.dataSize();
  EXPECT_EQ(sst.continueOffsets(), (std::vector<std::uint32_t>{8219, 8219 + 8224}));
  expectRoundTrip(sst);
}

TEST(SharedStringTable, ManyStringsOfBothWidthsRoundTrip) {
  std::mt19937 random(7);
  Sst sst;
  for (int i = 0; i < 2000; ++i) {
    size_t n = random() % 40 == 0 ? random() % 12000 : random() % 30;
    LongString s;
    std::wstring text;
    bool isWide = random() % 2;
    for (size_t k = 0; k < n; ++k)
      text += isWide ? static_cast<wchar_t>(0x400 + random() % 200) : static_cast<wchar_t>('a' + random() % 26);
    if (isWide) s = text.c_str();
    else s = std::string(text.begin(), text.end()).c_str();
    sst.strings.push_back(s);
  }
  expectRoundTrip(sst);
}

TEST(SharedStringTable, ReaderTrustsTheDataOverTheCounts) {
  using sheet_test::Bytes;
  // Declares 4 billion strings and holds one: the table holds one.
  Bytes stream;
  stream.record(0x00FC, Bytes().u32(1).u32(0xFFFFFFFF).u16(2).u8(0).raw("ok"));
  Sst sst;
  sst.read(stream.data.data(), stream.size());
  ASSERT_EQ(sst.strings.size(), 1u);
  EXPECT_EQ(sst.unique, 1u);

  // A string split with its characters continuing in UTF-16 after the option byte.
  Bytes split;
  split.record(0x00FC, Bytes().u32(1).u32(1).u16(4).u8(0).raw("ab")).record(0x003C, Bytes().u8(1).u16(0x0416).u16('z'));
  sst.read(split.data.data(), split.size());
  ASSERT_EQ(sst.strings.size(), 1u);
  EXPECT_EQ(sst.strings[0].text(), L"ab\u0416z");

  // A string whose characters end exactly at a break: the next piece starts the next
  // string, with no option byte.
  Bytes between;
  between.record(0x00FC, Bytes().u32(2).u32(2).u16(2).u8(0).raw("ab")).record(0x003C, Bytes().u16(1).u8(0).raw("c"));
  sst.read(between.data.data(), between.size());
  ASSERT_EQ(sst.strings.size(), 2u);
  EXPECT_EQ(sst.strings[1].text(), L"c");

  // Rich-text runs after a split string are skipped across the break.
  Bytes runs;
  runs.record(0x00FC, Bytes().u32(2).u32(2).u16(3).u8(8).u16(1).raw("ab"))
      .record(0x003C, Bytes().u8(0).raw("c").u32(0x55555555).u16(1).u8(0).raw("d"));
  sst.read(runs.data.data(), runs.size());
  ASSERT_EQ(sst.strings.size(), 2u);
  EXPECT_EQ(sst.strings[0].text(), L"abc");
  EXPECT_EQ(sst.strings[1].text(), L"d");

  // Characters cut by the end of the data.
  Bytes cut;
  cut.record(0x00FC, Bytes().u32(1).u32(1).u16(9).u8(1).raw("abc"));
  EXPECT_THROW(sst.read(cut.data.data(), cut.size()), MalformedStream);
}

// Texts of characters beyond U+FFFF placed so that a break would fall at every offset
// around the end of a piece, and across several breaks: no piece ends between the two
// halves of a surrogate pair, and every text reads back whole.
TEST(SharedStringTable, BreaksNeverSplitASurrogatePair) {
  const std::wstring astral = L"\U0001F600\U00020000\U0001D11E";
  int pairsAtBreaks = 0;
  for (size_t filler = 8170; filler <= 8224; ++filler) {
    for (size_t lead : {0, 1}) {
      Sst sst;
      sst.strings = {narrow(filler)};
      std::wstring text(lead, L'a');
      while (text.size() < 9000) text += astral;  // about 18,000 units: three pieces or more
      LongString s;
      s = text.c_str();
      sst.strings.push_back(s);
      sst.strings.push_back(wide(30));
      std::vector<char> b = written(sst);
      auto p = pieces(b);
      ASSERT_GE(p.size(), 3u) << filler;
      for (size_t i = 1; i < p.size(); ++i) {
        const std::string& piece = p[i].second;
        const std::string& before = p[i - 1].second;
        // A piece that continues the astral text: its option byte, then no low surrogate
        // first; and the piece before it ends on no high surrogate.
        if (piece.size() < 3 || piece[0] != 1) continue;
        unsigned first = static_cast<unsigned char>(piece[1]) | static_cast<unsigned char>(piece[2]) << 8;
        unsigned last = static_cast<unsigned char>(before[before.size() - 2]) |
                        static_cast<unsigned char>(before[before.size() - 1]) << 8;
        EXPECT_FALSE(first >= 0xDC00 && first <= 0xDFFF) << filler << " piece " << i;
        EXPECT_FALSE(last >= 0xD800 && last <= 0xDBFF) << filler << " piece " << i;
        if (last >= 0xDC00 && last <= 0xDFFF) ++pairsAtBreaks;  // a break right after a pair
      }
      expectRoundTrip(sst);
    }
  }
  EXPECT_GT(pairsAtBreaks, 0);
}

// 65,600 texts of 32,767 UTF-16 units: the table passes 4 GB, and so does the stream of a
// book that holds it, the size by which a save refuses a stream beyond 4 GB. In 32 bits
// both wrapped to a few megabytes, and the save wrote past the buffer it had sized. The
// texts share their characters, so that the test needs little memory.
TEST(SharedStringTable, ATableBeyond4GBKeepsItsSize) {
  constexpr std::uint64_t kTexts = 65600, kUnits = LongString::kMaxUnits;
  const std::uint64_t least = 8 + kTexts * (3 + 2 * kUnits);
  ASSERT_GT(least, 0xFFFFFFFFull);
  SharedCharacters characters(2 * kUnits);
  ScopedAllocationHook hook(characters);
  XlsBook book;
  book.create(1);
  Sst& sst = book.workbook().sst;
  sst.strings.resize(kTexts);
  for (LongString& text : sst.strings) {
    text.units.allocate(kUnits);
    text.flags = 1;
  }
  EXPECT_GE(sst.recordSize(), least + 4 * (least / Record::kMaxPiece));
  book.fixStreamPositions();
  EXPECT_GE(book.streamSize(), least);
}
