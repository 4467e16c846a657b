// Database objects of the host's drawing: object ids, handles, the object base with its
// open modes, and opening objects by id.
#pragma once
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <type_traits>

#include "platform/host/db_xdata.h"
#include "platform/host/host_status.h"
#include "platform/host/rx_class.h"

class OvDbDatabase;
class OvDbObject;

// A database handle: a 64-bit number, shown as upper-case hexadecimal without leading zeros.
class OvDbHandle {
public:
  OvDbHandle() = default;
  explicit OvDbHandle(std::uint64_t value) : value_(value) {}
  // Parses hexadecimal text; a text that is not hexadecimal gives the null handle.
  explicit OvDbHandle(const wchar_t* text);
  bool isNull() const { return value_ == 0; }
  std::uint64_t value() const { return value_; }
  // Writes the text into the buffer (at least 17 characters make room for any handle).
  bool getIntoAsciiBuffer(wchar_t* buffer, std::size_t size = 17) const;
  bool operator==(const OvDbHandle& other) const { return value_ == other.value_; }
  bool operator<(const OvDbHandle& other) const { return value_ < other.value_; }

private:
  std::uint64_t value_ = 0;
};

// Names one object of one database. An id outlives its database safely: it then names
// nothing and every open fails.
class OvDbObjectId {
public:
  OvDbObjectId() = default;
  OvDbObjectId(std::uint32_t databaseSerial, std::uint64_t handle) : serial_(databaseSerial), handle_(handle) {}
  bool isNull() const { return handle_ == 0; }
  // True when the id names an object of a live database.
  bool isValid() const;
  bool isErased() const;
  OvDbDatabase* database() const;
  OvDbHandle handle() const { return OvDbHandle(handle_); }
  std::uint32_t databaseSerial() const { return serial_; }
  // The id as a number (what an old-style integer id of the host shows).
  long asOldId() const { return static_cast<long>(handle_); }
  bool operator==(const OvDbObjectId& o) const { return serial_ == o.serial_ && handle_ == o.handle_; }
  bool operator<(const OvDbObjectId& o) const {
    return serial_ != o.serial_ ? serial_ < o.serial_ : handle_ < o.handle_;
  }
  static const OvDbObjectId kNull;

private:
  std::uint32_t serial_ = 0;
  std::uint64_t handle_ = 0;
};
inline const OvDbObjectId OvDbObjectId::kNull{};

// Raised when an object is read while closed or written while not open for write: a
// fault of the calling code, which the stand-in reports instead of ignoring.
class OvDbAccessError : public std::logic_error {
public:
  using std::logic_error::logic_error;
};

// The base of everything stored in a drawing. An object that is not yet in a database
// belongs to its creator and may be read and written freely; once in a database it is
// reached only through ovdbOpenObject and closed by its opener.
class OvDbObject : public OvRxObject {
public:
  OVRX_DECLARE_CLASS(OvDbObject)
  OvDbObject() = default;
  OvDbObject(const OvDbObject&) = delete;
  OvDbObject& operator=(const OvDbObject&) = delete;
  ~OvDbObject() override;

  OvDbObjectId objectId() const;
  OvDbDatabase* database() const { return database_; }
  void getOvDbHandle(OvDbHandle& handle) const { handle = OvDbHandle(handle_); }

  // Ends one open: a write open, or one of the read opens.
  Ovis::ErrorStatus close();
  // Turns the caller's read open into a write open; fails while others read the object.
  Ovis::ErrorStatus upgradeOpen();
  Ovis::ErrorStatus erase(bool erasing = true);
  bool isErased() const { return erased_; }
  bool isReadEnabled() const { return !database_ || readers_ > 0 || writer_; }
  bool isWriteEnabled() const { return !database_ || writer_; }

  // Extended data by registered application (defined with the xdata store).
  OvResBuf* xData(const wchar_t* appName = nullptr) const;
  Ovis::ErrorStatus setXData(const OvResBuf* chain);
  // While tests set it, every setXData fails with eOutOfRange and changes nothing, as a host
  // refuses xdata beyond its size limit.
  static void refuseXData(bool refuse);

  // Protocol extensions: the object registered for this object's class or its nearest
  // base class under the extension class, or null.
  OvRxObject* x(const OvRxClass* extensionClass) const;

protected:
  void assertReadEnabled() const;
  void assertWriteEnabled() const;
  // Called when the object enters a database (for objects that own other objects).
  virtual void addedToDatabase() {}

private:
  friend class OvDbDatabase;
  static void countOpens(int delta);
  friend Ovis::ErrorStatus ovdbOpenObject(OvDbObject*&, OvDbObjectId, Ovis::OpenMode, bool);
  OvDbDatabase* database_ = nullptr;
  std::uint64_t handle_ = 0;
  int readers_ = 0;
  bool writer_ = false;
  bool erased_ = false;
  OvDbXDataStore xdata_;
};

// Setters take numbers and enumerations by value, other values by reference.
template <typename T>
using OvDbParam = std::conditional_t<std::is_scalar_v<T>, T, const T&>;

// Defines the read accessor or the write accessor of a plain field of a database object, or
// both, each checking the open mode.
#define OVDB_DEFINE_GETTER(CLASS, TYPE, GETTER, FIELD) \
  TYPE CLASS::GETTER() const {                         \
    assertReadEnabled();                               \
    return FIELD;                                      \
  }
#define OVDB_DEFINE_SETTER(CLASS, TYPE, SETTER, FIELD)     \
  Ovis::ErrorStatus CLASS::SETTER(OvDbParam<TYPE> value) { \
    assertWriteEnabled();                                  \
    FIELD = value;                                         \
    return Ovis::eOk;                                      \
  }
#define OVDB_DEFINE_VALUE(CLASS, TYPE, GETTER, SETTER, FIELD) \
  OVDB_DEFINE_GETTER(CLASS, TYPE, GETTER, FIELD)              \
  OVDB_DEFINE_SETTER(CLASS, TYPE, SETTER, FIELD)

// Registers a protocol extension object for a class (the registry does not own it).
void ovrxAddProtocolExtension(const OvRxClass* cls, const OvRxClass* extensionClass, OvRxObject* extension);
void ovrxRemoveProtocolExtension(const OvRxClass* cls, const OvRxClass* extensionClass);

// Opens an object of a live database. Several read opens of one object may be held at
// once; a write open excludes every other open. Erased objects open only when asked.
Ovis::ErrorStatus ovdbOpenObject(OvDbObject*& object, OvDbObjectId id, Ovis::OpenMode mode, bool openErased = false);

// Opens an object of an expected class; eNotThatKindOfClass for any other class.
template <typename T>
Ovis::ErrorStatus ovdbOpenObject(T*& object, OvDbObjectId id, Ovis::OpenMode mode, bool openErased = false) {
  object = nullptr;
  OvDbObject* opened = nullptr;
  Ovis::ErrorStatus es = ovdbOpenObject(opened, id, mode, openErased);
  if (es != Ovis::eOk) return es;
  object = T::cast(opened);
  if (!object) {
    opened->close();
    return Ovis::eNotThatKindOfClass;
  }
  return Ovis::eOk;
}

// Accounting for tests and the host program.
namespace HostDatabase {
int openObjects();  // opens not yet closed, over every database
}
