#include "platform/host/db_dyn_block.h"

#include "platform/host/db_blocks.h"

namespace {
template <typename T>
Ovis::ErrorStatus getAs(const std::variant<std::monostate, double, short, std::int32_t, std::wstring, OvGePoint3d>& v,
                        T& out) {
  if (const T* p = std::get_if<T>(&v)) {
    out = *p;
    return Ovis::eOk;
  }
  return Ovis::eInvalidInput;
}

// The dynamic definition behind a block definition: itself when it is dynamic, the block
// it shows when it is an anonymous representation, otherwise null.
OvDbObjectId dynamicDefinitionOf(const OvDbObjectId& reference) {
  OvDbBlockReference* ref = nullptr;
  if (ovdbOpenObject(ref, reference, Ovis::kForRead) != Ovis::eOk) return {};
  OvDbObjectId blockId = ref->blockTableRecord();
  ref->close();
  OvDbBlockTableRecord* block = nullptr;
  if (ovdbOpenObject(block, blockId, Ovis::kForRead) != Ovis::eOk) return {};
  OvDbObjectId result = block->isDynamicBlock() ? blockId : block->dynamicBlockDefinition();
  block->close();
  return result;
}
}  // namespace

Ovis::ErrorStatus OvDbEvalVariant::getValue(double& value) const { return getAs(value_, value); }
Ovis::ErrorStatus OvDbEvalVariant::getValue(short& value) const { return getAs(value_, value); }
Ovis::ErrorStatus OvDbEvalVariant::getValue(std::int32_t& value) const { return getAs(value_, value); }
Ovis::ErrorStatus OvDbEvalVariant::getValue(std::wstring& value) const { return getAs(value_, value); }

bool OvDbDynBlockReference::isDynamicBlock() const { return !dynamicDefinitionOf(reference_).isNull(); }

OvDbObjectId OvDbDynBlockReference::dynamicBlockTableRecord() const { return dynamicDefinitionOf(reference_); }

void OvDbDynBlockReference::getBlockProperties(OvDbDynBlockReferencePropertyArray& properties) const {
  properties.clear();
  OvDbObjectId definitionId = dynamicDefinitionOf(reference_);
  OvDbBlockTableRecord* definition = nullptr;
  if (ovdbOpenObject(definition, definitionId, Ovis::kForRead, true) != Ovis::eOk) return;
  auto listed = definition->dynamicProperties();
  definition->close();
  OvDbBlockReference* ref = nullptr;
  if (ovdbOpenObject(ref, reference_, Ovis::kForRead) != Ovis::eOk) return;
  for (auto& [name, value] : listed) {
    OvDbEvalVariant own;
    properties.emplace_back(name, ref->dynamicValue(name, own) ? own : value);
  }
  ref->close();
}
