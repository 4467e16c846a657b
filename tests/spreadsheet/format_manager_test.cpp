// Fonts, number formats and cell formats handed out by the format manager.
#include "spreadsheet/format_manager.h"

#include <gtest/gtest.h>

#include "spreadsheet/xls_book.h"

TEST(FormatManager, FontIndexesSkipFour) {
  XlsBook book;
  book.create(1);
  FormatManager formats(book);
  XlsFont font;
  EXPECT_EQ(formats.fontIndex(font), 0);
  font.weight = 700;
  EXPECT_EQ(formats.fontIndex(font), 1);
  EXPECT_EQ(formats.fontIndex(font), 1);
  EXPECT_EQ(book.workbook().fonts.size(), 2u);
  font.height = 240;
  EXPECT_EQ(formats.fontIndex(font), 2);
  font.name = L"Courier";
  EXPECT_EQ(formats.fontIndex(font), 3);
  font.underline = 1;
  EXPECT_EQ(formats.fontIndex(font), 5);
  EXPECT_EQ(formats.fontIndex(font), 5);
  EXPECT_EQ(formats.fontAt(5).underline, 1);
  EXPECT_EQ(formats.fontAt(3).name.text(), L"Courier");
  EXPECT_EQ(formats.fontAt(40).weight, 400);  // past the end: the first font
}

TEST(FormatManager, NumberFormats) {
  XlsBook book;
  book.create(1);
  FormatManager formats(book);
  EXPECT_EQ(formats.formatIndex(L"0.00"), 2);
  EXPECT_EQ(formats.formatIndex(L"0.000"), 164);
  EXPECT_EQ(formats.formatIndex(L"#,##0.000"), 165);
  EXPECT_EQ(formats.formatIndex(L"0.000"), 164);
  EXPECT_EQ(formats.formatIndex(L"# ?\?/?\?"), 13);
  ASSERT_EQ(book.workbook().formats.size(), 2u);

  XlsBook other;
  other.create(1);
  other.workbook().formats.emplace_back();
  other.workbook().formats.back().index = 170;
  other.workbook().formats.back().text = "0.0%";
  FormatManager more(other);
  EXPECT_EQ(more.formatIndex(L"0.0%"), 170);
  EXPECT_EQ(more.formatIndex(L"new"), 171);

  XlsCellFormat format(formats);
  format.setFormatIndex(30);
  EXPECT_EQ(formats.formatString(format), L"General");
  format.setFormatIndex(164);
  EXPECT_EQ(formats.formatString(format), L"0.000");
}

TEST(FormatManager, CellFormats) {
  XlsBook book;
  book.create(1);
  FormatManager formats(book);
  XlsCellFormat plain(formats);
  EXPECT_EQ(plain.xfIndex(), 0);
  XlsCellFormat bold(formats);
  XlsFont font;
  font.weight = 700;
  bold.setFont(font);
  EXPECT_EQ(bold.xfIndex(), 21);
  EXPECT_EQ(book.workbook().xfs[21].fontIndex, 1);
  EXPECT_EQ(book.workbook().xfs[21].protection, 0x0078);
  XlsCellFormat boldAgain(formats);
  boldAgain.setFont(font);
  EXPECT_EQ(boldAgain.xfIndex(), 21);
  bold.reset();
  EXPECT_EQ(bold.xfIndex(), 0);
  EXPECT_EQ(book.workbook().xfs.size(), 22u);
}
