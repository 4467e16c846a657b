// Workbook streams made by hand, byte by byte: for the spreadsheet tests and the fuzzer's
// seed corpus, which need records no writer of ours would make.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace sheet_test {

// Little-endian byte strings and records.
struct Bytes {
  std::vector<char> data;
  Bytes& u8(unsigned v) {
    data.push_back(static_cast<char>(v));
    return *this;
  }
  Bytes& u16(unsigned v) { return u8(v & 0xFF).u8((v >> 8) & 0xFF); }
  Bytes& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
  Bytes& raw(const std::string& s) {
    for (char c : s) data.push_back(c);
    return *this;
  }
  Bytes& add(const Bytes& other) {
    for (char c : other.data) data.push_back(c);
    return *this;
  }
  Bytes& record(unsigned code, const Bytes& body) {
    u16(code).u16(static_cast<unsigned>(body.data.size()));
    return add(body);
  }
  std::uint32_t size() const { return static_cast<std::uint32_t>(data.size()); }
};

inline Bytes bof(unsigned type) {
  return Bytes().u16(0x0600).u16(type).u16(0x19A0).u16(0x07CD).u32(0xC0C9).u32(0x0306);
}

// A globals substream: BOF, one BOUNDSHEET per (position, name), the SST body, EOF.
inline Bytes globals(const std::vector<std::pair<std::uint32_t, std::string>>& sheets,
                     Bytes sst = Bytes().u32(0).u32(0)) {
  Bytes g;
  g.record(0x0809, bof(5));
  for (const auto& [position, name] : sheets)
    g.record(0x0085, Bytes().u32(position).u16(0).u8(static_cast<unsigned>(name.size())).u8(0).raw(name));
  return g.record(0x00FC, sst).record(0x000A, Bytes());
}

// A whole stream: the globals and one worksheet per entry, each holding the given records.
inline Bytes workbookStream(const std::vector<Bytes>& sheetRecords) {
  std::vector<std::pair<std::uint32_t, std::string>> names;
  for (size_t i = 0; i < sheetRecords.size(); ++i) names.emplace_back(0, "S" + std::to_string(i + 1));
  std::vector<Bytes> sheets;
  for (const Bytes& records : sheetRecords) {
    Bytes sheet;
    sheet.record(0x0809, bof(0x10)).add(records).record(0x000A, Bytes());
    sheets.push_back(sheet);
  }
  std::uint32_t position = globals(names).size();
  for (size_t i = 0; i < sheets.size(); ++i) {
    names[i].first = position;
    position += sheets[i].size();
  }
  Bytes stream = globals(names);
  for (const Bytes& sheet : sheets) stream.add(sheet);
  return stream;
}

// The body of an RK cell record holding an integer.
inline Bytes rk(unsigned row, unsigned column, int value) {
  return Bytes().u16(row).u16(column).u16(0).u32(static_cast<std::uint32_t>(value) * 4 + 2);
}

// The body of a text cell record with formatting runs: the count of characters as given,
// their bytes (8-bit, or UTF-16 when wide), then the count of runs and that many runs.
inline Bytes richText(unsigned row, unsigned column, unsigned count, bool wide, const Bytes& characters,
                      unsigned runs) {
  Bytes body = Bytes().u16(row).u16(column).u16(0).u16(count).u8(wide ? 1 : 0).add(characters).u16(runs);
  for (unsigned i = 0; i < runs; ++i) body.u16(i).u16(i % 2);
  return body;
}

// A stream with the sheet "Data", after a chart sheet when asked, whose globals hold a
// link table (SUPBOOK, EXTERNSHEET, NAME), the date system and a palette.
inline Bytes linkedStream(bool withChart) {
  Bytes chart;
  if (withChart) chart.record(0x0809, sheet_test::bof(0x20)).record(0x000A, Bytes());
  Bytes sheet;
  sheet.record(0x0809, sheet_test::bof(0x10)).record(0x027E, rk(0, 0, 5)).record(0x000A, Bytes());
  auto globals = [&](std::uint32_t start) {
    Bytes g;
    g.record(0x0809, sheet_test::bof(5));
    if (withChart) g.record(0x0085, Bytes().u32(start).u16(0x0200).u8(1).u8(0).raw("C"));
    g.record(0x0085, Bytes().u32(start + chart.size()).u16(0).u8(4).u8(0).raw("Data"))
        .record(0x01AE, Bytes().u16(withChart ? 2 : 1).u16(0x0401))
        .record(0x0017, Bytes().u16(1).u16(0).u16(withChart ? 1 : 0).u16(withChart ? 1 : 0))
        .record(0x0018,
                Bytes().u16(0).u8(0).u8(1).u16(7).u16(0).u16(0).u32(0).u8(0).raw("R").u8(0x3A).u16(0).u16(0).u16(0))
        .record(0x0022, Bytes().u16(1))
        .record(0x0092, Bytes().u16(1).u32(0x00563412))
        .record(0x00FC, Bytes().u32(0).u32(0))
        .record(0x000A, Bytes());
    return g;
  };
  return globals(globals(0).size()).add(chart).add(sheet);
}

// The record's body followed by bytes that its layout does not have, to the given size.
inline Bytes oversized(Bytes body, size_t total) {
  while (body.data.size() < total) body.u8(0xEE);
  return body;
}

// Records of a fixed layout that arrive far longer than it, in one piece and in several.
inline Bytes oversizedRecords() {
  Bytes records;
  records.record(0x007D, oversized(Bytes().u16(1).u16(1).u16(5000).u16(0).u16(0).u16(0), 20000))
      .record(0x0208, oversized(Bytes().u16(0).u16(0).u16(2).u16(255).u32(0).u32(0x100), 9000))
      .record(0x027E, oversized(rk(0, 1, 77), 8300))
      .record(0x003C, Bytes().raw(std::string(2000, 'c')))
      .record(0x023E, oversized(Bytes().u16(0x6B6).u16(0).u16(0).u16(64).u16(0).u16(0).u16(0).u32(0), 9000));
  return records;
}

}  // namespace sheet_test
