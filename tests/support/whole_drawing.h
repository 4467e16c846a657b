// An extraction engine over every object of the working drawing, made the way the source
// page makes one: a selection of the whole drawing, the engine, the selection freed.
#pragma once
#include <cstdint>

#include "extraction/extraction_engine.h"
#include "platform/host/selection.h"

// status, when given, receives the result of the selection request.
inline ExtractionEngine extractWholeDrawing(int* status = nullptr) {
  ov_name set{0, 0};
  std::int32_t length = 0;
  int result = ovedSSGet(L"A", nullptr, nullptr, nullptr, set);
  if (status) *status = result;
  if (result != RTNORM) return ExtractionEngine(set, 0, PropertyCatalogue());
  ovedSSLength(set, &length);
  ExtractionEngine engine(set, length, PropertyCatalogue());
  ovedSSFree(set);
  return engine;
}
