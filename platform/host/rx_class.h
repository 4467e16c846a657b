// Run-time classes of the host: descriptors with a parent chain, the system registry and
// the two registry services the module uses, the dynamic linker and the command stack.
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/host/host_status.h"
#include "platform/win/win32_types.h"

class OvRxClass {
public:
  OvRxClass(const wchar_t* name, const OvRxClass* parent) : name_(name), parent_(parent) {}
  const wchar_t* name() const { return name_; }
  const OvRxClass* myParent() const { return parent_; }
  bool isDerivedFrom(const OvRxClass* other) const {
    for (const OvRxClass* c = this; c; c = c->parent_) {
      if (c == other) return true;
    }
    return false;
  }

private:
  const wchar_t* name_;
  const OvRxClass* parent_;
};

// Declares desc() and isA() for a run-time class, and with OVRX_DECLARE_MEMBERS cast() too.
#define OVRX_DECLARE_CLASS(CLASS) \
  static const OvRxClass* desc(); \
  const OvRxClass* isA() const override { return desc(); }
#define OVRX_DECLARE_MEMBERS(CLASS)                                                    \
  OVRX_DECLARE_CLASS(CLASS)                                                            \
  static CLASS* cast(OvRxObject* object) {                                             \
    return object && object->isKindOf(desc()) ? static_cast<CLASS*>(object) : nullptr; \
  }

#define OVRX_DEFINE_MEMBERS(CLASS, PARENT)                  \
  const OvRxClass* CLASS::desc() {                          \
    static const OvRxClass cls(L## #CLASS, PARENT::desc()); \
    return &cls;                                            \
  }

class OvRxObject {
public:
  virtual ~OvRxObject() = default;
  static const OvRxClass* desc();
  virtual const OvRxClass* isA() const { return desc(); }
  bool isKindOf(const OvRxClass* cls) const { return isA() && isA()->isDerivedFrom(cls); }
};

// A dictionary of services by key.
class OvRxDictionary : public OvRxObject {
public:
  OVRX_DECLARE_CLASS(OvRxDictionary)
  OvRxObject* at(const wchar_t* key) const;
  // Stores a service; the dictionary does not own it.
  void atPut(const wchar_t* key, OvRxObject* object);
  void remove(const wchar_t* key);

private:
  std::map<std::wstring, OvRxObject*> entries_;
};

OvRxDictionary* ovrxSysRegistry();

// The host's dynamic linker. The two operations that take an application id declare the
// application to the host; the stand-in records the calls in order.
class OvRxDynamicLinker : public OvRxObject {
public:
  OVRX_DECLARE_MEMBERS(OvRxDynamicLinker)
  virtual bool registerApplication(void* appId);  // first in the operation table
  virtual bool registerApplicationMdiAware(void* appId);
  struct Call {
    std::wstring operation;
    void* appId;
  };
  std::vector<Call> calls;
};

using OvRxFunctionPtr = void (*)();

// A registered command.
struct OvEdCommand {
  std::wstring group;
  std::wstring globalName;
  std::wstring localName;
  std::int32_t flags = 0;
  OvRxFunctionPtr function = nullptr;
  void* uiContext = nullptr;
  int functionCode = -1;
  HINSTANCE resourceHandle = nullptr;
};

class OvEdCommandStack : public OvRxObject {
public:
  OVRX_DECLARE_MEMBERS(OvEdCommandStack)
  Ovis::ErrorStatus addCommand(const wchar_t* group, const wchar_t* globalName, const wchar_t* localName,
                               std::int32_t flags, OvRxFunctionPtr function, void* uiContext = nullptr,
                               int functionCode = -1, HINSTANCE resourceHandle = nullptr,
                               OvEdCommand** created = nullptr);
  Ovis::ErrorStatus removeGroup(const wchar_t* group);
  // Finds a command by global or local name, ignoring case.
  const OvEdCommand* lookupCommand(const wchar_t* name) const;
  // Runs a command by name with the command's resource handle current; false when unknown.
  bool runCommand(const wchar_t* name);
  const std::vector<std::unique_ptr<OvEdCommand>>& commands() const { return commands_; }
  int removeGroupCalls = 0;

private:
  std::vector<std::unique_ptr<OvEdCommand>> commands_;
};
