// The compound-file holder of a workbook: modes, results and whole-stream transfers.
#include "spreadsheet/compound_document.h"

#include <gtest/gtest.h>

#include "test_support.h"

using QExcel::CompoundDocument;
using sheet_test::scratchPath;

TEST(CompoundDocument, ClosingWithoutAFileChangesNothing) {
  CompoundDocument doc;
  EXPECT_FALSE(doc.close());
  EXPECT_FALSE(doc.isOpen());
}

TEST(CompoundDocument, StreamsAreMadeReplacedReadAndWritten) {
  std::wstring path = widePath(scratchPath("compound_streams.xls"));
  CompoundDocument doc;
  ASSERT_TRUE(doc.create(path.c_str()));
  EXPECT_FALSE(doc.create(path.c_str()));  // the open file must be closed first
  ASSERT_EQ(doc.makeStream("Workbook"), 1);
  std::vector<char> bytes = {'a', 'b', 'c', 'd'};
  EXPECT_EQ(doc.writeStream("Workbook", bytes, 4), 1);
  EXPECT_EQ(doc.writeStream("Workbook", bytes, 5), -1);  // more than the vector holds
  EXPECT_EQ(doc.writeStream("Missing", bytes, 4), -1);

  std::uint64_t size = 0;
  EXPECT_EQ(doc.streamSize("Workbook", size), 1);
  EXPECT_EQ(size, 4u);
  char buffer[8] = {};
  EXPECT_EQ(doc.readStream("Workbook", buffer, 8), -1);  // only 4 bytes can be moved
  EXPECT_EQ(doc.readStream("Workbook", buffer, 4), 1);
  EXPECT_EQ(std::string(buffer, 4), "abcd");

  // Making it again replaces it: now it is empty, and reads as an empty vector.
  EXPECT_EQ(doc.makeStream(L"Workbook"), 1);
  std::vector<char> read = {'x'};
  EXPECT_EQ(doc.readStream(L"Workbook", read), 1);
  EXPECT_TRUE(read.empty());
  EXPECT_EQ(doc.readStream(L"Missing", read), -1);
  EXPECT_TRUE(doc.close());
}

TEST(CompoundDocument, OpenModesFollowTheModeBits) {
  std::wstring path = widePath(scratchPath("compound_modes.xls"));
  {
    CompoundDocument doc;
    ASSERT_TRUE(doc.create(path.c_str()));
    ASSERT_EQ(doc.makeStream("Workbook"), 1);
    ASSERT_EQ(doc.writeStream("Workbook", "12345", 5), 1);
  }
  CompoundDocument doc;
  ASSERT_TRUE(doc.open(path.c_str(), 0));
  EXPECT_EQ(doc.writeStream("Workbook", "x", 1), -1);
  std::vector<char> bytes;
  EXPECT_EQ(doc.readStream("Workbook", bytes), 1);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "12345");
  doc.close();

  // Bit 1 alone opens the file for writing only: streams, which are opened for reading
  // (size, read) or for reading and writing (write), cannot be opened.
  ASSERT_TRUE(doc.open(path.c_str(), 2));
  EXPECT_EQ(doc.readStream("Workbook", bytes), -1);
  EXPECT_EQ(doc.writeStream("Workbook", "ab", 2), -1);
  doc.close();

  ASSERT_TRUE(doc.open(path.c_str(), 3));
  EXPECT_EQ(doc.writeStream("Workbook", "X", 1), 1);
  EXPECT_EQ(doc.readStream("Workbook", bytes), 1);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "X2345");
  doc.close();
  EXPECT_FALSE(doc.open((path + L".missing").c_str(), 0));
}
