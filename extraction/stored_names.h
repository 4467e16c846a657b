// The names of object kinds and properties that a table stored, read in the session's
// language. A table keeps the names of the language it was made in; the module's string
// table in each of its languages tells which kind or property such a name stands for.
#pragma once
#include <optional>
#include <unordered_map>

#include "extraction/property_catalogue.h"

class StoredNames {
public:
  // Reads stored names into the names of the session's catalogue.
  explicit StoredNames(const PropertyCatalogue& session);

  // The session's name of the kind that the stored name stands for; nothing when no
  // language of the module knows the name.
  std::optional<CString> kindName(const CString& stored) const;
  // The session's name of the property. A name that no language knows is an attribute tag
  // or a dynamic-block property, named by its block, and stays as it is.
  CString propertyName(const CString& stored) const;

private:
  std::unordered_map<CString, CString> kinds_;       // a name in any language -> the session's
  std::unordered_map<CString, CString> properties_;  // likewise
};
