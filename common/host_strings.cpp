#include "common/host_strings.h"

#include "platform/host/editor.h"

void releaseHostString(wchar_t*& text) { ovutDelBuffer(&text); }

CString hostLanguage() {
  CString language;
  OvResBuf value;
  if (ovedGetVar(L"VERLAN", &value) == RTNORM && value.restype == RTSTR) {
    language = value.resval.rstring;
    releaseHostString(value.resval.rstring);
  }
  return language;
}
