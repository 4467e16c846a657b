#include "common/host_strings.h"

#include "platform/host/editor.h"

void releaseHostString(wchar_t*& text) { ovutDelBuffer(&text); }

CString takeHostString(wchar_t* text) {
  struct Release {
    wchar_t* text;
    ~Release() { releaseHostString(text); }
  } release{text};
  return CString(text);
}

CString hostLanguage() {
  OvResBuf value;
  if (ovedGetVar(L"VERLAN", &value) == RTNORM && value.restype == RTSTR) return takeHostString(value.resval.rstring);
  return CString();
}
