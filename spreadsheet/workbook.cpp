#include "spreadsheet/workbook.h"

namespace QExcel {

std::uint32_t Workbook::write(char* buffer, bool releaseStrings) {
  std::uint32_t pos = 0;
  pos += bof.write(buffer + pos);
  pos += window1.write(buffer + pos);
  for (Font& font : fonts) pos += font.write(buffer + pos);
  for (Format& format : formats)
    if (written(format)) pos += format.write(buffer + pos);
  for (XF& xf : xfs) pos += xf.write(buffer + pos);
  for (Style& style : styles) pos += style.write(buffer + pos);
  for (BoundSheet& sheet : boundSheets) pos += sheet.write(buffer + pos);
  pos += releaseStrings ? sst.writeAndRelease(buffer + pos) : sst.write(buffer + pos);
  pos += eof.write(buffer + pos);
  return pos;
}

std::uint64_t Workbook::dataSize() {
  std::uint64_t size = bof.recordSize() + window1.recordSize();
  for (Font& font : fonts) size += font.recordSize();
  for (Format& format : formats)
    if (written(format)) size += format.recordSize();
  for (XF& xf : xfs) size += xf.recordSize();
  for (Style& style : styles) size += style.recordSize();
  for (BoundSheet& sheet : boundSheets) size += sheet.recordSize();
  size += sst.recordSize();
  size += eof.recordSize();
  return size;
}

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
      default: pos += skipRecord(at, left); break;
    }
  }
}

}  // namespace QExcel
