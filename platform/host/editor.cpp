#include "platform/host/editor.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <map>
#include <variant>

#include "platform/mfc/cstring.h"
#include "platform/win/codepage.h"

namespace {

using Value = std::variant<short, std::wstring>;

// Made in place: a variant copied from a list would be left without a value when the copy of its
// text runs out of memory.
std::map<std::wstring, Value> defaultVariables() {
  std::map<std::wstring, Value> variables;
  variables.emplace(L"LUPREC", short{4});
  variables.emplace(L"VERLAN", std::wstring(L"en-US"));
  variables.emplace(L"CMDECHO", short{1});
  return variables;
}

std::map<std::wstring, Value>& variables() {
  static std::map<std::wstring, Value> vars = defaultVariables();
  return vars;
}

std::wstring g_transcript;
bool g_echo = true;
int g_liveBuffers = 0;
int g_liveNodes = 0;

wchar_t* hostString(const wchar_t* text) {
  size_t n = std::wcslen(text ? text : L"");
  auto* copy = new wchar_t[n + 1];
  std::wmemcpy(copy, text ? text : L"", n + 1);
  ++g_liveBuffers;
  return copy;
}

void freeHostString(wchar_t* text) {
  if (!text) return;
  delete[] text;
  --g_liveBuffers;
}

bool isStringType(int type) {
  return type == RTSTR || type == RTDXF0 || (type >= 1000 && type <= 1009) || (type >= 0 && type <= 9);
}
bool isRealType(int type) {
  return type == RTREAL || type == RTANG || (type >= 40 && type <= 59) || (type >= 1040 && type <= 1042);
}
bool isLongType(int type) { return type == RTLONG || (type >= 90 && type <= 99) || type == 1071; }
bool isShortType(int type) { return type == RTSHORT || (type >= 60 && type <= 79) || type == 1070; }

}  // namespace

int ovedGetVar(const wchar_t* name, OvResBuf* result) {
  if (!name || !result) return RTERROR;
  CString key(name);
  key.MakeUpper();
  auto it = variables().find(std::wstring(key.str()));
  if (it == variables().end()) return RTERROR;
  if (const short* s = std::get_if<short>(&it->second)) {
    result->restype = RTSHORT;
    result->resval.rint = *s;
  } else {
    result->restype = RTSTR;
    result->resval.rstring = hostString(std::get<std::wstring>(it->second).c_str());
  }
  return RTNORM;
}

int ovedSetVar(const wchar_t* name, const OvResBuf* value) {
  if (!name || !value) return RTERROR;
  CString key(name);
  key.MakeUpper();
  auto it = variables().find(std::wstring(key.str()));
  if (it == variables().end()) return RTERROR;
  if (std::holds_alternative<short>(it->second)) {
    if (value->restype == RTSHORT) it->second = value->resval.rint;
    else if (value->restype == RTLONG) it->second = static_cast<short>(value->resval.rlong);
    else return RTERROR;
  } else {
    if (value->restype != RTSTR || !value->resval.rstring) return RTERROR;
    it->second = std::wstring(value->resval.rstring);
  }
  return RTNORM;
}

int ovutPrintf(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  std::wstring text = FormatWide(format, args);
  va_end(args);
  g_transcript += text;
  if (g_echo) {
    std::string bytes = WideToUtf8(text);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
  }
  return RTNORM;
}

void ovutDelBuffer(wchar_t** buffer) {
  if (!buffer) return;
  freeHostString(*buffer);
  *buffer = nullptr;
}

OvResBuf* ovutNewRb(int type) {
  auto* node = new OvResBuf;
  node->restype = static_cast<short>(type);
  ++g_liveNodes;
  return node;
}

OvResBuf* ovutBuildList(int type, ...) {
  va_list args;
  va_start(args, type);
  OvResBuf* head = nullptr;
  OvResBuf* tail = nullptr;
  try {
    for (; type != 0 && type != RTNONE; type = va_arg(args, int)) {
      // Linked at once (a text still null), so that memory that runs out takes the whole list back.
      OvResBuf* node = ovutNewRb(type);
      if (tail) tail->rbnext = node;
      else head = node;
      tail = node;
      if (isStringType(type)) {
        node->resval.rstring = hostString(va_arg(args, const wchar_t*));
      } else if (isRealType(type)) {
        node->resval.rreal = va_arg(args, double);
      } else if (isLongType(type)) {
        node->resval.rlong = va_arg(args, std::int32_t);
      } else if (isShortType(type)) {
        node->resval.rint = static_cast<short>(va_arg(args, int));
      } else if (type == RTPOINT || type == RT3DPOINT || (type >= 10 && type <= 39) || (type >= 1010 && type <= 1013)) {
        const double* p = va_arg(args, const double*);
        for (int i = 0; i < 3; ++i) node->resval.rpoint[i] = p ? p[i] : 0.0;
      } else {
        ovutRelRb(head);
        va_end(args);
        return nullptr;  // a type this list cannot carry
      }
    }
  } catch (...) {
    ovutRelRb(head);
    va_end(args);
    throw;
  }
  va_end(args);
  return head;
}

int ovutRelRb(OvResBuf* chain) {
  while (chain) {
    OvResBuf* next = chain->rbnext;
    if (isStringType(chain->restype)) freeHostString(chain->resval.rstring);
    delete chain;
    --g_liveNodes;
    chain = next;
  }
  return RTNORM;
}

namespace HostEditor {
std::wstring& transcript() { return g_transcript; }
void clearTranscript() { g_transcript.clear(); }
void setEcho(bool toStandardOutput) { g_echo = toStandardOutput; }
int liveBuffers() { return g_liveBuffers; }
int liveChains() { return g_liveNodes; }
wchar_t* newBuffer(const wchar_t* text) { return hostString(text); }
void setVariable(const std::wstring& name, short value) { variables()[name] = value; }
void setVariable(const std::wstring& name, const std::wstring& value) { variables()[name] = value; }
void removeVariable(const std::wstring& name) { variables().erase(name); }
void resetVariables() { variables() = defaultVariables(); }
}  // namespace HostEditor
