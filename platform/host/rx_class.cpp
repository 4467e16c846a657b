#include "platform/host/rx_class.h"

#include <cwctype>

#include "platform/host/doc_manager.h"

const OvRxClass* OvRxObject::desc() {
  static const OvRxClass cls(L"OvRxObject", nullptr);
  return &cls;
}

OVRX_DEFINE_MEMBERS(OvRxDictionary, OvRxObject)
OVRX_DEFINE_MEMBERS(OvRxDynamicLinker, OvRxObject)
OVRX_DEFINE_MEMBERS(OvEdCommandStack, OvRxObject)

OvRxObject* OvRxDictionary::at(const wchar_t* key) const {
  if (!key) return nullptr;
  auto it = entries_.find(key);
  return it == entries_.end() ? nullptr : it->second;
}

void OvRxDictionary::atPut(const wchar_t* key, OvRxObject* object) { entries_[key] = object; }
void OvRxDictionary::remove(const wchar_t* key) { entries_.erase(key); }

OvRxDictionary* ovrxSysRegistry() {
  static OvRxDictionary registry;
  static OvRxDynamicLinker linker;
  static OvEdCommandStack commands;
  static bool filled = [] {
    registry.atPut(L"DynamicLinker", &linker);
    registry.atPut(L"OVIS_REGISTERED_COMMANDS", &commands);
    return true;
  }();
  (void)filled;
  return &registry;
}

bool OvRxDynamicLinker::registerApplication(void* appId) {
  calls.push_back({L"registerApplication", appId});
  return true;
}

bool OvRxDynamicLinker::registerApplicationMdiAware(void* appId) {
  calls.push_back({L"registerApplicationMdiAware", appId});
  return true;
}

namespace {
bool sameNameIgnoringCase(const std::wstring& a, const wchar_t* b) {
  size_t n = std::wcslen(b);
  if (a.size() != n) return false;
  for (size_t i = 0; i < n; ++i) {
    if (std::towupper(a[i]) != std::towupper(b[i])) return false;
  }
  return true;
}
}  // namespace

Ovis::ErrorStatus OvEdCommandStack::addCommand(const wchar_t* group, const wchar_t* globalName,
                                               const wchar_t* localName, std::int32_t flags, OvRxFunctionPtr function,
                                               void* uiContext, int functionCode, HINSTANCE resourceHandle,
                                               OvEdCommand** created) {
  if (!group || !globalName || !localName || !function) return Ovis::eInvalidInput;
  if (lookupCommand(globalName) || lookupCommand(localName)) return Ovis::eDuplicateKey;
  auto command = std::make_unique<OvEdCommand>();
  command->group = group;
  command->globalName = globalName;
  command->localName = localName;
  command->flags = flags;
  command->function = function;
  command->uiContext = uiContext;
  command->functionCode = functionCode;
  command->resourceHandle = resourceHandle;
  if (created) *created = command.get();
  commands_.push_back(std::move(command));
  return Ovis::eOk;
}

Ovis::ErrorStatus OvEdCommandStack::removeGroup(const wchar_t* group) {
  ++removeGroupCalls;
  if (!group) return Ovis::eInvalidInput;
  size_t before = commands_.size();
  std::erase_if(commands_, [&](const auto& c) { return c->group == group; });
  return before == commands_.size() ? Ovis::eKeyNotFound : Ovis::eOk;
}

const OvEdCommand* OvEdCommandStack::lookupCommand(const wchar_t* name) const {
  if (!name) return nullptr;
  for (const auto& c : commands_) {
    if (sameNameIgnoringCase(c->globalName, name) || sameNameIgnoringCase(c->localName, name)) return c.get();
  }
  return nullptr;
}

bool OvEdCommandStack::runCommand(const wchar_t* name) {
  const OvEdCommand* command = lookupCommand(name);
  if (!command) return false;
  OvRxFunctionPtr function = command->function;
  HINSTANCE resources = command->resourceHandle;
  if (resources) ovDocManagerPtr()->pushResourceHandle(resources);
  function();
  if (resources) ovDocManagerPtr()->popResourceHandle();
  return true;
}
