#include "platform/win/format_message.h"

#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <new>
#include <set>
#include <string>

#include "platform/win/module_loader.h"
#include "platform/win/wide_format.h"

namespace {

thread_local DWORD lastError = 0;

// Leaves the reason for GetLastError; 0, the failure's return value.
DWORD failure(DWORD error) {
  lastError = error;
  return 0;
}

std::set<void*>& localBlocks() {
  static std::set<void*> blocks;
  return blocks;
}

// A text formatted by the Windows wide rules.
std::wstring formatted(const wchar_t* pattern, ...) {
  va_list args;
  va_start(args, pattern);
  std::wstring text = FormatWide(pattern, args);
  va_end(args);
  return text;
}

// Formats one insert with its printf form, taking the value from the arguments.
bool formatInsert(const std::wstring& form, bool argumentArray, void* arguments, int index, std::wstring& out) {
  std::wstring pattern = L"%" + form;
  wchar_t kind = form.empty() ? L's' : form.back();
  if (argumentArray) {
    DWORD_PTR value = static_cast<DWORD_PTR*>(arguments)[index - 1];
    std::wstring text;
    switch (kind) {
      case L's':
      case L'S':
        if (kind == L'S' || form.find(L'h') != std::wstring::npos)
          text = formatted(pattern.c_str(), reinterpret_cast<const char*>(value));
        else text = formatted(pattern.c_str(), reinterpret_cast<const wchar_t*>(value));
        break;
      case L'e':
      case L'E':
      case L'f':
      case L'g':
      case L'G': return false;  // floating point cannot be passed in an argument array
      default:
        if (form.find(L"I64") != std::wstring::npos || form.find(L"ll") != std::wstring::npos)
          text = formatted(pattern.c_str(), static_cast<long long>(value));
        else text = formatted(pattern.c_str(), static_cast<int>(value));
        break;
    }
    out += text;
    return true;
  }
  return false;
}

}  // namespace

DWORD FormatMessageW(DWORD flags, LPCVOID source, DWORD, DWORD, LPWSTR buffer, DWORD size, void* arguments) {
  if (!(flags & FORMAT_MESSAGE_FROM_STRING) || !source) {
    return failure(ERROR_INVALID_PARAMETER);
  }
  const wchar_t* p = static_cast<const wchar_t*>(source);
  bool ignoreInserts = flags & FORMAT_MESSAGE_IGNORE_INSERTS;
  bool argumentArray = flags & FORMAT_MESSAGE_ARGUMENT_ARRAY;
  va_list* vaArgs = argumentArray ? nullptr : static_cast<va_list*>(arguments);
  std::wstring out;
  // Inserts taken through a va_list are read in order of first use, each once.
  std::wstring vaValues[100];
  int vaRead = 0;
  while (*p) {
    if (*p != L'%') {
      out += *p++;
      continue;
    }
    ++p;
    if (!*p) break;
    if (*p == L'0') break;  // %0 ends the message
    if (*p == L'n') {
      out += L"\r\n";
      ++p;
      continue;
    }
    if (!std::iswdigit(*p)) {
      out += *p++;
      continue;
    }  // %% %. %! and %space give the character
    int index = *p++ - L'0';
    if (std::iswdigit(*p)) index = index * 10 + (*p++ - L'0');
    std::wstring form = L"s";
    const wchar_t* formStart = nullptr;
    if (*p == L'!') {
      formStart = p + 1;
      const wchar_t* end = std::wcschr(formStart, L'!');
      if (end) {
        form.assign(formStart, end);
        p = end + 1;
      }
    }
    if (ignoreInserts || !arguments) {
      out += L'%' + std::to_wstring(index);
      if (formStart && form != L"s") out += L'!' + form + L'!';
      continue;
    }
    if (argumentArray) {
      if (!formatInsert(form, true, arguments, index, out)) {
        return failure(ERROR_INVALID_PARAMETER);
      }
    } else {
      while (vaRead < index) {
        const wchar_t* s = va_arg(*vaArgs, const wchar_t*);
        vaValues[++vaRead - 1] = s ? s : L"";
      }
      out += vaValues[index - 1];
    }
  }
  if (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) {
    auto* block = static_cast<wchar_t*>(LocalAlloc(0, (out.size() + 1) * sizeof(wchar_t)));
    if (!block) return 0;  // LocalAlloc left the reason
    std::wmemcpy(block, out.c_str(), out.size() + 1);
    *reinterpret_cast<wchar_t**>(buffer) = block;
    return static_cast<DWORD>(out.size());
  }
  if (!buffer || out.size() + 1 > size) {
    return failure(ERROR_INSUFFICIENT_BUFFER);
  }
  std::wmemcpy(buffer, out.c_str(), out.size() + 1);
  return static_cast<DWORD>(out.size());
}

HLOCAL LocalAlloc(UINT, size_t bytes) {
  void* block = std::calloc(1, bytes ? bytes : 1);
  if (!block) {
    lastError = ERROR_NOT_ENOUGH_MEMORY;
    return nullptr;
  }
  try {
    localBlocks().insert(block);
  } catch (const std::bad_alloc&) {  // a block that cannot be noted is not handed out
    std::free(block);
    lastError = ERROR_NOT_ENOUGH_MEMORY;
    return nullptr;
  }
  return block;
}

HLOCAL LocalFree(HLOCAL memory) {
  if (!memory) return nullptr;
  auto it = localBlocks().find(memory);
  if (it == localBlocks().end()) return memory;  // not a local block: refused, as Windows returns the handle
  localBlocks().erase(it);
  std::free(memory);
  return nullptr;
}

int LiveLocalAllocations() { return static_cast<int>(localBlocks().size()); }

DWORD GetLastError() { return lastError; }
