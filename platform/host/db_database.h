// A drawing database: owns its objects, hands out handles, and holds the block table with
// model space and paper space.
#pragma once
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/host/db_object.h"
#include "platform/host/db_xdata.h"
#include "platform/host/geometry.h"
#include "platform/win/on_failure.h"

class OvDbBlockTable;
class OvDbDictionary;
class OvDbBlockTableRecord;
class OvDbEntity;

#define OVDB_MODEL_SPACE L"*Model_Space"
#define OVDB_PAPER_SPACE L"*Paper_Space"

class OvDbDatabase {
public:
  // A new drawing: the block table with model space and paper space.
  OvDbDatabase();
  ~OvDbDatabase();
  OvDbDatabase(const OvDbDatabase&) = delete;
  OvDbDatabase& operator=(const OvDbDatabase&) = delete;

  std::uint32_t serial() const { return serial_; }
  OvDbObjectId modelSpaceId() const { return modelSpaceId_; }
  Ovis::ErrorStatus getBlockTable(OvDbBlockTable*& table, Ovis::OpenMode mode);

  // The table-style dictionary (defined with the table styles).
  Ovis::ErrorStatus getTableStyleDictionary(OvDbDictionary*& dictionary, Ovis::OpenMode mode);
  OvDbRegAppTable& regAppTable() { return regApps_; }

  // The current user coordinate system: origin and axes in world coordinates.
  OvGePoint3d ucsorg() const { return ucsOrigin_; }
  OvGeVector3d ucsxdir() const { return ucsX_; }
  OvGeVector3d ucsydir() const { return ucsY_; }
  void setUcs(const OvGePoint3d& origin, const OvGeVector3d& xDir, const OvGeVector3d& yDir) {
    ucsOrigin_ = origin;
    ucsX_ = xDir;
    ucsY_ = yDir;
  }

  // Takes ownership of a new object, gives it the next handle and leaves it open for
  // write (the caller closes it). An object already in a database is refused. When memory
  // runs out, nothing has changed and the object is still the caller's.
  Ovis::ErrorStatus addOvDbObject(OvDbObjectId& id, OvDbObject* object);
  // The same for an object that its owner lists too, the owner's entry made first (room, a
  // key): undo takes the entry back when the object is not added, also when memory runs out,
  // so that nothing may fail once the database owns the object (it would be its maker's too).
  template <class Undo>
  Ovis::ErrorStatus addOvDbObject(OvDbObjectId& id, OvDbObject* object, Undo&& undo) {
    Ovis::ErrorStatus es = Ovis::eOk;
    {
      StandIn::OnFailure undoOnFailure([&undo] { undo(); });
      es = addOvDbObject(id, object);
    }
    if (es != Ovis::eOk) undo();
    return es;
  }
  // The handle the next object added gets.
  std::uint64_t nextHandle() const { return nextHandle_; }
  // Appends a new entity to model space (opening and closing model space for write).
  Ovis::ErrorStatus addToModelSpace(OvDbObjectId& id, OvDbEntity* entity);
  // The id of the object with the handle; null when there is none.
  Ovis::ErrorStatus getOvDbObjectId(OvDbObjectId& id, bool createIfNotFound, const OvDbHandle& handle) const;
  std::size_t objectCount() const { return objects_.size(); }

  // The object behind an id of this database, whatever its open state (stand-in use).
  OvDbObject* objectAt(std::uint64_t handle) const;
  // The live database of a serial number, or null.
  static OvDbDatabase* fromSerial(std::uint32_t serial);

private:
  std::uint32_t serial_;
  std::uint64_t nextHandle_ = 1;
  std::unordered_map<std::uint64_t, std::unique_ptr<OvDbObject>> objects_;
  OvDbObjectId blockTableId_, modelSpaceId_;
  OvDbObjectId tableStyleDictionaryId_;
  OvDbRegAppTable regApps_;
  OvGePoint3d ucsOrigin_;
  OvGeVector3d ucsX_{1, 0, 0}, ucsY_{0, 1, 0};
};

// The host's application services: the working database is the current document's.
class OvDbHostApplicationServices {
public:
  OvDbDatabase* workingDatabase() const;
  void setWorkingDatabase(OvDbDatabase* database);
};
OvDbHostApplicationServices* ovdbHostApplicationServices();
