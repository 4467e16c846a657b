#include "platform/host/db_object.h"

#include <cstdio>
#include <map>

#include "platform/host/db_database.h"

namespace {
int g_openObjects = 0;

std::map<const OvRxClass*, std::map<const OvRxClass*, OvRxObject*>>& extensions() {
  static std::map<const OvRxClass*, std::map<const OvRxClass*, OvRxObject*>> table;
  return table;
}
}  // namespace

OvDbHandle::OvDbHandle(const wchar_t* text) {
  std::uint64_t value = 0;
  if (!text || !*text) return;
  for (const wchar_t* p = text; *p; ++p) {
    int digit;
    if (*p >= L'0' && *p <= L'9') digit = *p - L'0';
    else if (*p >= L'A' && *p <= L'F') digit = *p - L'A' + 10;
    else if (*p >= L'a' && *p <= L'f') digit = *p - L'a' + 10;
    else return;
    if (value >> 60) return;  // more than 16 digits
    value = value * 16 + static_cast<std::uint64_t>(digit);
  }
  value_ = value;
}

bool OvDbHandle::getIntoAsciiBuffer(wchar_t* buffer, std::size_t size) const {
  wchar_t digits[17];
  int n = std::swprintf(digits, 17, L"%llX", static_cast<unsigned long long>(value_));
  if (!buffer || n < 0 || static_cast<std::size_t>(n) >= size) return false;
  std::wmemcpy(buffer, digits, static_cast<std::size_t>(n) + 1);
  return true;
}

OvDbDatabase* OvDbObjectId::database() const { return OvDbDatabase::fromSerial(serial_); }

bool OvDbObjectId::isValid() const {
  OvDbDatabase* db = database();
  return db && db->objectAt(handle_) != nullptr;
}

bool OvDbObjectId::isErased() const {
  OvDbDatabase* db = database();
  OvDbObject* object = db ? db->objectAt(handle_) : nullptr;
  return object && object->isErased();
}

const OvRxClass* OvDbObject::desc() {
  static const OvRxClass cls(L"OvDbObject", OvRxObject::desc());
  return &cls;
}

void OvDbObject::countOpens(int delta) { g_openObjects += delta; }

OvDbObject::~OvDbObject() {
  // A database going away takes its open objects with it.
  g_openObjects -= readers_ + (writer_ ? 1 : 0);
}

OvDbObjectId OvDbObject::objectId() const {
  return database_ ? OvDbObjectId(database_->serial(), handle_) : OvDbObjectId();
}

Ovis::ErrorStatus OvDbObject::close() {
  if (!database_) return Ovis::eNotInDatabase;
  if (writer_) {
    writer_ = false;
  } else if (readers_ > 0) {
    --readers_;
  } else {
    return Ovis::eNotApplicable;  // not open
  }
  --g_openObjects;
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbObject::upgradeOpen() {
  if (!database_ || writer_) return Ovis::eOk;
  if (readers_ == 0) return Ovis::eNotApplicable;
  if (readers_ > 1) return Ovis::eWasOpenForRead;
  readers_ = 0;
  writer_ = true;
  return Ovis::eOk;
}

Ovis::ErrorStatus OvDbObject::erase(bool erasing) {
  if (!isWriteEnabled()) return Ovis::eNotOpenForWrite;
  if (!database_) return Ovis::eNotInDatabase;
  erased_ = erasing;
  return Ovis::eOk;
}

void OvDbObject::assertReadEnabled() const {
  if (!isReadEnabled()) {
    throw OvDbAccessError(std::string("read of a closed object of class ") +
                          std::string(isA()->name(), isA()->name() + std::wcslen(isA()->name())).c_str());
  }
}

void OvDbObject::assertWriteEnabled() const {
  if (!isWriteEnabled()) throw OvDbAccessError("write to an object that is not open for write");
}

OvRxObject* OvDbObject::x(const OvRxClass* extensionClass) const {
  for (const OvRxClass* cls = isA(); cls; cls = cls->myParent()) {
    auto byClass = extensions().find(cls);
    if (byClass == extensions().end()) continue;
    auto it = byClass->second.find(extensionClass);
    if (it != byClass->second.end()) return it->second;
  }
  return nullptr;
}

void ovrxAddProtocolExtension(const OvRxClass* cls, const OvRxClass* extensionClass, OvRxObject* extension) {
  extensions()[cls][extensionClass] = extension;
}

void ovrxRemoveProtocolExtension(const OvRxClass* cls, const OvRxClass* extensionClass) {
  auto it = extensions().find(cls);
  if (it != extensions().end()) it->second.erase(extensionClass);
}

Ovis::ErrorStatus ovdbOpenObject(OvDbObject*& object, OvDbObjectId id, Ovis::OpenMode mode, bool openErased) {
  object = nullptr;
  if (id.isNull()) return Ovis::eNullObjectId;
  OvDbDatabase* db = id.database();
  if (!db) return Ovis::eNoDatabase;
  OvDbObject* found = db->objectAt(id.handle().value());
  if (!found) return Ovis::eInvalidObjectId;
  if (found->erased_ && !openErased) return Ovis::eWasErased;
  if (found->writer_) return Ovis::eWasOpenForWrite;
  if (mode == Ovis::kForWrite) {
    if (found->readers_ > 0) return Ovis::eWasOpenForRead;
    found->writer_ = true;
  } else {
    ++found->readers_;
  }
  ++g_openObjects;
  object = found;
  return Ovis::eOk;
}

namespace HostDatabase {
int openObjects() { return g_openObjects; }
}  // namespace HostDatabase
