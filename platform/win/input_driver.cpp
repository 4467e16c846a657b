#include "platform/win/input_driver.h"

#include "platform/win/codepage.h"
#include "platform/win/window_manager.h"

namespace StandIn {

namespace {

class NoInputDriver : public InputDriver {
public:
  UINT ChooseMenuCommand(const MenuSnapshot& menu) override {
    throw InputScriptError("no input driver: a popup menu of " + DescribeWindow(menu.owner) + " asks for a choice");
  }
  DragStep NextDragStep(const DragContext& drag) override {
    throw InputScriptError("no input driver: a drag from " + DescribeWindow(drag.source) +
                           " asks for the next movement");
  }
  ModalAction NextModalAction(HWND dialog, int dialogId) override {
    throw InputScriptError("no input driver: dialog " + std::to_string(dialogId) + " (" + DescribeWindow(dialog) +
                           ") asks for the next action");
  }
  int AnswerMessageBox(const std::wstring& text, const std::wstring& caption, UINT) override {
    throw InputScriptError("no input driver: message box \"" + WideToUtf8(caption) + "\" asks: " + WideToUtf8(text));
  }
  FileDialogAnswer AnswerFileDialog(const FileDialogRequest& request) override {
    throw InputScriptError("no input driver: " + DescribeFileDialog(request) + " asks for a path");
  }
  PickAnswer AnswerPick(const PickRequest& request) override {
    throw InputScriptError("no input driver: " + DescribePick(request) + " asks for objects");
  }
  PointAnswer AnswerPoint(const PointRequest& request) override {
    throw InputScriptError("no input driver: " + DescribePoint(request) + " asks for a point");
  }
};

NoInputDriver& none() {
  static NoInputDriver driver;
  return driver;
}

InputDriver*& current() {
  static InputDriver* driver = &none();
  return driver;
}

std::string MenuText(const std::vector<MenuItemSnapshot>& items) {
  std::string text;
  for (const MenuItemSnapshot& it : items) {
    if (!text.empty()) text += ", ";
    if (it.flags & 0x0800) text += "-";
    else text += "\"" + WideToUtf8(it.text) + "\" (" + std::to_string(it.id) + ")";
  }
  return text;
}

}  // namespace

std::string DescribeWindow(HWND window) {
  if (!window) return "no window";
  if (!IsWindow(window)) return "a destroyed window";
  wchar_t text[64] = {};
  GetWindowTextW(window, text, 64);
  return "window " + WideToUtf8(ClassNameOf(window)) + " id " + std::to_string(GetDlgCtrlID(window)) +
         (text[0] ? " \"" + WideToUtf8(text) + "\"" : std::string());
}

std::string DescribeFileDialog(const FileDialogRequest& request) {
  std::string text = std::string("a file dialog (") + (request.open ? "open" : "save") + ")";
  if (!request.title.empty()) text += " \"" + WideToUtf8(request.title) + "\"";
  if (!request.initialName.empty()) text += " for \"" + WideToUtf8(request.initialName) + "\"";
  return text;
}

std::string DescribePick(const PickRequest& request) {
  std::string text = request.single ? "a pick of one object" : "a pick of objects";
  if (!request.types.empty()) {
    text += " of type";
    for (const auto& type : request.types) text += " " + WideToUtf8(type);
  }
  if (request.dialogId) text += " for dialog " + std::to_string(request.dialogId);
  if (!request.prompt.empty()) text += " (prompt \"" + WideToUtf8(request.prompt) + "\")";
  return text;
}

std::string DescribePoint(const PointRequest& request) {
  std::string text = "a point request";
  if (request.dialogId) text += " for dialog " + std::to_string(request.dialogId);
  if (!request.prompt.empty()) text += " (prompt \"" + WideToUtf8(request.prompt) + "\")";
  return text;
}

std::string DescribeModalAction(const ModalAction& action) {
  static const char* const kNames[] = {"click",       "key",         "type",
                                       "check",       "cell",        "double-click",
                                       "right-click", "header",      "right-click header",
                                       "drag",        "drag header", "choose",
                                       "pick date",   "close",       "group header",
                                       "group task",  "check cell"};
  std::string text = kNames[action.kind];
  if (action.kind != ModalAction::PressKey && action.kind != ModalAction::Close)
    text += " control " + std::to_string(action.controlId);
  if (action.item >= 0) text += " item " + std::to_string(action.item);
  else if (!action.text.empty() && action.kind != ModalAction::TypeText) text += " \"" + WideToUtf8(action.text) + "\"";
  return text;
}

InputDriver& CurrentInputDriver() { return *current(); }

ScopedInputDriver::ScopedInputDriver(InputDriver& driver) : previous_(current()) { current() = &driver; }
ScopedInputDriver::~ScopedInputDriver() { current() = previous_; }

void ScriptedInputDriver::ChooseMenuId(UINT id) { menuChoices_.push_back(MenuChoice{id, L"", false}); }
void ScriptedInputDriver::ChooseMenuText(const std::wstring& text) {
  menuChoices_.push_back(MenuChoice{0, text, true});
}
void ScriptedInputDriver::AddDragMove(POINT screenPoint, DWORD keyState) {
  dragSteps_.push_back(DragStep{DragStep::Move, screenPoint, keyState});
}
void ScriptedInputDriver::AddDragDrop(POINT screenPoint, DWORD keyState) {
  dragSteps_.push_back(DragStep{DragStep::Drop, screenPoint, keyState});
}
void ScriptedInputDriver::AddDragCancel() { dragSteps_.push_back(DragStep{DragStep::Cancel, POINT(), 0}); }
void ScriptedInputDriver::AddModalAction(const ModalAction& action) { modalActions_.push_back(action); }
void ScriptedInputDriver::AddMessageBoxAnswer(int button) { messageBoxAnswers_.push_back(button); }
void ScriptedInputDriver::AddFileDialogAnswer(bool accept, const std::wstring& path, int filterIndex) {
  fileAnswers_.push_back(FileDialogAnswer{accept, path, filterIndex});
}
void ScriptedInputDriver::AddPickAnswer(const PickAnswer& answer) { pickAnswers_.push_back(answer); }
void ScriptedInputDriver::AddPointAnswer(const PointAnswer& answer) { pointAnswers_.push_back(answer); }

int ScriptedInputDriver::PendingAnswers() const {
  return static_cast<int>(menuChoices_.size() + dragSteps_.size() + modalActions_.size() + messageBoxAnswers_.size() +
                          fileAnswers_.size() + pickAnswers_.size() + pointAnswers_.size());
}

UINT ScriptedInputDriver::ChooseMenuCommand(const MenuSnapshot& menu) {
  if (menuChoices_.empty())
    throw InputScriptError("the script has no menu choice for the popup menu of " + DescribeWindow(menu.owner) +
                           " offering " + MenuText(menu.items));
  MenuChoice choice = menuChoices_.front();
  menuChoices_.pop_front();
  if (!choice.byText) return choice.id;
  const MenuItemSnapshot* item = menu.FindByText(choice.text);
  if (!item)
    throw InputScriptError("the popup menu of " + DescribeWindow(menu.owner) + " has no enabled item \"" +
                           WideToUtf8(choice.text) + "\"; it offers " + MenuText(menu.items));
  return item->id;
}

DragStep ScriptedInputDriver::NextDragStep(const DragContext& drag) {
  if (dragSteps_.empty())
    throw InputScriptError("the script has no drag step for the drag from " + DescribeWindow(drag.source) + " after " +
                           std::to_string(drag.stepsTaken) + " steps");
  DragStep step = dragSteps_.front();
  dragSteps_.pop_front();
  return step;
}

ModalAction ScriptedInputDriver::NextModalAction(HWND dialog, int dialogId) {
  if (modalActions_.empty())
    throw InputScriptError("the script has no action for dialog " + std::to_string(dialogId) + " (" +
                           DescribeWindow(dialog) + ")");
  ModalAction action = modalActions_.front();
  modalActions_.pop_front();
  return action;
}

int ScriptedInputDriver::AnswerMessageBox(const std::wstring& text, const std::wstring& caption, UINT) {
  if (messageBoxAnswers_.empty())
    throw InputScriptError("the script has no answer for the message box \"" + WideToUtf8(caption) +
                           "\": " + WideToUtf8(text));
  int answer = messageBoxAnswers_.front();
  messageBoxAnswers_.pop_front();
  return answer;
}

FileDialogAnswer ScriptedInputDriver::AnswerFileDialog(const FileDialogRequest& request) {
  if (fileAnswers_.empty()) throw InputScriptError("the script has no answer for " + DescribeFileDialog(request));
  FileDialogAnswer answer = fileAnswers_.front();
  fileAnswers_.pop_front();
  return answer;
}

PickAnswer ScriptedInputDriver::AnswerPick(const PickRequest& request) {
  if (pickAnswers_.empty()) throw InputScriptError("the script has no answer for " + DescribePick(request));
  PickAnswer answer = pickAnswers_.front();
  pickAnswers_.pop_front();
  return answer;
}

PointAnswer ScriptedInputDriver::AnswerPoint(const PointRequest& request) {
  if (pointAnswers_.empty()) throw InputScriptError("the script has no answer for " + DescribePoint(request));
  PointAnswer answer = pointAnswers_.front();
  pointAnswers_.pop_front();
  return answer;
}

}  // namespace StandIn
