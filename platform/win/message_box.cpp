// Message boxes: the input driver says which button a person presses. An answer that is
// not among the box's buttons is a fault of the script, reported loudly.
#include <algorithm>

#include "platform/win/codepage.h"
#include "platform/win/dialogs.h"
#include "platform/win/input_driver.h"

namespace StandIn {

namespace {
std::vector<MessageBoxRecord>& shown() {
  static std::vector<MessageBoxRecord> list;
  return list;
}

const char* ButtonName(int id) {
  switch (id) {
    case IDOK: return "ok";
    case IDCANCEL: return "cancel";
    case IDABORT: return "abort";
    case IDRETRY: return "retry";
    case IDIGNORE: return "ignore";
    case IDYES: return "yes";
    case IDNO: return "no";
    default: return "?";
  }
}
}  // namespace

std::vector<int> MessageBoxButtons(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    default: return {IDOK};
  }
}

const std::vector<MessageBoxRecord>& ShownMessageBoxes() { return shown(); }
void ClearShownMessageBoxes() { shown().clear(); }

}  // namespace StandIn

int MessageBoxW(HWND, LPCWSTR text, LPCWSTR caption, UINT type) {
  std::wstring body = text ? text : L"";
  std::wstring title = caption ? caption : L"Error";
  int answer = StandIn::CurrentInputDriver().AnswerMessageBox(body, title, type);
  std::vector<int> buttons = StandIn::MessageBoxButtons(type);
  if (std::find(buttons.begin(), buttons.end(), answer) == buttons.end()) {
    std::string offered;
    for (int b : buttons) offered += std::string(offered.empty() ? "" : ", ") + StandIn::ButtonName(b);
    throw StandIn::InputScriptError("the message box \"" + WideToUtf8(title) + "\" (" + WideToUtf8(body) + ") offers " +
                                    offered + ", not " + StandIn::ButtonName(answer));
  }
  StandIn::shown().push_back(StandIn::MessageBoxRecord{body, title, type, answer});
  return answer;
}
