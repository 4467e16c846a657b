#include "extraction/block_records.h"

#include <string>

#include "common/numbers.h"

BlockRefRecord::BlockRefRecord(CString handle, int kind, CString name, bool isDynamic,
                               const OvDbObjectId& blockRecordId, const OvGePoint3d& position, const OvGeScale3d& scale,
                               double rotation)
    : BaseEnt(std::move(handle), kind, std::move(name)), isDynamic(isDynamic), blockRecordId(blockRecordId),
      rotation(rotation), position(position), scale(scale) {}

std::vector<PropertyPair> BlockRefRecord::blockProperties(const std::vector<PropertyItem>& blockRefItems) const {
  return namedPairs(blockRefItems, kPropertyCount, [this](std::size_t i) { return blockPropertyValue(i); });
}

CString BlockRefRecord::blockPropertyValue(std::size_t i) const {
  const double values[kPropertyCount] = {position.x, position.y, position.z, rotation, scale.sx, scale.sy, scale.sz};
  return i < kPropertyCount ? formatNumber(values[i]) : CString();
}

CString BlockRefRecord::objectIdText() const {
  CString text;
  text.Format(L"%i", static_cast<int>(blockRecordId.asOldId()));
  return text;
}

bool hasExcludedBlockPrefix(const CString& name, std::span<const wchar_t* const> prefixes) {
  CString first = name.Left(1), firstThree = name.Left(3);
  for (const wchar_t* prefix : prefixes) {
    if (first == prefix || firstThree == prefix) return true;
  }
  return false;
}

std::vector<BlockAttribute> readDynamicBlockProperties(const OvDbDynBlockReference* reference, double step) {
  std::vector<BlockAttribute> result;
  if (!reference) return result;
  OvDbDynBlockReferencePropertyArray properties;
  reference->getBlockProperties(properties);
  for (const auto& property : properties) {
    CString name(property.propertyName());
    if (name == L"Origin") continue;
    BlockAttribute attribute;
    attribute.tag = name;
    attribute.value = evalVariantToText(property.value(), attribute.numeric, step);
    result.push_back(attribute);
  }
  return result;
}

CString evalVariantToText(const OvDbEvalVariant& value, bool& numeric, double step) {
  numeric = false;
  CString text;
  switch (value.getType()) {
    case 1: {
      std::wstring s;
      value.getValue(s);
      text.Format(L"%s", s.c_str());
      break;
    }
    case 40: {
      double d = 0;
      value.getValue(d);
      roundToStep(step, d);
      text = formatNumber(d);
      numeric = true;
      break;
    }
    case 70: {
      short n = 0;
      value.getValue(n);
      text = formatInteger(n);
      numeric = true;
      break;
    }
    case 90: {  // a 32-bit integer is written like a 16-bit one
      std::int32_t n = 0;
      value.getValue(n);
      text = formatInteger(n);
      numeric = true;
      break;
    }
    default: break;
  }
  return text;
}
