#include "spreadsheet/workbook.h"

namespace QExcel {

namespace {
struct KeptKind {
  std::uint16_t code;
  Workbook::Place place;
};

constexpr KeptKind kKeptKinds[] = {
    {0x0022, Workbook::Place::afterWindow},  // DATEMODE: dates count from 1904
    {0x0092, Workbook::Place::afterStyles},  // PALETTE: the colours of fonts and cells
    {0x01AE, Workbook::Place::afterSheets},  // SUPBOOK: a book that formulas refer to
    {0x0023, Workbook::Place::afterSheets},  // EXTERNNAME: a name of that book
    {0x0059, Workbook::Place::afterSheets},  // XCT and CRN: its cells as last read
    {0x005A, Workbook::Place::afterSheets},
    {0x0017, Workbook::Place::afterSheets},  // EXTERNSHEET: the sheets that formulas refer to
    {0x0018, Workbook::Place::afterSheets},  // NAME: a defined name
};
}  // namespace

std::optional<Workbook::Place> Workbook::placeOf(std::uint16_t code) {
  for (const KeptKind& kind : kKeptKinds)
    if (kind.code == code) return kind.place;
  return std::nullopt;
}

std::uint32_t Workbook::writeKept(Place place, char* buffer) {
  std::uint32_t pos = 0;
  for (Record& record : kept)
    if (placeOf(record.code) == place) pos += record.write(buffer + pos);
  return pos;
}

void Workbook::dropLinks() {
  std::erase_if(kept, [](const Record& record) { return placeOf(record.code) == Place::afterSheets; });
}

std::uint32_t Workbook::write(char* buffer, bool releaseStrings) {
  std::uint32_t pos = 0;
  pos += bof.write(buffer + pos);
  pos += window1.write(buffer + pos);
  pos += writeKept(Place::afterWindow, buffer + pos);
  for (Font& font : fonts) pos += font.write(buffer + pos);
  for (Format& format : formats) pos += format.write(buffer + pos);
  for (XF& xf : xfs) pos += xf.write(buffer + pos);
  for (Style& style : styles) pos += style.write(buffer + pos);
  pos += writeKept(Place::afterStyles, buffer + pos);
  for (BoundSheet& sheet : boundSheets) pos += sheet.write(buffer + pos);
  pos += writeKept(Place::afterSheets, buffer + pos);
  pos += releaseStrings ? sst.writeAndRelease(buffer + pos) : sst.write(buffer + pos);
  pos += eof.write(buffer + pos);
  return pos;
}

std::uint64_t Workbook::bytesBeforeStrings() {
  std::uint64_t size = bof.recordSize() + window1.recordSize();
  for (Font& font : fonts) size += font.recordSize();
  for (Format& format : formats) size += format.recordSize();
  for (XF& xf : xfs) size += xf.recordSize();
  for (Style& style : styles) size += style.recordSize();
  for (BoundSheet& sheet : boundSheets) size += sheet.recordSize();
  for (Record& record : kept) size += record.recordSize();
  return size;
}

std::uint64_t Workbook::dataSize() { return bytesBeforeStrings() + sst.recordSize() + eof.recordSize(); }

std::uint32_t Workbook::read(const char* buffer, std::uint32_t available) {
  std::uint32_t pos = 0;
  for (;;) {
    const char* at = buffer + pos;
    std::uint32_t left = available - pos;
    switch (peekCode(at, left)) {
      case QEOF::kCode: return pos + skipRecord(at, left);
      case BOF::kCode:
        // A BOF inside the globals opens a substream of its own: skipped whole.
        pos += pos == 0 ? bof.read(at, left) : skipSubstream(at, left);
        break;
      case Window1::kCode: pos += window1.read(at, left); break;
      case Font::kCode:
        fonts.emplace_back();
        pos += fonts.back().read(at, left);
        break;
      case XF::kCode:
        xfs.emplace_back();
        pos += xfs.back().read(at, left);
        break;
      case Style::kCode:
        styles.emplace_back();
        pos += styles.back().read(at, left);
        break;
      case Format::kCode:
        formats.emplace_back();
        pos += formats.back().read(at, left);
        break;
      case BoundSheet::kCode:
        boundSheets.emplace_back();
        pos += boundSheets.back().read(at, left);
        break;
      case SharedStringTable::kCode: pos += sst.read(at, left); break;
      default:
        if (!placeOf(peekCode(at, left))) {
          pos += skipRecord(at, left);
          break;
        }
        kept.emplace_back();
        pos += kept.back().read(at, left);
        break;
    }
  }
}

}  // namespace QExcel
