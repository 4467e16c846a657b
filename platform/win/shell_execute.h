// ShellExecuteW without a shell: every call is recorded, nothing is started, and the
// answer is a success value (above 32). Tests read what would have been launched.
#pragma once
#include <string>
#include <vector>

#include "platform/win/window_types.h"

HINSTANCE ShellExecuteW(HWND window, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory,
                        INT showCommand);

namespace StandIn {

// One ShellExecuteW call as it was made; a null string argument is recorded as absent.
struct ShellLaunch {
  HWND window = nullptr;
  bool hasOperation = false;
  std::wstring operation;
  std::wstring file;
  bool hasParameters = false;
  std::wstring parameters;
  bool hasDirectory = false;
  std::wstring directory;
  INT showCommand = 0;
};

// The calls made since the last clear, in order.
const std::vector<ShellLaunch>& ShellLaunches();
void ClearShellLaunches();

}  // namespace StandIn
