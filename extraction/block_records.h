// Block references as records: their attributes and dynamic-block properties, the block
// names that are never extracted, and the texts of dynamic property values.
#pragma once
#include <array>
#include <set>
#include <span>
#include <vector>

#include "extraction/entity_records.h"
#include "platform/host/db_dyn_block.h"
#include "platform/host/db_object.h"
#include "platform/host/geometry.h"

struct BlockAttribute {
  CString tag;
  CString value;
  bool numeric = false;
};

class BlockRefRecord : public BaseEnt {
public:
  BlockRefRecord(CString handle, int kind, CString name, bool isDynamic, const OvDbObjectId& blockRecordId,
                 const OvGePoint3d& position, const OvGeScale3d& scale, double rotation);
  // The seven position, rotation and scale pairs, named by the catalogue's block list.
  std::vector<PropertyPair> blockProperties(const std::vector<PropertyItem>& blockRefItems) const;
  // The value of pair i (i below kPropertyCount), as blockProperties gives it.
  static constexpr std::size_t kPropertyCount = 7;
  CString blockPropertyValue(std::size_t i) const;
  // The block definition's id as a decimal number.
  CString objectIdText() const;

  bool isDynamic;
  std::vector<BlockAttribute> attributes;
  std::vector<BlockAttribute> dynamicProperties;
  OvDbObjectId blockRecordId;
  double rotation;  // degrees
  OvGePoint3d position;
  OvGeScale3d scale;
};

// The name prefixes of blocks that are never extracted: "kt$", "ac$", "*". Constants, so that
// loading the module asks for no memory (a failure there could not be reported).
inline constexpr std::array<const wchar_t*, 3> ExcludedBlockPrefixes{L"kt$", L"ac$", L"*"};
// True when the name's first character, or its first three characters, is one of the prefixes.
bool hasExcludedBlockPrefix(const CString& name, std::span<const wchar_t* const> prefixes);
// The reference's dynamic properties but "Origin", in the host's order; none for null.
std::vector<BlockAttribute> readDynamicBlockProperties(const OvDbDynBlockReference* reference, double step);
// The value's text; numeric is set for numbers, which are rounded to the step.
CString evalVariantToText(const OvDbEvalVariant& value, bool& numeric, double step);
