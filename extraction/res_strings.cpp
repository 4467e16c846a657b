#include "extraction/res_strings.h"

#include <cwctype>
#include <new>

#include "platform/mfc/afx_module.h"
#include "platform/win/format_message.h"

CString LoadResString(UINT id) {
  CString text;
  if (!text.LoadString(id)) return CString(L"???");
  return text;
}

CString LoadResString(UINT id, LANGID language) {
  CString text;
  if (!text.LoadString(AfxFindStringResourceHandle(id), id, language)) return CString(L"???");
  return text;
}

CString FormatMsgStringV(const CString& format, const std::vector<const wchar_t*>& inserts) {
  // Placeholders beyond the inserts are escaped so that the formatter keeps them as
  // they are instead of reading arguments that do not exist.
  CString guarded;
  const wchar_t* p = format.GetString();
  while (*p) {
    if (*p != L'%') {
      guarded += *p++;
      continue;
    }
    if (p[1] == L'%') {
      guarded += L"%%";
      p += 2;
      continue;
    }
    if (std::iswdigit(p[1]) && p[1] != L'0') {
      int index = p[1] - L'0';
      int digits = 1;
      if (std::iswdigit(p[2])) {
        index = index * 10 + (p[2] - L'0');
        digits = 2;
      }
      guarded += index <= static_cast<int>(inserts.size()) ? L"%" : L"%%";
      guarded += CString(p + 1, digits);
      p += 1 + digits;
      continue;
    }
    guarded += L"%%";  // a lone percent sign stays as it is
    ++p;
  }
  std::vector<DWORD_PTR> arguments;
  for (const wchar_t* insert : inserts) arguments.push_back(reinterpret_cast<DWORD_PTR>(insert));
  arguments.push_back(0);
  wchar_t* buffer = nullptr;
  DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                     guarded.GetString(), 0, 0, reinterpret_cast<LPWSTR>(&buffer), 0, arguments.data());
  if (!buffer) {
    // Memory running out stops the caller's work as any allocation does, rather than give
    // a line without its inserts; a text the formatter cannot read stays as it is.
    if (GetLastError() == ERROR_NOT_ENOUGH_MEMORY) throw std::bad_alloc();
    return length == 0 ? format : CString();
  }
  struct Release {  // also when the copy runs out of memory
    wchar_t* buffer;
    ~Release() { LocalFree(buffer); }
  } release{buffer};
  return CString(buffer, static_cast<int>(length));
}

CString LoadResFormatV(UINT id, const std::vector<const wchar_t*>& inserts) {
  CString text;
  if (!text.LoadString(id)) return CString(L"???");
  return FormatMsgStringV(text, inserts);
}
