// Hyperlinks of entities, reached through the entity hyperlink protocol extension.
#pragma once
#include <string>
#include <vector>

#include "platform/host/db_entity.h"

class OvDbHyperlink {
public:
  OvDbHyperlink(std::wstring name, std::wstring description, std::wstring subLocation)
      : name_(std::move(name)), description_(std::move(description)), subLocation_(std::move(subLocation)) {}
  const wchar_t* name() const { return name_.c_str(); }
  const wchar_t* description() const { return description_.c_str(); }
  const wchar_t* subLocation() const { return subLocation_.c_str(); }

private:
  std::wstring name_, description_, subLocation_;
};

// A list of hyperlinks handed to the caller, who deletes it.
class OvDbHyperlinkCollection {
public:
  int count() const { return static_cast<int>(links_.size()); }
  // Null for an index out of range.
  OvDbHyperlink* item(int index) const;
  void addTail(const wchar_t* name, const wchar_t* description = L"", const wchar_t* subLocation = L"");

private:
  std::vector<OvDbHyperlink> links_;
};

class OvDbEntityHyperlinkPE : public OvRxObject {
public:
  OVRX_DECLARE_CLASS(OvDbEntityHyperlinkPE)
  // The flags of the host (one link only, ignore the block definition) change nothing here.
  Ovis::ErrorStatus hasHyperlink(OvDbObject* object, bool& result, bool ignoreBlockDefinition = true);
  // A new collection of the object's hyperlinks, in their order (the caller deletes it).
  Ovis::ErrorStatus getHyperlinkCollection(OvDbObject* object, OvDbHyperlinkCollection*& collection,
                                           bool oneOnly = false, bool ignoreBlockDefinition = true);
  // Replaces the object's hyperlinks; the object must be open for write.
  Ovis::ErrorStatus setHyperlinkCollection(OvDbObject* object, const OvDbHyperlinkCollection* collection);
  // The extension that every entity class has.
  static OvDbEntityHyperlinkPE* instance();
};
