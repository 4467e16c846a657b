#include "platform/win/clipboard.h"

#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "platform/win/handle_table.h"
#include "platform/win/module_loader.h"
#include "platform/win/window_manager.h"

using namespace StandIn;

namespace {

struct GlobalBlock {
  std::vector<unsigned char> bytes;
  int locks = 0;
  bool heldByClipboard = false;
};

struct Clipboard {
  HandleTable<GlobalBlock> blocks;
  std::map<UINT, HGLOBAL> formats;
  bool open = false;
  HWND openedBy = nullptr;
  HWND owner = nullptr;
  int failAllocs = 0;
};

Clipboard& clip() {
  static Clipboard c;
  return c;
}

GlobalBlock* B(HGLOBAL h) { return h ? clip().blocks.Find(h) : nullptr; }

void DropFormats() {
  for (auto& [format, block] : clip().formats) clip().blocks.Remove(block);
  clip().formats.clear();
}

}  // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
  if (clip().failAllocs > 0) {
    --clip().failAllocs;
    return nullptr;  // not enough memory
  }
  auto block = std::make_unique<GlobalBlock>();
  block->bytes.assign(bytes, 0);
  (void)flags;
  return clip().blocks.Add<HGLOBAL>(std::move(block), HandleKind::Global);
}

LPVOID GlobalLock(HGLOBAL memory) {
  GlobalBlock* b = B(memory);
  if (!b) return nullptr;
  ++b->locks;
  return b->bytes.empty() ? static_cast<LPVOID>(&b->locks) : static_cast<LPVOID>(b->bytes.data());
}

BOOL GlobalUnlock(HGLOBAL memory) {
  GlobalBlock* b = B(memory);
  if (!b || b->locks == 0) return FALSE;
  --b->locks;
  return b->locks > 0 ? TRUE : FALSE;
}

HGLOBAL GlobalFree(HGLOBAL memory) {
  GlobalBlock* b = B(memory);
  if (!b || b->heldByClipboard) return memory;
  clip().blocks.Remove(memory);
  return nullptr;
}

SIZE_T GlobalSize(HGLOBAL memory) {
  GlobalBlock* b = B(memory);
  return b ? b->bytes.size() : 0;
}

BOOL OpenClipboard(HWND owner) {
  if (clip().open) {
    return FALSE;  // someone else has it open
  }
  clip().open = true;
  clip().openedBy = owner;
  return TRUE;
}

BOOL CloseClipboard() {
  if (!clip().open) return FALSE;
  clip().open = false;
  clip().openedBy = nullptr;
  return TRUE;
}

BOOL EmptyClipboard() {
  if (!clip().open) return FALSE;
  DropFormats();
  clip().owner = clip().openedBy;
  return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data) {
  GlobalBlock* b = B(data);
  if (!clip().open || !b) return nullptr;
  auto it = clip().formats.find(format);
  if (it != clip().formats.end()) clip().blocks.Remove(it->second);
  b->heldByClipboard = true;
  clip().formats[format] = data;
  return data;
}

BOOL IsClipboardFormatAvailable(UINT format) { return clip().formats.count(format) ? TRUE : FALSE; }
HWND GetClipboardOwner() { return clip().owner; }

std::wstring StandIn::ClipboardText() {
  auto it = clip().formats.find(CF_UNICODETEXT);
  if (it == clip().formats.end()) return std::wstring();
  GlobalBlock* b = B(it->second);
  if (!b) return std::wstring();
  size_t chars = b->bytes.size() / sizeof(wchar_t);
  std::wstring text(chars, L'\0');
  std::memcpy(text.data(), b->bytes.data(), chars * sizeof(wchar_t));
  size_t end = text.find(L'\0');
  if (end != std::wstring::npos) text.resize(end);
  return text;
}

int StandIn::LiveGlobalBlockCount() {
  int count = 0;
  for (const auto& [value, b] : clip().blocks.All())
    if (!b->heldByClipboard) ++count;
  return count;
}

void StandIn::FailNextGlobalAllocs(int count) { clip().failAllocs = count; }
