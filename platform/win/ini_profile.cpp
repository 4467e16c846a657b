#include "platform/win/ini_profile.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/win/codepage.h"
#include "platform/win/module_loader.h"
#include "platform/win/wide_strings.h"

namespace {

// A line of a section: a name=value entry, or a line that is none (a comment, a blank line,
// text without '='), kept as it stands so that a write loses nothing of a file made by hand.
struct Line {
  std::wstring name, value;
  bool isEntry = true;
};

// The lines before the first section header are kept in a section without a header.
struct Section {
  std::wstring name;
  std::vector<Line> entries;
  bool headerless = false;
};

std::wstring Trim(const std::wstring& s) {
  size_t a = 0, b = s.size();
  while (a < b && std::iswspace(s[a])) ++a;
  while (b > a && std::iswspace(s[b - 1])) --b;
  return s.substr(a, b - a);
}

bool Same(const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) == 0; }

bool IsSection(const Section& s, const std::wstring& name) { return !s.headerless && Same(s.name, name); }
bool IsEntry(const Line& line, const std::wstring& name) { return line.isEntry && Same(line.name, name); }

std::vector<Section> ReadFile(LPCWSTR fileName) {
  std::vector<Section> sections;
  std::ifstream in(WideToUtf8(fileName), std::ios::binary);
  if (!in) return sections;
  std::stringstream buffer;
  buffer << in.rdbuf();
  // Profiles are written as UTF-8; one saved by hand in the ANSI code page, or with a
  // byte-order mark, is read whole, so that a later write keeps every line of it.
  std::wstring text;
  if (!Utf8ToWide(buffer.str(), text)) text = AnsiToWide(buffer.str());
  if (text.starts_with(L'\uFEFF')) text.erase(0, 1);
  std::wistringstream lines(text);
  std::wstring line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    std::wstring t = Trim(line);
    if (!t.empty() && t[0] == L'[') {
      size_t close = t.find(L']');
      Section s;
      s.name = Trim(t.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1));
      sections.push_back(s);
      continue;
    }
    if (sections.empty()) sections.push_back({.name = L"", .entries = {}, .headerless = true});
    size_t eq = t.find(L'=');
    if (t.empty() || t[0] == L';' || eq == std::wstring::npos) {
      sections.back().entries.push_back({.name = line, .value = L"", .isEntry = false});
      continue;
    }
    sections.back().entries.push_back({.name = Trim(t.substr(0, eq)), .value = Trim(t.substr(eq + 1))});
  }
  return sections;
}

bool WriteFile(LPCWSTR fileName, const std::vector<Section>& sections) {
  std::wstring text;
  for (const Section& s : sections) {
    if (!s.headerless) text += L"[" + s.name + L"]\r\n";
    for (const Line& line : s.entries)
      text += line.isEntry ? line.name + L"=" + line.value + L"\r\n" : line.name + L"\r\n";
  }
  std::ofstream out(WideToUtf8(fileName), std::ios::binary | std::ios::trunc);
  if (!out) return false;
  std::string bytes = WideToUtf8(text);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

DWORD CopyOut(const std::wstring& text, LPWSTR buffer, DWORD max) {
  DWORD n = std::min<DWORD>(static_cast<DWORD>(text.size()), max - 1);
  std::wmemcpy(buffer, text.c_str(), n);
  buffer[n] = 0;
  return n;
}

// A list of null-terminated names ending with an extra null, cut to the buffer.
DWORD CopyList(const std::vector<std::wstring>& names, LPWSTR buffer, DWORD max) {
  std::wstring list;
  for (const std::wstring& n : names) {
    list += n;
    list += L'\0';
  }
  if (max < 2) {
    buffer[0] = 0;
    return 0;
  }
  DWORD n = std::min<DWORD>(static_cast<DWORD>(list.size()), max - 2);
  std::wmemcpy(buffer, list.data(), n);
  buffer[n] = 0;
  buffer[n + 1] = 0;
  return n;
}

}  // namespace

DWORD GetPrivateProfileStringW(LPCWSTR section, LPCWSTR name, LPCWSTR defaultValue, LPWSTR buffer, DWORD bufferMax,
                               LPCWSTR fileName) {
  if (!buffer || bufferMax == 0) return 0;
  std::vector<Section> sections = fileName ? ReadFile(fileName) : std::vector<Section>();
  if (!section) {
    std::vector<std::wstring> names;
    for (const Section& s : sections)
      if (!s.headerless) names.push_back(s.name);
    return CopyList(names, buffer, bufferMax);
  }
  for (const Section& s : sections) {
    if (!IsSection(s, section)) continue;
    if (!name) {
      std::vector<std::wstring> names;
      for (const Line& e : s.entries)
        if (e.isEntry) names.push_back(e.name);
      return CopyList(names, buffer, bufferMax);
    }
    for (const Line& e : s.entries)
      if (IsEntry(e, name)) return CopyOut(e.value, buffer, bufferMax);
  }
  if (!name) return CopyList({}, buffer, bufferMax);
  return CopyOut(defaultValue ? defaultValue : L"", buffer, bufferMax);
}

UINT GetPrivateProfileIntW(LPCWSTR section, LPCWSTR name, INT defaultValue, LPCWSTR fileName) {
  wchar_t buffer[64];
  if (!GetPrivateProfileStringW(section, name, L"", buffer, 64, fileName)) return static_cast<UINT>(defaultValue);
  wchar_t* end = nullptr;
  long value = std::wcstol(buffer, &end, 10);
  return end == buffer ? static_cast<UINT>(defaultValue) : static_cast<UINT>(value);
}

BOOL WritePrivateProfileStringW(LPCWSTR section, LPCWSTR name, LPCWSTR value, LPCWSTR fileName) {
  if (!section || !fileName || !*fileName) return FALSE;
  // Texts that would break the file's lines are refused rather than written half.
  auto breaks = [](LPCWSTR text, const wchar_t* bad) { return text && std::wcspbrk(text, bad) != nullptr; };
  if (breaks(section, L"]\r\n") || breaks(name, L"=\r\n") || breaks(value, L"\r\n") || (name && !*name)) {
    return FALSE;
  }
  std::vector<Section> sections = ReadFile(fileName);
  auto found = std::find_if(sections.begin(), sections.end(), [&](const Section& s) { return IsSection(s, section); });
  if (!name) {
    if (found != sections.end()) sections.erase(found);
    return WriteFile(fileName, sections) ? TRUE : FALSE;
  }
  if (found == sections.end()) {
    if (!value) return TRUE;
    sections.push_back({.name = section, .entries = {}});
    found = sections.end() - 1;
  }
  auto& entries = found->entries;
  auto entry = std::find_if(entries.begin(), entries.end(), [&](const Line& e) { return IsEntry(e, name); });
  if (!value) {
    if (entry != entries.end()) entries.erase(entry);
  } else if (entry != entries.end()) {
    entry->value = value;
  } else {
    entries.push_back({.name = name, .value = value});
  }
  return WriteFile(fileName, sections) ? TRUE : FALSE;
}
