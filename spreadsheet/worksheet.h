// A worksheet substream: its index of row blocks, column settings, used area, rows and
// cells in blocks of up to 32 rows each closed by a DBCELL, window settings and merged
// ranges; and the container that holds them and fixes their order in the stream.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "spreadsheet/chunk_pool.h"
#include "spreadsheet/pool_allocator.h"
#include "spreadsheet/record.h"
#include "spreadsheet/record_strings.h"
#include "spreadsheet/ref_ptr.h"

namespace QExcel {

class Worksheet {
public:
  class Index : public Record {
  public:
    static constexpr std::uint16_t kCode = 0x020B;
    Index();
    std::uint32_t read(const char* buffer, std::uint32_t available) override;
    std::uint32_t write(char* buffer) override;
    std::uint32_t dataSize() override;

    std::uint32_t firstRow = 0;
    std::uint32_t lastRowPlusOne = 0;
    std::vector<std::uint32_t> dbCellPositions;
  };

  class ColInfo : public Record {
  public:
    static constexpr std::uint16_t kCode = 0x007D;
    ColInfo() : Record(kCode, 12) {}
    std::uint32_t read(const char* buffer, std::uint32_t available) override;
    std::uint32_t write(char* buffer) override;

    std::uint16_t firstColumn = 0;
    std::uint16_t lastColumn = 255;
    std::uint16_t width = 2560;  // 1/256 of the width of the character zero
    std::uint16_t xfIndex = 0;
    std::uint16_t options = 0;
    std::uint16_t reserved = 0;
  };

  // The sheet's COLINFO records, written one after the other.
  class ColInfos : public Record {
  public:
    std::uint32_t read(const char* buffer, std::uint32_t available) override;
    std::uint32_t write(char* buffer) override;
    std::uint64_t recordSize() override;

    std::vector<ColInfo> list;
  };

  class Dimensions : public Record {
  public:
    static constexpr std::uint16_t kCode = 0x0200;
    Dimensions() : Record(kCode, 14) {}
    std::uint32_t read(const char* buffer, std::uint32_t available) override;
    std::uint32_t write(char* buffer) override;

    std::uint32_t firstRow = 0;
    std::uint32_t lastRowPlusOne = 0;
    std::uint16_t firstColumn = 0;
    std::uint16_t lastColumnPlusOne = 0;
    std::uint16_t reserved = 0;
  };

  class Window2 : public Record {
  public:
    static constexpr std::uint16_t kCode = 0x023E;
    static constexpr std::uint16_t kSelected = 0x0200;
    Window2() : Record(kCode, 18) {}
    std::uint32_t read(const char* buffer, std::uint32_t available) override;
    std::uint32_t write(char* buffer) override;

    std::uint16_t options = 0x06B6;
    std::uint16_t firstVisibleRow = 0;
    std::uint16_t firstVisibleColumn = 0;
    std::uint16_t gridColour = 64;
    std::uint16_t reserved1 = 0;
    std::uint16_t pageBreakZoom = 0;
    std::uint16_t normalZoom = 0;
    std::uint32_t reserved2 = 0;
  };

  // Merged ranges, written as MERGEDCELLS records of at most 1027 ranges each.
  class MergedCells {
  public:
    static constexpr std::uint16_t kCode = 0x00E5;
    static constexpr size_t kPerRecord = 1027;

    class MergedCell {
    public:
      MergedCell() = default;
      MergedCell(std::uint16_t r1, std::uint16_t r2, std::uint16_t c1, std::uint16_t c2)
          : firstRow(r1), lastRow(r2), firstColumn(c1), lastColumn(c2) {}
      virtual ~MergedCell() = default;
      MergedCell(const MergedCell&) = default;
      MergedCell& operator=(const MergedCell&) = default;
      virtual std::uint32_t read(const char* buffer);
      virtual std::uint32_t write(char* buffer) const;

      std::uint16_t firstRow = 0;
      std::uint16_t lastRow = 0;
      std::uint16_t firstColumn = 0;
      std::uint16_t lastColumn = 0;
    };

    std::uint32_t write(char* buffer) const;
    std::uint32_t read(const char* buffer, std::uint32_t available);
    std::uint32_t recordSize() const;

    std::vector<MergedCell> ranges;
  };

  class CellTable {
  public:
    class RowBlock {
    public:
      class Row : public Record {
      public:
        static constexpr std::uint16_t kCode = 0x0208;
        Row() : Record(kCode, 16) {}
        std::uint32_t read(const char* buffer, std::uint32_t available) override;
        std::uint32_t write(char* buffer) override;

        std::uint16_t rowIndex = 0;
        std::uint16_t firstColumn = 0;
        std::uint16_t lastColumnPlusOne = 0;
        std::uint16_t height = 255;
        std::uint16_t reserved1 = 0;
        std::uint16_t reserved2 = 0;
        std::uint32_t options = 0x0100;
      };

      // The holder of one cell record, shared through RefPtr.
      class CellBlock : public RefCounted {
      public:
        // Fields every cell record begins with. Cell records are many: their memory
        // comes from the chunk pool.
        class CellRecord : public Record {
        public:
          static void* operator new(std::size_t size) { return ChunkPool::allocate(size); }
          static void operator delete(void* p, std::size_t size) noexcept { ChunkPool::release(p, size); }

          std::uint16_t row = 0;
          std::uint16_t column = 0;

        protected:
          CellRecord(std::uint16_t recordCode, std::uint32_t size) : Record(recordCode, size) {}
          void readPosition();
          void writePosition(char* at) const;
        };

        class Blank : public CellRecord {
        public:
          static constexpr std::uint16_t kCode = 0x0201;
          Blank() : CellRecord(kCode, 6) {}
          std::uint32_t read(const char* buffer, std::uint32_t available) override;
          std::uint32_t write(char* buffer) override;
          std::uint16_t xfIndex = 0;
        };

        class BoolErr : public CellRecord {
        public:
          static constexpr std::uint16_t kCode = 0x0205;
          BoolErr() : CellRecord(kCode, 8) {}
          std::uint32_t read(const char* buffer, std::uint32_t available) override;
          std::uint32_t write(char* buffer) override;
          std::uint16_t xfIndex = 0;
          std::uint8_t value = 0;
          std::uint8_t isError = 0;
        };

        class LabelSST : public CellRecord {
        public:
          static constexpr std::uint16_t kCode = 0x00FD;
          LabelSST() : CellRecord(kCode, 10) {}
          std::uint32_t read(const char* buffer, std::uint32_t available) override;
          std::uint32_t write(char* buffer) override;
          std::uint16_t xfIndex = 0;
          std::uint32_t sstIndex = 0;
        };

        // A text cell that holds its text itself, with formatting runs, as some writers
        // store one: read as its text alone (the runs are not kept); written back as read.
        class RString : public CellRecord {
        public:
          static constexpr std::uint16_t kCode = 0x00D6;
          RString() : CellRecord(kCode, 0) {}
          std::uint32_t read(const char* buffer, std::uint32_t available) override;
          std::uint16_t xfIndex = 0;
          LongString text;
        };

        class Number : public CellRecord {
        public:
          static constexpr std::uint16_t kCode = 0x0203;
          Number() : CellRecord(kCode, 14) {}
          std::uint32_t read(const char* buffer, std::uint32_t available) override;
          std::uint32_t write(char* buffer) override;
          std::uint16_t xfIndex = 0;
          double value = 0.0;
        };

        class RK : public CellRecord {
        public:
          static constexpr std::uint16_t kCode = 0x027E;
          RK() : CellRecord(kCode, 10) {}
          std::uint32_t read(const char* buffer, std::uint32_t available) override;
          std::uint32_t write(char* buffer) override;
          std::uint16_t xfIndex = 0;
          std::uint32_t rk = 0;
        };

        // column is the first column.
        class MulBlank : public CellRecord {
        public:
          static constexpr std::uint16_t kCode = 0x00BE;
          MulBlank() : CellRecord(kCode, 6) {}
          std::uint32_t read(const char* buffer, std::uint32_t available) override;
          std::uint32_t write(char* buffer) override;
          std::uint32_t dataSize() override;
          std::vector<std::uint16_t> xfIndexes;
          std::uint16_t lastColumn = 0;
        };

        class MulRK : public CellRecord {
        public:
          static constexpr std::uint16_t kCode = 0x00BD;
          struct RkEntry {
            std::uint32_t read(const char* buffer);
            std::uint32_t write(char* buffer) const;
            std::uint16_t xfIndex = 0;
            std::uint32_t rk = 0;
          };
          MulRK() : CellRecord(kCode, 6) {}
          std::uint32_t read(const char* buffer, std::uint32_t available) override;
          std::uint32_t write(char* buffer) override;
          std::uint32_t dataSize() override;
          std::vector<RkEntry> entries;
          std::uint16_t lastColumn = 0;
        };

        class Formula : public CellRecord {
        public:
          static constexpr std::uint16_t kCode = 0x0006;
          static constexpr std::uint16_t kNoFollowUp = 0xFFFF;

          // The cell range and option flags that open an ARRAY, SHRFMLA or TABLE record.
          class RangeRecord : public Record {
          public:
            std::uint16_t firstRow = 0;
            std::uint16_t lastRow = 0;
            std::uint8_t firstColumn = 0;
            std::uint8_t lastColumn = 0;
            std::uint16_t options = 0;

          protected:
            RangeRecord(std::uint16_t recordCode, std::uint32_t size) : Record(recordCode, size) {}
            // Reads the range after the base read, requiring the class's fixed size.
            std::uint32_t readRange(const char* buffer, std::uint32_t available, size_t fixedSize);
            void writeRange();
          };

          class Array : public RangeRecord {
          public:
            static constexpr std::uint16_t kCode = 0x0221;
            Array() : RangeRecord(kCode, 12) {}
            std::uint32_t read(const char* buffer, std::uint32_t available) override;
            std::uint32_t write(char* buffer) override;
            std::uint32_t dataSize() override;
            std::uint32_t reserved = 0;
            std::vector<char> tokens;
          };

          class ShrFmla : public RangeRecord {
          public:
            static constexpr std::uint16_t kCode = 0x00BC;
            ShrFmla() : RangeRecord(kCode, 8) {}
            std::uint32_t read(const char* buffer, std::uint32_t available) override;
            std::uint32_t write(char* buffer) override;
            std::uint32_t dataSize() override;
            std::vector<char> tokens;
          };

          class ShrFmla1 : public ShrFmla {
          public:
            static constexpr std::uint16_t kCode = 0x04BC;
            ShrFmla1() { code = kCode; }
          };

          class Table : public RangeRecord {
          public:
            static constexpr std::uint16_t kCode = 0x0036;
            Table() : RangeRecord(kCode, 16) {}
            std::uint32_t read(const char* buffer, std::uint32_t available) override;
            std::uint32_t write(char* buffer) override;
            std::uint16_t inputRow1 = 0;
            std::uint16_t inputColumn1 = 0;
            std::uint16_t inputRow2 = 0;
            std::uint16_t inputColumn2 = 0;
          };

          // The text result of the formula before it.
          class String : public Record {
          public:
            static constexpr std::uint16_t kCode = 0x0207;
            String() : Record(kCode, 0) {}
            std::uint32_t read(const char* buffer, std::uint32_t available) override;
            std::uint32_t write(char* buffer) override;
            std::uint32_t dataSize() override;
            void setText(const std::u16string& units);
            void clearText();
            bool hasText = false;
            std::u16string text;
            std::uint8_t flag = 0;  // 1: written as UTF-16
          };

          Formula() : CellRecord(kCode, 20) {}
          std::uint32_t read(const char* buffer, std::uint32_t available) override;
          std::uint32_t write(char* buffer) override;
          std::uint32_t dataSize() override;
          std::uint64_t recordSize() override;
          // The follow-up record that the follow-up code names, or null.
          Record* followUp();

          std::uint16_t xfIndex = 0;
          std::array<char, 8> result{};
          std::uint16_t options = 0;
          std::vector<char> tokens;
          std::uint16_t followUpCode = kNoFollowUp;
          Array array;
          ShrFmla shrFmla;
          ShrFmla1 shrFmla1;
          Table table;
          String string;
        };

        static void* operator new(std::size_t size) { return ChunkPool::allocate(size); }
        static void operator delete(void* p, std::size_t size) noexcept { ChunkPool::release(p, size); }

        CellBlock() = default;
        CellBlock(const CellBlock&) = delete;
        CellBlock& operator=(const CellBlock&) = delete;
        ~CellBlock() { reset(); }

        // Makes the block hold a new record of the class for code (unless it already holds
        // one of that code); false for a code that is no cell record.
        bool create(std::uint16_t recordCode);
        void reset();
        static bool accepts(std::uint16_t recordCode);

        std::uint32_t write(char* buffer) { return record->write(buffer); }
        std::uint32_t dataSize() { return record->dataSize(); }
        std::uint32_t recordSize() { return record->recordSize(); }
        std::uint16_t row() const { return record->row; }
        std::uint16_t col() const { return record->column; }
        std::uint32_t read(const char* buffer, std::uint32_t available);

        template <class T>
        T* as() const {
          return record && record->code == T::kCode ? static_cast<T*>(record.get()) : nullptr;
        }

        std::uint16_t code = 0xFFFF;
        std::unique_ptr<CellRecord> record;
      };

      class DBCell : public Record {
      public:
        static constexpr std::uint16_t kCode = 0x00D7;
        DBCell() : Record(kCode, 4) {}
        std::uint32_t read(const char* buffer, std::uint32_t available) override;
        std::uint32_t write(char* buffer) override;
        std::uint32_t dataSize() override;

        std::uint32_t firstRowOffset = 0;  // back from this record to the block's first ROW
        std::vector<std::uint16_t> rowOffsets;
      };

      std::uint32_t write(char* buffer);
      std::uint32_t recordSize();
      std::uint32_t read(const char* buffer, std::uint32_t available);

      // A block's rows and cell blocks come from the chunk pool, as the cells' records do.
      std::vector<Row, PoolAllocator<Row>> rows;
      std::vector<RefPtr<CellBlock>, PoolAllocator<RefPtr<CellBlock>>> cellBlocks;
      DBCell dbCell;
    };

    // Writes every row block; with releaseCells, each block's records are freed once
    // written, leaving it empty (for a save that is the book's last use of them).
    std::uint32_t write(char* buffer, bool releaseCells = false);
    std::uint32_t recordSize();
    std::uint32_t read(const char* buffer, std::uint32_t available);

    std::vector<RowBlock> blocks;
  };

  Worksheet() : bof(BOF::kWorksheet) {}

  // With releaseCells, the row blocks' records are freed as they are written
  // (CellTable::write).
  std::uint32_t write(char* buffer, bool releaseCells = false);
  std::uint64_t recordSize();
  // Reads the substream from its BOF to its EOF; returns the bytes consumed.
  std::uint32_t read(const char* buffer, std::uint32_t available);

  BOF bof;
  Index index;
  ColInfos colInfos;
  Dimensions dimensions;
  CellTable cellTable;
  Window2 window2;
  MergedCells mergedCells;
  QEOF eof;
};

}  // namespace QExcel
