#include "platform/win/shell_execute.h"

namespace StandIn {
namespace {

std::vector<ShellLaunch>& launches() {
  static std::vector<ShellLaunch> recorded;
  return recorded;
}

}  // namespace

const std::vector<ShellLaunch>& ShellLaunches() { return launches(); }

void ClearShellLaunches() { launches().clear(); }

}  // namespace StandIn

HINSTANCE ShellExecuteW(HWND window, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory,
                        INT showCommand) {
  StandIn::ShellLaunch launch;
  launch.window = window;
  launch.hasOperation = operation != nullptr;
  launch.operation = operation ? operation : L"";
  launch.file = file ? file : L"";
  launch.hasParameters = parameters != nullptr;
  launch.parameters = parameters ? parameters : L"";
  launch.hasDirectory = directory != nullptr;
  launch.directory = directory ? directory : L"";
  launch.showCommand = showCommand;
  StandIn::launches().push_back(launch);
  return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}
