#include "platform/host/db_xdata.h"

#include <cwctype>

#include "platform/host/db_database.h"
#include "platform/host/db_object.h"
#include "platform/host/editor.h"
#include "platform/mfc/cstring.h"
#include "platform/win/on_failure.h"

namespace {

// Names compare without regard to case, as CString::CompareNoCase does, and without asking for
// memory, so that a chain is stored whole once its lists are read.
bool sameName(const std::wstring& a, const wchar_t* b) {
  if (!b) b = L"";
  for (const wchar_t* x = a.c_str();; ++x, ++b) {
    if (std::towlower(*x) != std::towlower(*b)) return false;
    if (!*x) return true;
  }
}

bool isStringCode(int code) { return code >= 1000 && code <= 1009; }
bool isPointCode(int code) { return code >= 1010 && code <= 1013; }
bool isRealCode(int code) { return code >= 1040 && code <= 1042; }
bool isShortCode(int code) { return code == 1070; }
bool isLongCode(int code) { return code == 1071; }
bool isStorableCode(int code) {
  return isStringCode(code) || isPointCode(code) || isRealCode(code) || isShortCode(code) || isLongCode(code);
}

OvResBuf* newStringItem(int code, const std::wstring& text) {
  OvResBuf* item = ovutBuildList(code, text.c_str(), 0);
  return item;
}

OvResBuf* newItem(const OvDbXDataStore::Item& stored) {
  if (isStringCode(stored.code)) return newStringItem(stored.code, stored.text);
  OvResBuf* item = ovutNewRb(stored.code);
  if (isPointCode(stored.code)) {
    for (int i = 0; i < 3; ++i) item->resval.rpoint[i] = stored.values[i];
  } else if (isRealCode(stored.code)) {
    item->resval.rreal = stored.values[0];
  } else if (isShortCode(stored.code)) {
    item->resval.rint = static_cast<short>(stored.integer);
  } else {
    item->resval.rlong = stored.integer;
  }
  return item;
}

OvDbXDataStore::Item storedItem(const OvResBuf& item) {
  OvDbXDataStore::Item stored;
  stored.code = item.restype;
  if (isStringCode(item.restype)) {
    stored.text = item.resval.rstring ? item.resval.rstring : L"";
  } else if (isPointCode(item.restype)) {
    for (int i = 0; i < 3; ++i) stored.values[i] = item.resval.rpoint[i];
  } else if (isRealCode(item.restype)) {
    stored.values[0] = item.resval.rreal;
  } else if (isShortCode(item.restype)) {
    stored.integer = item.resval.rint;
  } else {
    stored.integer = item.resval.rlong;
  }
  return stored;
}

bool& xDataRefused() {
  static bool refused = false;
  return refused;
}

}  // namespace

bool OvDbRegAppTable::has(const wchar_t* name) const {
  if (!name) return false;
  for (const std::wstring& registered : names_) {
    if (sameName(registered, name)) return true;
  }
  return false;
}

bool OvDbRegAppTable::add(const wchar_t* name) {
  if (!name || !*name || has(name)) return false;
  names_.emplace_back(name);
  return true;
}

OvResBuf* OvDbXDataStore::chain(const wchar_t* appName) const {
  OvResBuf* head = nullptr;
  OvResBuf* tail = nullptr;
  auto append = [&](OvResBuf* item) {
    if (tail) tail->rbnext = item;
    else head = item;
    tail = item;
  };
  // Memory ran out: the chain made so far goes.
  StandIn::OnFailure releaseOnFailure([&head] { ovutRelRb(head); });
  for (const Application& application : applications_) {
    if (appName && !sameName(application.name, appName)) continue;
    append(newStringItem(OV_XD_APPNAME, application.name));
    for (const Item& item : application.items) append(newItem(item));
  }
  return head;
}

Ovis::ErrorStatus OvDbXDataStore::replace(const OvResBuf* chain, const OvDbRegAppTable& registered) {
  if (!chain) return Ovis::eOk;
  if (chain->restype != OV_XD_APPNAME) return Ovis::eBadDxfSequence;
  std::vector<Application> named;
  for (const OvResBuf* item = chain; item; item = item->rbnext) {
    if (item->restype == OV_XD_APPNAME) {
      const wchar_t* name = item->resval.rstring;
      if (!name || !registered.has(name)) return Ovis::eRegappIdNotFound;
      named.push_back({name, {}});
    } else if (isStorableCode(item->restype)) {
      named.back().items.push_back(storedItem(*item));
    } else {
      return Ovis::eBadDxfSequence;
    }
  }
  // Room first: once the first list is replaced nothing asks for memory, so that a chain of
  // several applications is stored whole or not at all.
  applications_.reserve(applications_.size() + named.size());
  for (Application& application : named) {
    bool replaced = false;
    for (Application& existing : applications_) {
      if (sameName(existing.name, application.name.c_str())) {
        existing.items = std::move(application.items);
        replaced = true;
        break;
      }
    }
    if (!replaced) applications_.push_back(std::move(application));
  }
  return Ovis::eOk;
}

void OvDbObject::refuseXData(bool refuse) { xDataRefused() = refuse; }

OvResBuf* OvDbObject::xData(const wchar_t* appName) const {
  assertReadEnabled();
  return xdata_.chain(appName);
}

Ovis::ErrorStatus OvDbObject::setXData(const OvResBuf* chain) {
  if (!isWriteEnabled()) return Ovis::eNotOpenForWrite;
  if (xDataRefused()) return Ovis::eOutOfRange;
  OvDbDatabase* db = database_ ? database_ : ovdbHostApplicationServices()->workingDatabase();
  if (!db) return Ovis::eNoDatabase;
  return xdata_.replace(chain, db->regAppTable());
}

int ovdbRegApp(const wchar_t* appName) {
  OvDbDatabase* db = ovdbHostApplicationServices()->workingDatabase();
  if (!db || !appName || !*appName) return RTERROR;
  db->regAppTable().add(appName);
  return RTNORM;
}
