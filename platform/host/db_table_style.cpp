#include "platform/host/db_table_style.h"

#include "platform/host/db_database.h"
#include "platform/host/text_style.h"
#include "platform/mfc/cstring.h"

OVRX_DEFINE_MEMBERS(OvDbDictionary, OvDbObject)
OVRX_DEFINE_MEMBERS(OvDbTableStyle, OvDbObject)

namespace {

bool sameKey(const std::wstring& a, const wchar_t* b) { return CString(a).CompareNoCase(b) == 0; }

}  // namespace

Ovis::ErrorStatus OvDbDictionary::getAt(const wchar_t* name, OvDbObjectId& id) const {
  assertReadEnabled();
  id = OvDbObjectId::kNull;
  if (!name) return Ovis::eInvalidKey;
  for (const auto& [key, value] : entries_) {
    if (sameKey(key, name)) {
      id = value;
      return Ovis::eOk;
    }
  }
  return Ovis::eKeyNotFound;
}

bool OvDbDictionary::has(const wchar_t* name) const {
  OvDbObjectId id;
  return getAt(name, id) == Ovis::eOk;
}

Ovis::ErrorStatus OvDbDictionary::setAt(const wchar_t* name, OvDbObject* object, OvDbObjectId& id) {
  assertWriteEnabled();
  if (!name || !*name || !object) return Ovis::eInvalidInput;
  if (has(name)) return Ovis::eDuplicateKey;
  if (!database()) return Ovis::eNoDatabase;
  Ovis::ErrorStatus es = database()->addOvDbObject(id, object);
  if (es != Ovis::eOk) return es;
  object->close();
  entries_.emplace_back(name, id);
  return Ovis::eOk;
}

const wchar_t* OvDbTableStyle::name() const {
  assertReadEnabled();
  return name_.c_str();
}

void OvDbTableStyle::setName(const wchar_t* name) {
  assertWriteEnabled();
  name_ = name ? name : L"";
}

OvDbObjectId OvDbTableStyle::textStyle() const {
  assertReadEnabled();
  return textStyle_;
}

void OvDbTableStyle::setTextStyle(const OvDbObjectId& id) {
  assertWriteEnabled();
  textStyle_ = id;
}

double OvDbTableStyle::textHeight() const {
  assertReadEnabled();
  return textHeight_;
}

// The dictionary is made on first use, with the "Standard" table style over a "Standard"
// text style.
Ovis::ErrorStatus OvDbDatabase::getTableStyleDictionary(OvDbDictionary*& dictionary, Ovis::OpenMode mode) {
  dictionary = nullptr;
  if (tableStyleDictionaryId_.isNull()) {
    auto* textStyle = new OvDbTextStyleTableRecord;
    textStyle->setName(L"Standard");
    OvDbObjectId textStyleId;
    if (addOvDbObject(textStyleId, textStyle) != Ovis::eOk) {
      delete textStyle;
      return Ovis::eOutOfMemory;
    }
    textStyle->close();

    auto* created = new OvDbDictionary;
    if (addOvDbObject(tableStyleDictionaryId_, created) != Ovis::eOk) {
      delete created;
      return Ovis::eOutOfMemory;
    }
    auto* standard = new OvDbTableStyle;
    standard->setName(L"Standard");
    standard->setTextStyle(textStyleId);
    OvDbObjectId standardId;
    if (created->setAt(L"Standard", standard, standardId) != Ovis::eOk) delete standard;
    created->close();
  }
  return ovdbOpenObject(dictionary, tableStyleDictionaryId_, mode);
}
