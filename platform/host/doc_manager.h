// The host's document manager: a stack of resource handles over MFC's current resource
// handle, the current document and its file name.
#pragma once
#include <string>
#include <vector>

#include "platform/host/host_status.h"
#include "platform/win/win32_types.h"

class OvDbDatabase;

class OvApDocument {
public:
  const wchar_t* fileName() const { return fileName_.c_str(); }
  void setFileName(const std::wstring& name) { fileName_ = name; }
  OvDbDatabase* database() const { return database_; }
  void setDatabase(OvDbDatabase* database) { database_ = database; }

private:
  std::wstring fileName_;
  OvDbDatabase* database_ = nullptr;
};

class OvApDocManager {
public:
  // Makes the instance MFC's current resource handle until the matching pop.
  Ovis::ErrorStatus pushResourceHandle(HINSTANCE instance);
  Ovis::ErrorStatus popResourceHandle();
  int pushedResourceHandles() const { return static_cast<int>(saved_.size()); }
  OvApDocument* curDocument() { return &document_; }

private:
  std::vector<HINSTANCE> saved_;
  OvApDocument document_;
};

OvApDocManager* ovDocManagerPtr();

// The host's main frame window (null until a window manager gives the host one).
HWND vusw_ovisMainWnd();
void SetHostMainWindow(HWND window);
