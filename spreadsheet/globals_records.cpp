// The records of the workbook globals other than the shared string table.
#include "spreadsheet/workbook.h"

namespace QExcel {

std::uint32_t Workbook::Window1::read(const char* buffer, std::uint32_t available) {
  std::uint32_t n = readFixed(buffer, available, 18, 18);
  horizontalPosition = get<std::uint16_t>(0);
  verticalPosition = get<std::uint16_t>(2);
  width = get<std::uint16_t>(4);
  height = get<std::uint16_t>(6);
  options = get<std::uint16_t>(8);
  activeSheet = get<std::uint16_t>(10);
  firstVisibleTab = get<std::uint16_t>(12);
  selectedSheets = get<std::uint16_t>(14);
  tabBarWidth = get<std::uint16_t>(16);
  return n;
}

std::uint32_t Workbook::Window1::write(char* buffer) {
  data().resize(dataSize());
  put(0, horizontalPosition);
  put(2, verticalPosition);
  put(4, width);
  put(6, height);
  put(8, options);
  put(10, activeSheet);
  put(12, firstVisibleTab);
  put(14, selectedSheets);
  put(16, tabBarWidth);
  return Record::write(buffer);
}

Workbook::Font::Font() : Record(kCode, 14) {
  name = L"Arial";
  dataSize();
}

std::uint32_t Workbook::Font::read(const char* buffer, std::uint32_t available) {
  std::uint32_t n = Record::read(buffer, available);
  requireData(14);
  height = get<std::uint16_t>(0);
  options = get<std::uint16_t>(2);
  colourIndex = get<std::uint16_t>(4);
  weight = get<std::uint16_t>(6);
  escapement = get<std::uint16_t>(8);
  underline = get<std::uint8_t>(10);
  family = get<std::uint8_t>(11);
  characterSet = get<std::uint8_t>(12);
  reserved = get<std::uint8_t>(13);
  name.read(data().data() + 14, static_cast<std::uint32_t>(data().size() - 14));
  return n;
}

std::uint32_t Workbook::Font::write(char* buffer) {
  data().resize(dataSize());
  put(0, height);
  put(2, options);
  put(4, colourIndex);
  put(6, weight);
  put(8, escapement);
  put(10, underline);
  put(11, family);
  put(12, characterSet);
  put(13, reserved);
  name.write(data().data() + 14);
  return Record::write(buffer);
}

std::uint32_t Workbook::Font::dataSize() { return setVariableSize(14 + name.dataSize()); }

Workbook::Format::Format() : Record(kCode, 2) {
  text = L"General";
  dataSize();
}

std::uint32_t Workbook::Format::read(const char* buffer, std::uint32_t available) {
  std::uint32_t n = Record::read(buffer, available);
  requireData(2);
  index = get<std::uint16_t>(0);
  text.read(data().data() + 2, static_cast<std::uint32_t>(data().size() - 2));
  return n;
}

std::uint32_t Workbook::Format::write(char* buffer) {
  data().resize(dataSize());
  put(0, index);
  text.write(data().data() + 2);
  return Record::write(buffer);
}

std::uint32_t Workbook::Format::dataSize() { return setVariableSize(2 + text.dataSize()); }

std::uint32_t Workbook::XF::read(const char* buffer, std::uint32_t available) {
  std::uint32_t n = readFixed(buffer, available, 20, 20);
  fontIndex = get<std::uint16_t>(0);
  formatIndex = get<std::uint16_t>(2);
  protection = get<std::uint16_t>(4);
  alignment = get<std::uint8_t>(6);
  rotation = get<std::uint8_t>(7);
  textOptions = get<std::uint8_t>(8);
  usedAttributes = get<std::uint8_t>(9);
  borderLines = get<std::uint32_t>(10);
  borderColours = get<std::uint32_t>(14);
  background = get<std::uint16_t>(18);
  return n;
}

std::uint32_t Workbook::XF::write(char* buffer) {
  data().resize(dataSize());
  put(0, fontIndex);
  put(2, formatIndex);
  put(4, protection);
  put(6, alignment);
  put(7, rotation);
  put(8, textOptions);
  put(9, usedAttributes);
  put(10, borderLines);
  put(14, borderColours);
  put(18, background);
  return Record::write(buffer);
}

std::uint32_t Workbook::Style::read(const char* buffer, std::uint32_t available) {
  std::uint32_t n = Record::read(buffer, available);
  requireData(2);
  xfIndex = get<std::uint16_t>(0);
  if (builtIn()) {
    requireData(4);
    builtInId = get<std::uint8_t>(2);
    outlineLevel = get<std::uint8_t>(3);
  } else {
    name.read(data().data() + 2, static_cast<std::uint32_t>(data().size() - 2));
  }
  return n;
}

std::uint32_t Workbook::Style::write(char* buffer) {
  data().resize(dataSize());
  put(0, xfIndex);
  if (builtIn()) {
    put(2, builtInId);
    put(3, outlineLevel);
  } else {
    name.write(data().data() + 2);
  }
  return Record::write(buffer);
}

std::uint32_t Workbook::Style::dataSize() { return setVariableSize(builtIn() ? 4 : 2 + name.dataSize()); }

Workbook::BoundSheet::BoundSheet() : Record(kCode, 6) {
  name = "Sheet1";
  dataSize();
}

std::uint32_t Workbook::BoundSheet::read(const char* buffer, std::uint32_t available) {
  std::uint32_t n = Record::read(buffer, available);
  requireData(6);
  position = get<std::uint32_t>(0);
  visibility = get<std::uint8_t>(4);
  sheetType = get<std::uint8_t>(5);
  name.read(data().data() + 6, static_cast<std::uint32_t>(data().size() - 6));
  return n;
}

std::uint32_t Workbook::BoundSheet::write(char* buffer) {
  data().resize(dataSize());
  put(0, position);
  put(4, visibility);
  put(5, sheetType);
  name.write(data().data() + 6);
  return Record::write(buffer);
}

std::uint32_t Workbook::BoundSheet::dataSize() { return setVariableSize(6 + name.dataSize()); }

std::uint32_t Workbook::ExtSST::read(const char* buffer, std::uint32_t available) {
  std::uint32_t n = Record::read(buffer, available);
  requireData(2);
  stringsPerBucket = get<std::uint16_t>(0);
  size_t buckets = (data().size() - 2) / 8;
  positions.resize(buckets);
  offsets.resize(buckets);
  reserved.resize(buckets);
  for (size_t i = 0; i < buckets; ++i) {
    positions[i] = get<std::uint32_t>(2 + 8 * i);
    offsets[i] = get<std::uint16_t>(6 + 8 * i);
    reserved[i] = get<std::uint16_t>(8 + 8 * i);
  }
  return n;
}

std::uint32_t Workbook::ExtSST::write(char* buffer) {
  data().resize(dataSize());
  put(0, stringsPerBucket);
  for (size_t i = 0; i < positions.size(); ++i) {
    put(2 + 8 * i, positions[i]);
    put(6 + 8 * i, i < offsets.size() ? offsets[i] : std::uint16_t(0));
    put(8 + 8 * i, i < reserved.size() ? reserved[i] : std::uint16_t(0));
  }
  return Record::write(buffer);
}

std::uint32_t Workbook::ExtSST::dataSize() {
  return setVariableSize(static_cast<std::uint32_t>(2 + 8 * positions.size()));
}

}  // namespace QExcel
