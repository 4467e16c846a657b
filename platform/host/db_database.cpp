#include "platform/host/db_database.h"

#include "platform/host/db_blocks.h"
#include "platform/host/doc_manager.h"
#include "platform/win/on_failure.h"

namespace {
std::unordered_map<std::uint32_t, OvDbDatabase*>& liveDatabases() {
  static std::unordered_map<std::uint32_t, OvDbDatabase*> live;
  return live;
}
std::uint32_t g_nextSerial = 1;
}  // namespace

OvDbDatabase::OvDbDatabase() : serial_(g_nextSerial++) {
  liveDatabases()[serial_] = this;
  // A database half made when memory runs out is no live database.
  StandIn::OnFailure forgetOnFailure([this] { liveDatabases().erase(serial_); });
  auto made = std::make_unique<OvDbBlockTable>();
  addOvDbObject(blockTableId_, made.get());
  OvDbBlockTable* table = made.release();
  for (const wchar_t* name : {OVDB_MODEL_SPACE, OVDB_PAPER_SPACE}) {
    auto record = std::make_unique<OvDbBlockTableRecord>();
    record->setName(name);
    OvDbObjectId id;
    if (table->add(id, record.get()) == Ovis::eOk) record.release()->close();
    if (name == std::wstring(OVDB_MODEL_SPACE)) modelSpaceId_ = id;
  }
  table->close();
}

OvDbDatabase::~OvDbDatabase() {
  liveDatabases().erase(serial_);
  OvDbHostApplicationServices* services = ovdbHostApplicationServices();
  if (services->workingDatabase() == this) services->setWorkingDatabase(nullptr);
}

OvDbDatabase* OvDbDatabase::fromSerial(std::uint32_t serial) {
  auto it = liveDatabases().find(serial);
  return it == liveDatabases().end() ? nullptr : it->second;
}

OvDbObject* OvDbDatabase::objectAt(std::uint64_t handle) const {
  auto it = objects_.find(handle);
  return it == objects_.end() ? nullptr : it->second.get();
}

Ovis::ErrorStatus OvDbDatabase::getBlockTable(OvDbBlockTable*& table, Ovis::OpenMode mode) {
  return ovdbOpenObject(table, blockTableId_, mode);
}

Ovis::ErrorStatus OvDbDatabase::addOvDbObject(OvDbObjectId& id, OvDbObject* object) {
  if (!object) return Ovis::eNullEntityPointer;
  if (object->database_) return Ovis::eAlreadyInDb;
  // The place first: memory that runs out leaves the object its caller's and nothing changed.
  std::uint64_t handle = nextHandle_;
  objects_.try_emplace(handle).first->second.reset(object);
  ++nextHandle_;
  object->database_ = this;
  object->handle_ = handle;
  object->writer_ = true;
  OvDbObject::countOpens(1);
  id = OvDbObjectId(serial_, handle);
  object->addedToDatabase();
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbDatabase::addToModelSpace(OvDbObjectId& id, OvDbEntity* entity) {
  OvDbBlockTableRecord* space = nullptr;
  Ovis::ErrorStatus es = ovdbOpenObject(space, modelSpaceId_, Ovis::kForWrite);
  if (es != Ovis::eOk) return es;
  es = space->appendOvDbEntity(id, entity);
  space->close();
  return es;
}

Ovis::ErrorStatus OvDbDatabase::getOvDbObjectId(OvDbObjectId& id, bool createIfNotFound,
                                                const OvDbHandle& handle) const {
  id = OvDbObjectId();
  if (!objectAt(handle.value())) return createIfNotFound ? Ovis::eNotImplementedYet : Ovis::eKeyNotFound;
  id = OvDbObjectId(serial_, handle.value());
  return Ovis::eOk;
}

OvDbDatabase* OvDbHostApplicationServices::workingDatabase() const {
  return ovDocManagerPtr()->curDocument()->database();
}

void OvDbHostApplicationServices::setWorkingDatabase(OvDbDatabase* database) {
  ovDocManagerPtr()->curDocument()->setDatabase(database);
}

OvDbHostApplicationServices* ovdbHostApplicationServices() {
  static OvDbHostApplicationServices services;
  return &services;
}
