// Dynamic blocks: values of dynamic properties and the view of a block reference that
// lists them.
#pragma once
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "platform/host/db_object.h"
#include "platform/host/geometry.h"

// A value of the host's evaluation framework, typed by a group code: 1 text, 10 point,
// 40 real, 70 16-bit integer, 90 32-bit integer; 5000 (RTNONE) when empty.
class OvDbEvalVariant {
public:
  OvDbEvalVariant() = default;
  explicit OvDbEvalVariant(double value) : type_(40), value_(value) {}
  explicit OvDbEvalVariant(short value) : type_(70), value_(value) {}
  explicit OvDbEvalVariant(std::int32_t value) : type_(90), value_(value) {}
  explicit OvDbEvalVariant(const wchar_t* text) : type_(1), value_(std::wstring(text ? text : L"")) {}
  explicit OvDbEvalVariant(const OvGePoint3d& point) : type_(10), value_(point) {}
  short getType() const { return type_; }
  // Each getter fails with eInvalidInput when the value is of another type.
  Ovis::ErrorStatus getValue(double& value) const;
  Ovis::ErrorStatus getValue(short& value) const;
  Ovis::ErrorStatus getValue(std::int32_t& value) const;
  Ovis::ErrorStatus getValue(std::wstring& value) const;

private:
  short type_ = 5000;
  std::variant<std::monostate, double, short, std::int32_t, std::wstring, OvGePoint3d> value_;
};

class OvDbDynBlockReferenceProperty {
public:
  OvDbDynBlockReferenceProperty(std::wstring name, OvDbEvalVariant value)
      : name_(std::move(name)), value_(std::move(value)) {}
  const std::wstring& propertyName() const { return name_; }
  OvDbEvalVariant value() const { return value_; }

private:
  std::wstring name_;
  OvDbEvalVariant value_;
};
using OvDbDynBlockReferencePropertyArray = std::vector<OvDbDynBlockReferenceProperty>;

// A view of one block reference by id; every call opens and closes what it reads.
class OvDbDynBlockReference {
public:
  explicit OvDbDynBlockReference(const OvDbObjectId& blockReference) : reference_(blockReference) {}
  // True when the reference's definition is dynamic or shows a dynamic block.
  bool isDynamicBlock() const;
  // The dynamic definition; null when the block is not dynamic.
  OvDbObjectId dynamicBlockTableRecord() const;
  // The properties of the dynamic definition in its order, with this reference's values
  // (a value the reference does not set is the definition's default).
  void getBlockProperties(OvDbDynBlockReferencePropertyArray& properties) const;

private:
  OvDbObjectId reference_;
};
