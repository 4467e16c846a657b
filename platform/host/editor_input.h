// The host editor's interactive input: point input and the state of the editor brackets
// that dialogs open (ui_dialogs.h). Interactive requests ask the input driver
// (StandIn::InputDriver::AnswerPoint / AnswerPick) and are legal only while a dialog's
// editor command is active; outside one they throw std::logic_error.
#pragma once
#include <string>

#include "platform/host/host_status.h"
#include "platform/win/win32_types.h"

// Prints the prompt on the command line and asks for a point. RTNORM with the point
// (in the current UCS, as a person enters it), RTCAN when the person pressed Escape.
int ovedGetPoint(const ov_point basePoint, const wchar_t* prompt, ov_point result);

namespace HostEditorInput {
// The dialog whose editor command is active (its window and template id).
void beginDialogCommand(HWND dialog, int dialogId);
void endDialogCommand();
bool inDialogCommand();
int activeDialogId();  // 0 when no editor command is active
// Throws std::logic_error naming the request when no editor command is active.
void requireDialogCommand(const char* request);
// Brackets left open by a dialog destroyed inside them, since the last reset.
int unbalancedBrackets();
void countUnbalancedBracket();
void resetBrackets();
}  // namespace HostEditorInput
