// What the workbook reader throws. Readers catch both at the level that can recover:
// a worksheet ends at EXCEPTION_QEOF; a malformed stream makes loading fail.
#pragma once
#include <cstdint>

namespace QExcel {

// Raised by a row block that meets the end of its substream; carries the bytes it consumed.
struct EXCEPTION_QEOF {
  std::uint32_t consumed;
};

// Raised by any read that finds data shorter or less consistent than its layout needs.
struct MalformedStream {
  const char* reason;
};

}  // namespace QExcel
