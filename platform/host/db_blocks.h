// Blocks: the block table and its records (model space, paper space, named and anonymous
// block definitions), block references with their attributes, and an id iterator.
#pragma once
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/host/db_dyn_block.h"
#include "platform/host/db_entity.h"
#include "platform/host/geometry.h"

// Walks a list of ids taken when the iterator was made, skipping erased objects.
class OvDbObjectIterator {
public:
  explicit OvDbObjectIterator(std::vector<OvDbObjectId> ids) : ids_(std::move(ids)) { start(); }
  void start(bool atBeginning = true, bool skipErased = true);
  bool done() const;
  void step(bool backwards = false, bool skipErased = true);
  OvDbObjectId objectId() const;

private:
  void skip(bool backwards, bool skipErased);
  std::vector<OvDbObjectId> ids_;
  long position_ = 0;
};

class OvDbBlockTableRecord : public OvDbObject {
public:
  OVRX_DECLARE_MEMBERS(OvDbBlockTableRecord)
  // The name stays owned by the record.
  Ovis::ErrorStatus getName(const wchar_t*& name) const;
  Ovis::ErrorStatus setName(const wchar_t* name);

  // Takes a new entity into the drawing as one of this block's entities; the record must
  // be open for write. The entity is left open for write (the caller closes it).
  Ovis::ErrorStatus appendOvDbEntity(OvDbObjectId& id, OvDbEntity* entity);
  const std::vector<OvDbObjectId>& entityIds() const;
  // The position of an entity of this block in entityIds(), or -1.
  long indexOf(const OvDbObjectId& id) const;

  // A dynamic block definition lists its dynamic properties and their default values.
  bool isDynamicBlock() const;
  Ovis::ErrorStatus addDynamicProperty(const wchar_t* name, const OvDbEvalVariant& defaultValue);
  const std::vector<std::pair<std::wstring, OvDbEvalVariant>>& dynamicProperties() const;
  // An anonymous definition that shows a reference of a dynamic block names that block.
  OvDbObjectId dynamicBlockDefinition() const;
  Ovis::ErrorStatus setDynamicBlockDefinition(const OvDbObjectId& definition);

private:
  friend class OvDbBlockTable;
  std::wstring name_;
  std::vector<OvDbObjectId> entities_;
  std::unordered_map<std::uint64_t, long> positions_;
  std::vector<std::pair<std::wstring, OvDbEvalVariant>> dynamicProperties_;
  OvDbObjectId dynamicDefinition_;
};

// Block definitions by name; names compare without regard to case. A record added with
// the name "*U" gets the next free anonymous name "*U1", "*U2", ...
class OvDbBlockTable : public OvDbObject {
public:
  OVRX_DECLARE_MEMBERS(OvDbBlockTable)
  Ovis::ErrorStatus getAt(const wchar_t* name, OvDbObjectId& id, bool getErased = false) const;
  Ovis::ErrorStatus getAt(const wchar_t* name, OvDbBlockTableRecord*& record, Ovis::OpenMode mode,
                          bool openErased = false) const;
  // Adds a new record (the table must be open for write); the record is left open for
  // write. eDuplicateRecordName when the name is taken, eInvalidInput when it is empty.
  Ovis::ErrorStatus add(OvDbObjectId& id, OvDbBlockTableRecord* record);

private:
  static std::wstring key(const std::wstring& name);
  std::map<std::wstring, OvDbObjectId> records_;  // by upper-case name
  int nextAnonymous_ = 1;
};

// An attribute: a tagged text that a block reference owns.
class OvDbAttribute : public OvDbEntity {
public:
  OVRX_DECLARE_MEMBERS(OvDbAttribute)
  OvDbAttribute() = default;
  OvDbAttribute(const wchar_t* tag, const wchar_t* text) : tag_(tag ? tag : L""), text_(text ? text : L"") {}
  // Host-allocated copies (free with ovutDelBuffer).
  wchar_t* tag() const;
  wchar_t* textString() const;

private:
  std::wstring tag_, text_;
};

class OvDbBlockReference : public OvDbEntity {
public:
  OVRX_DECLARE_MEMBERS(OvDbBlockReference)
  OvDbBlockReference() = default;
  OvDbBlockReference(const OvGePoint3d& position, const OvDbObjectId& blockTableRecord)
      : position_(position), block_(blockTableRecord) {}

  OvDbObjectId blockTableRecord() const;
  OvGePoint3d position() const;
  double rotation() const;  // radians
  Ovis::ErrorStatus setRotation(double radians);
  OvGeScale3d scaleFactors() const;
  Ovis::ErrorStatus setScaleFactors(const OvGeScale3d& scale);

  // Takes a new attribute into the drawing as one of this reference's attributes; the
  // reference must be in a database and open for write. The attribute is left open for write.
  Ovis::ErrorStatus appendAttribute(OvDbObjectId& id, OvDbAttribute* attribute);
  // A new iterator over the attributes (the caller deletes it).
  OvDbObjectIterator* attributeIterator() const;
  // Opens one of this reference's attributes; eInvalidInput for any other id.
  Ovis::ErrorStatus openAttribute(OvDbAttribute*& attribute, OvDbObjectId id, Ovis::OpenMode mode,
                                  bool openErased = false) const;

  // The reference's own values of dynamic properties, by property name.
  Ovis::ErrorStatus setDynamicValue(const wchar_t* name, const OvDbEvalVariant& value);
  bool dynamicValue(const std::wstring& name, OvDbEvalVariant& value) const;

private:
  OvGePoint3d position_;
  OvDbObjectId block_;
  double rotation_ = 0;
  OvGeScale3d scale_;
  std::vector<OvDbObjectId> attributes_;
  std::map<std::wstring, OvDbEvalVariant> dynamicValues_;
};
