#include "platform/host/db_blocks.h"

#include <cwctype>

#include "platform/host/db_database.h"
#include "platform/host/editor.h"
#include "platform/host/room_first.h"

OVRX_DEFINE_MEMBERS(OvDbBlockTableRecord, OvDbObject)
OVRX_DEFINE_MEMBERS(OvDbBlockTable, OvDbObject)
OVRX_DEFINE_MEMBERS(OvDbAttribute, OvDbEntity)
OVRX_DEFINE_MEMBERS(OvDbBlockReference, OvDbEntity)

// Iterator

void OvDbObjectIterator::start(bool atBeginning, bool skipErased) {
  position_ = atBeginning ? 0 : static_cast<long>(ids_.size()) - 1;
  skip(!atBeginning, skipErased);
}

bool OvDbObjectIterator::done() const { return position_ < 0 || position_ >= static_cast<long>(ids_.size()); }

void OvDbObjectIterator::step(bool backwards, bool skipErased) {
  if (done()) return;
  position_ += backwards ? -1 : 1;
  skip(backwards, skipErased);
}

void OvDbObjectIterator::skip(bool backwards, bool skipErased) {
  while (skipErased && !done() && ids_[static_cast<std::size_t>(position_)].isErased()) position_ += backwards ? -1 : 1;
}

OvDbObjectId OvDbObjectIterator::objectId() const {
  return done() ? OvDbObjectId() : ids_[static_cast<std::size_t>(position_)];
}

// Block table record

Ovis::ErrorStatus OvDbBlockTableRecord::getName(const wchar_t*& name) const {
  assertReadEnabled();
  name = name_.c_str();
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbBlockTableRecord::setName(const wchar_t* name) {
  assertWriteEnabled();
  if (!name || !*name) return Ovis::eInvalidInput;
  if (database()) {
    // Renaming a record that is in a table would leave the table's index stale.
    if (name_ != name) return Ovis::eNotApplicable;
    return Ovis::eOk;
  }
  name_ = name;
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbBlockTableRecord::appendOvDbEntity(OvDbObjectId& id, OvDbEntity* entity) {
  assertWriteEnabled();
  if (!database()) return Ovis::eNoDatabase;
  if (!entity) return Ovis::eNullEntityPointer;
  // The record's room for the entity first: once the database owns it, nothing may fail.
  makeRoom(entities_);
  auto position = positions_.try_emplace(database()->nextHandle(), static_cast<long>(entities_.size())).first;
  Ovis::ErrorStatus es = database()->addOvDbObject(id, entity, [&] { positions_.erase(position); });
  if (es != Ovis::eOk) return es;
  entities_.push_back(id);
  return Ovis::eOk;
}

const std::vector<OvDbObjectId>& OvDbBlockTableRecord::entityIds() const {
  assertReadEnabled();
  return entities_;
}

long OvDbBlockTableRecord::indexOf(const OvDbObjectId& id) const {
  assertReadEnabled();
  if (id.databaseSerial() != objectId().databaseSerial()) return -1;
  auto it = positions_.find(id.handle().value());
  return it == positions_.end() ? -1 : it->second;
}

bool OvDbBlockTableRecord::isDynamicBlock() const {
  assertReadEnabled();
  return !dynamicProperties_.empty();
}

Ovis::ErrorStatus OvDbBlockTableRecord::addDynamicProperty(const wchar_t* name, const OvDbEvalVariant& defaultValue) {
  assertWriteEnabled();
  if (!name || !*name) return Ovis::eInvalidInput;
  for (const auto& p : dynamicProperties_) {
    if (p.first == name) return Ovis::eDuplicateKey;
  }
  dynamicProperties_.emplace_back(name, defaultValue);
  return Ovis::eOk;
}

const std::vector<std::pair<std::wstring, OvDbEvalVariant>>& OvDbBlockTableRecord::dynamicProperties() const {
  assertReadEnabled();
  return dynamicProperties_;
}

OVDB_DEFINE_VALUE(OvDbBlockTableRecord, OvDbObjectId, dynamicBlockDefinition, setDynamicBlockDefinition,
                  dynamicDefinition_)

// Block table

std::wstring OvDbBlockTable::key(const std::wstring& name) {
  std::wstring k = name;
  for (auto& c : k) c = static_cast<wchar_t>(std::towupper(c));
  return k;
}

Ovis::ErrorStatus OvDbBlockTable::getAt(const wchar_t* name, OvDbObjectId& id, bool getErased) const {
  assertReadEnabled();
  id = OvDbObjectId();
  if (!name) return Ovis::eInvalidInput;
  auto it = records_.find(key(name));
  if (it == records_.end() || (!getErased && it->second.isErased())) return Ovis::eKeyNotFound;
  id = it->second;
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbBlockTable::getAt(const wchar_t* name, OvDbBlockTableRecord*& record, Ovis::OpenMode mode,
                                        bool openErased) const {
  record = nullptr;
  OvDbObjectId id;
  Ovis::ErrorStatus es = getAt(name, id, openErased);
  if (es != Ovis::eOk) return es;
  return ovdbOpenObject(record, id, mode, openErased);
}

Ovis::ErrorStatus OvDbBlockTable::add(OvDbObjectId& id, OvDbBlockTableRecord* record) {
  assertWriteEnabled();
  if (!database()) return Ovis::eNoDatabase;
  if (!record) return Ovis::eNullEntityPointer;
  if (record->database()) return Ovis::eAlreadyInDb;
  std::wstring name = record->name_;
  if (name.empty()) return Ovis::eInvalidInput;
  if (key(name) == L"*U") {
    do {
      name = L"*U" + std::to_wstring(nextAnonymous_++);
    } while (records_.count(key(name)));
  }
  if (records_.count(key(name))) return Ovis::eDuplicateRecordName;
  auto entry = records_.try_emplace(key(name)).first;
  record->name_ = name;
  Ovis::ErrorStatus es = database()->addOvDbObject(id, record, [&] { records_.erase(entry); });
  if (es != Ovis::eOk) return es;
  entry->second = id;
  return Ovis::eOk;
}

// Attribute

wchar_t* OvDbAttribute::tag() const {
  assertReadEnabled();
  return HostEditor::newBuffer(tag_.c_str());
}

wchar_t* OvDbAttribute::textString() const {
  assertReadEnabled();
  return HostEditor::newBuffer(text_.c_str());
}

// Block reference

OVDB_DEFINE_GETTER(OvDbBlockReference, OvDbObjectId, blockTableRecord, block_)

OVDB_DEFINE_GETTER(OvDbBlockReference, OvGePoint3d, position, position_)

OVDB_DEFINE_VALUE(OvDbBlockReference, double, rotation, setRotation, rotation_)

OvGeScale3d OvDbBlockReference::scaleFactors() const {
  assertReadEnabled();
  return scale_;
}

Ovis::ErrorStatus OvDbBlockReference::setScaleFactors(const OvGeScale3d& scale) {
  assertWriteEnabled();
  if (scale.sx == 0 || scale.sy == 0 || scale.sz == 0) return Ovis::eInvalidInput;
  scale_ = scale;
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbBlockReference::appendAttribute(OvDbObjectId& id, OvDbAttribute* attribute) {
  assertWriteEnabled();
  if (!database()) return Ovis::eNoDatabase;
  if (!attribute) return Ovis::eNullEntityPointer;
  // Room first: once the database owns the attribute nothing may fail.
  makeRoom(attributes_);
  Ovis::ErrorStatus es = database()->addOvDbObject(id, attribute);
  if (es != Ovis::eOk) return es;
  attributes_.push_back(id);
  return Ovis::eOk;
}

OvDbObjectIterator* OvDbBlockReference::attributeIterator() const {
  assertReadEnabled();
  return new OvDbObjectIterator(attributes_);
}

Ovis::ErrorStatus OvDbBlockReference::openAttribute(OvDbAttribute*& attribute, OvDbObjectId id, Ovis::OpenMode mode,
                                                    bool openErased) const {
  assertReadEnabled();
  attribute = nullptr;
  bool mine = false;
  for (const auto& a : attributes_) mine = mine || a == id;
  if (!mine) return Ovis::eInvalidInput;
  return ovdbOpenObject(attribute, id, mode, openErased);
}

Ovis::ErrorStatus OvDbBlockReference::setDynamicValue(const wchar_t* name, const OvDbEvalVariant& value) {
  assertWriteEnabled();
  if (!name || !*name) return Ovis::eInvalidInput;
  dynamicValues_[name] = value;
  return Ovis::eOk;
}

bool OvDbBlockReference::dynamicValue(const std::wstring& name, OvDbEvalVariant& value) const {
  assertReadEnabled();
  auto it = dynamicValues_.find(name);
  if (it == dynamicValues_.end()) return false;
  value = it->second;
  return true;
}
