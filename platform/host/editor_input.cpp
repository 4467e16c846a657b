#include "platform/host/editor_input.h"

#include <stdexcept>

#include "platform/host/editor.h"
#include "platform/win/input_driver.h"

namespace {
struct BracketState {
  HWND dialog = nullptr;
  int dialogId = 0;
  bool active = false;
  int unbalanced = 0;
};
BracketState& brackets() {
  static BracketState state;
  return state;
}
}  // namespace

namespace HostEditorInput {

void beginDialogCommand(HWND dialog, int dialogId) {
  if (brackets().active)
    throw std::logic_error("an editor command is already active for dialog " + std::to_string(brackets().dialogId));
  brackets().dialog = dialog;
  brackets().dialogId = dialogId;
  brackets().active = true;
}

void endDialogCommand() {
  brackets().dialog = nullptr;
  brackets().dialogId = 0;
  brackets().active = false;
}

bool inDialogCommand() { return brackets().active; }
int activeDialogId() { return brackets().active ? brackets().dialogId : 0; }

void requireDialogCommand(const char* request) {
  if (!brackets().active)
    throw std::logic_error(std::string(request) +
                           " outside BeginEditorCommand and CompleteEditorCommand/CancelEditorCommand");
}

int unbalancedBrackets() { return brackets().unbalanced; }
void countUnbalancedBracket() { ++brackets().unbalanced; }
void resetBrackets() {
  endDialogCommand();
  brackets().unbalanced = 0;
}

}  // namespace HostEditorInput

int ovedGetPoint(const ov_point basePoint, const wchar_t* prompt, ov_point result) {
  HostEditorInput::requireDialogCommand("ovedGetPoint");
  if (!result) return RTERROR;
  if (prompt && *prompt) ovutPrintf(L"%s", prompt);
  StandIn::PointRequest request;
  request.dialogId = HostEditorInput::activeDialogId();
  request.prompt = prompt ? prompt : L"";
  if (basePoint) {
    request.hasBase = true;
    for (int i = 0; i < 3; ++i) request.base[i] = basePoint[i];
  }
  StandIn::PointAnswer answer = StandIn::CurrentInputDriver().AnswerPoint(request);
  if (!answer.given) return RTCAN;
  for (int i = 0; i < 3; ++i) result[i] = answer.point[i];
  return RTNORM;
}
