// Bitmaps and icons from a module's resources.
#include "platform/win/resource_images.h"

#include <map>
#include <memory>
#include <tuple>

#include "platform/win/gdi.h"
#include "platform/win/handle_table.h"
#include "platform/win/module_loader.h"

namespace {

struct Icon {
  int width = 0;
  int height = 0;
  UINT resourceId = 0;
  bool shared = false;
};

StandIn::HandleTable<Icon>& icons() {
  static StandIn::HandleTable<Icon> table;
  return table;
}

std::map<std::tuple<HINSTANCE, UINT, int, int>, HICON>& sharedIcons() {
  static std::map<std::tuple<HINSTANCE, UINT, int, int>, HICON> map;
  return map;
}

bool ResourceId(LPCWSTR name, UINT& id) {
  if (!name || !IS_INTRESOURCE(name)) return false;
  id = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name));
  return true;
}

HICON MakeIcon(HINSTANCE instance, UINT id, int cx, int cy, UINT flags) {
  const IconResource* resource = FindIconResource(instance, id);
  if (!resource) {
    return nullptr;  // the resource was not found
  }
  int width = cx ? cx : ((flags & LR_DEFAULTSIZE) ? 32 : resource->width);
  int height = cy ? cy : ((flags & LR_DEFAULTSIZE) ? 32 : resource->height);
  bool shared = (flags & LR_SHARED) != 0;
  if (shared) {
    auto it = sharedIcons().find({instance, id, width, height});
    if (it != sharedIcons().end()) return it->second;
  }
  auto icon = std::make_unique<Icon>();
  icon->width = width;
  icon->height = height;
  icon->resourceId = id;
  icon->shared = shared;
  HICON handle = icons().Add<HICON>(std::move(icon), StandIn::HandleKind::Icon);
  if (shared) sharedIcons()[{instance, id, width, height}] = handle;
  return handle;
}

}  // namespace

HANDLE LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int cx, int cy, UINT flags) {
  UINT id = 0;
  if (!ResourceId(name, id)) {
    return nullptr;
  }
  if (type == IMAGE_ICON) return MakeIcon(instance, id, cx, cy, flags);
  if (type != IMAGE_BITMAP) return nullptr;
  const BitmapResource* resource = FindBitmapResource(instance, id);
  if (!resource) {
    return nullptr;
  }
  return CreateBitmap(cx ? cx : resource->width, cy ? cy : resource->height, 1, 32, resource->pixels.data());
}

HICON LoadIconW(HINSTANCE instance, LPCWSTR name) {
  return static_cast<HICON>(LoadImageW(instance, name, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name) {
  return static_cast<HBITMAP>(LoadImageW(instance, name, IMAGE_BITMAP, 0, 0, 0));
}

BOOL DestroyIcon(HICON icon) {
  Icon* found = icons().Find(icon);
  if (!found) return FALSE;
  if (found->shared) return TRUE;  // shared icons live as long as the program
  icons().Remove(icon);
  return TRUE;
}

bool StandIn::IconInfo(HICON icon, int& width, int& height, UINT& resourceId) {
  Icon* found = icons().Find(icon);
  if (!found) return false;
  width = found->width;
  height = found->height;
  resourceId = found->resourceId;
  return true;
}

int StandIn::LiveIconCount() {
  int count = 0;
  for (const auto& [value, icon] : icons().All())
    if (!icon->shared) ++count;
  return count;
}
