// Extended data of database objects, kept as one list per registered application, and the
// drawing's table of registered application names.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/host/host_status.h"

// The registered application names of one drawing. Names compare without regard to case;
// the first spelling registered is kept.
class OvDbRegAppTable {
public:
  bool has(const wchar_t* name) const;
  // False when the name is empty or already registered.
  bool add(const wchar_t* name);
  const std::vector<std::wstring>& names() const { return names_; }

private:
  std::vector<std::wstring> names_;
};

// The xdata of one object: for every application that has some, in the order in which the
// applications were first attached, the list of items that follow its 1001 item.
class OvDbXDataStore {
public:
  struct Item {
    short code = 0;
    std::wstring text;  // string group codes
    double values[3] = {0, 0, 0};
    std::int32_t integer = 0;
  };
  struct Application {
    std::wstring name;
    std::vector<Item> items;
  };

  // A new chain (the caller releases it with ovutRelRb): the application's 1001 item and
  // its list, or with no name every application in turn; null when there is nothing.
  OvResBuf* chain(const wchar_t* appName) const;
  // Replaces the list of every application that the chain names (a 1001 item followed by
  // the items up to the next 1001 item). The chain must start with a 1001 item and name
  // registered applications only; on any error nothing changes.
  Ovis::ErrorStatus replace(const OvResBuf* chain, const OvDbRegAppTable& registered);

private:
  std::vector<Application> applications_;
};

// Registers an application name in the working drawing. RTNORM when the name is registered
// afterwards (newly or already), RTERROR for an empty name or when there is no drawing.
int ovdbRegApp(const wchar_t* appName);
