#include "extraction/xdata_link.h"

#include <utility>

#include "extraction/host_guards.h"
#include "extraction/res_strings.h"
#include "platform/host/editor.h"
#include "res/resource_ids.h"

namespace {

OvResBuf* lastItem(OvResBuf* chain) {
  while (chain && chain->rbnext) chain = chain->rbnext;
  return chain;
}

}  // namespace

bool writeLinkXData(OvDbObjectId objectId, CString appName, const std::vector<CString>& entries) {
  OpenedObject<OvDbObject> object;
  if (!object.open(objectId)) return false;

  ResultChain chain(object->xData(appName));
  if (!chain) {
    ovdbRegApp(appName);
    chain.reset(ovutBuildList(OV_XD_APPNAME, appName.GetString(), 0));
  }
  OvResBuf* tail = lastItem(chain.get());
  for (const CString& entry : entries) {
    tail->rbnext = ovutBuildList(OV_XD_STRING, entry.GetString(), 0);
    tail = tail->rbnext;
  }
  return object->upgradeOpen() == Ovis::eOk && object->setXData(chain.get()) == Ovis::eOk;
}

bool writeLinkXDataFromMap(OvDbObjectId objectId, CString appName, const std::map<CString, CString>& map, bool keys) {
  std::vector<CString> entries;
  for (const auto& [key, value] : map) entries.push_back(keys ? key : value);
  return writeLinkXData(objectId, appName, entries);
}

bool writeLinkXDataHandles(OvDbObjectId objectId, CString appName, const std::vector<CString>& rowIds,
                           const std::vector<int>& rowOrder, bool headerShown) {
  std::vector<CString> handles;
  for (size_t i = headerShown ? 1 : 0; i < rowOrder.size(); ++i) {
    long long j = static_cast<long long>(rowOrder[i]) - 1;  // Id entry j stands for grid row j + 1
    if (j >= 0 && static_cast<size_t>(j) < rowIds.size()) handles.push_back(rowIds[static_cast<size_t>(j)]);
  }
  return writeLinkXData(objectId, appName, handles);
}

bool replaceLinkLists(OvDbObjectId objectId, const std::vector<LinkList>& lists) {
  if (lists.empty()) return true;
  OpenedObject<OvDbObject> object;
  if (!object.open(objectId)) return false;
  ResultChain chain;
  OvResBuf* tail = nullptr;
  auto append = [&chain, &tail](OvResBuf* item) {
    if (tail) tail->rbnext = item;
    else chain.reset(item);
    tail = item;
  };
  for (const LinkList& list : lists) {
    ovdbRegApp(list.appName);
    append(ovutBuildList(OV_XD_APPNAME, list.appName.GetString(), 0));
    for (const CString& entry : list.entries) append(ovutBuildList(OV_XD_STRING, entry.GetString(), 0));
  }
  return object->upgradeOpen() == Ovis::eOk && object->setXData(chain.get()) == Ovis::eOk;
}

std::vector<CString> collectRowIds(const TextGrid& grid, bool totals) {
  std::vector<CString> ids;
  long long n = static_cast<long long>(grid.size()) - (totals ? 2 : 0);
  for (long long r = 1; r < n; ++r) {
    const auto& row = grid[static_cast<size_t>(r)];
    ids.push_back(row.empty() ? CString() : row[0]);
  }
  return ids;
}

bool clearLinkXData(OvDbObjectId objectId, CString appName) {
  OpenedObject<OvDbObject> object;
  if (!object.open(objectId, Ovis::kForWrite)) return false;
  ResultChain chain(object->xData(appName));
  if (chain) {
    ResultChain entries(std::exchange(chain->rbnext, nullptr));  // the application's name alone stays
    object->setXData(chain.get());
  }
  return true;
}

std::vector<CString> readLinkXData(OvDbObjectId objectId, CString appName, bool reportMissing) {
  std::vector<CString> entries;
  OpenedObject<OvDbObject> object;
  if (!object.open(objectId)) return entries;
  ResultChain chain(object->xData(appName));
  if (chain) {
    for (const OvResBuf* item = chain.get(); item; item = item->rbnext) {
      if (item->restype == OV_XD_STRING) entries.emplace_back(item->resval.rstring);
    }
  } else if (reportMissing) {
    ovutPrintf(L"%s", LoadResFormat(IDS_NO_XDATA, appName).GetString());
  }
  return entries;
}

bool hasLinkXData(OvDbObjectId objectId, CString appName) {
  OpenedObject<OvDbObject> object;
  if (!object.open(objectId)) return false;
  return static_cast<bool>(ResultChain(object->xData(appName)));
}

void reportDamagedLinkList(CString appName) {
  ovutPrintf(L"%s", LoadResFormat(IDS_DAMAGED_LINK_LIST, appName).GetString());
}
