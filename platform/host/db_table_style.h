// Dictionaries of named objects and the table styles kept in the drawing's table-style
// dictionary, which holds "Standard" from the start.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "platform/host/db_object.h"

// Named object ids; names compare without regard to case. The dictionary owns its entries.
class OvDbDictionary : public OvDbObject {
public:
  OVRX_DECLARE_MEMBERS(OvDbDictionary)
  Ovis::ErrorStatus getAt(const wchar_t* name, OvDbObjectId& id) const;
  bool has(const wchar_t* name) const;
  // Adds the new object to the dictionary's database under the name (a name in use is
  // refused with eDuplicateKey) and closes it.
  Ovis::ErrorStatus setAt(const wchar_t* name, OvDbObject* object, OvDbObjectId& id);

private:
  std::vector<std::pair<std::wstring, OvDbObjectId>> entries_;
};

// A table style: the text style and text height that the cells of its tables take unless a
// cell has its own.
class OvDbTableStyle : public OvDbObject {
public:
  OVRX_DECLARE_MEMBERS(OvDbTableStyle)
  static constexpr double kDefaultTextHeight = 2.5;
  const wchar_t* name() const;
  void setName(const wchar_t* name);
  OvDbObjectId textStyle() const;
  void setTextStyle(const OvDbObjectId& id);
  double textHeight() const;

private:
  std::wstring name_;
  OvDbObjectId textStyle_;
  double textHeight_ = kDefaultTextHeight;
};
