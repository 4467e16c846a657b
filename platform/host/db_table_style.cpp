#include "platform/host/db_table_style.h"

#include <memory>

#include "platform/host/db_database.h"
#include "platform/host/text_style.h"
#include "platform/mfc/cstring.h"
#include "platform/win/on_failure.h"

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
  entries_.emplace_back(name, OvDbObjectId());
  Ovis::ErrorStatus es = database()->addOvDbObject(id, object, [this] { entries_.pop_back(); });
  if (es != Ovis::eOk) return es;
  object->close();
  entries_.back().second = id;
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
  // Made whole before the drawing names it: memory that runs out leaves no dictionary without
  // its style, and the next look-up makes it again.
  if (tableStyleDictionaryId_.isNull()) {
    auto textStyle = std::make_unique<OvDbTextStyleTableRecord>();
    textStyle->setName(L"Standard");
    auto standard = std::make_unique<OvDbTableStyle>();
    standard->setName(L"Standard");
    auto created = std::make_unique<OvDbDictionary>();
    OvDbObjectId textStyleId;
    if (addOvDbObject(textStyleId, textStyle.get()) != Ovis::eOk) return Ovis::eOutOfMemory;
    textStyle.release()->close();
    standard->setTextStyle(textStyleId);
    OvDbObjectId dictionaryId;
    if (addOvDbObject(dictionaryId, created.get()) != Ovis::eOk) return Ovis::eOutOfMemory;
    OvDbDictionary* dictionary = created.release();
    OvDbObjectId standardId;
    StandIn::OnFailure closeOnFailure([dictionary] { dictionary->close(); });
    if (dictionary->setAt(L"Standard", standard.get(), standardId) == Ovis::eOk) standard.release();
    dictionary->close();
    tableStyleDictionaryId_ = dictionaryId;
  }
  return ovdbOpenObject(dictionary, tableStyleDictionaryId_, mode);
}
