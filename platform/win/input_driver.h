// The input driver: the one interface through which every action of a person reaches the
// stand-in (the command picked from a popup menu, the hand moving during a drag, the next
// action on a modal dialog, message-box and file-dialog answers). Tests install a scripted
// driver; the host program a driver that reads a script file. A driver that is asked for
// input it does not have throws InputScriptError naming the window and what was asked, so
// a script can never hang or silently cancel.
#pragma once
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win/menus.h"
#include "platform/win/window_types.h"

namespace StandIn {

class InputScriptError : public std::runtime_error {
public:
  explicit InputScriptError(const std::string& what) : std::runtime_error(what) {}
};

// One movement of the hand while an OLE drag runs.
struct DragStep {
  enum Kind { Move, Drop, Cancel } kind = Move;
  POINT screenPoint;  // Move and Drop: where the cursor is
  DWORD keyState = 0;  // MK_ flags held
};

// What a running drag looks like to the driver.
struct DragContext {
  HWND source = nullptr;  // the window the drag started from
  DWORD allowedEffects = 0;
  int stepsTaken = 0;
};

// The next action of a person on a modal dialog. The dialog loop performs it through the
// user-input helpers (user_input.h).
struct ModalAction {
  enum Kind {
    ClickButton,  // control id
    PressKey,     // key (virtual key) with modifiers, to the focused control
    TypeText,     // text into control id
    CheckItem,    // list control id, item, check (true/false)
    ClickItem,    // list control id, item, subItem, modifiers
    ClickHeader,  // list control id, subItem (the column)
    Close         // the dialog's close box (IDCANCEL)
  } kind = ClickButton;
  int controlId = 0;
  UINT key = 0;
  UINT modifiers = 0;  // MK_SHIFT, MK_CONTROL
  std::wstring text;
  int item = -1;
  int subItem = 0;
  bool check = false;
};

class InputDriver {
public:
  virtual ~InputDriver() = default;
  // A popup menu is open: the command a person picks, 0 to dismiss it.
  virtual UINT ChooseMenuCommand(const MenuSnapshot& menu) = 0;
  // An OLE drag runs: the next movement of the hand.
  virtual DragStep NextDragStep(const DragContext& drag) = 0;
  // A modal dialog (its window and template id) waits for the next action.
  virtual ModalAction NextModalAction(HWND dialog, int dialogId) = 0;
  // A message box: the button id pressed (IDOK, IDYES, IDNO, ...).
  virtual int AnswerMessageBox(const std::wstring& text, const std::wstring& caption, UINT type) = 0;
  // A file dialog: true with the chosen path, or false when cancelled.
  virtual bool AnswerFileDialog(bool open, const std::wstring& title, std::wstring& path) = 0;
};

// Answers from queues filled by the test, in order; throws InputScriptError when a queue
// it is asked from is empty.
class ScriptedInputDriver : public InputDriver {
public:
  // Picks the item with this command id (0 dismisses the menu).
  void ChooseMenuId(UINT id);
  // Picks the item with this text; the menu must offer it enabled.
  void ChooseMenuText(const std::wstring& text);
  void AddDragStep(const DragStep& step);
  void AddDragMove(POINT screenPoint, DWORD keyState = 0);
  void AddDragDrop(POINT screenPoint, DWORD keyState = 0);
  void AddDragCancel();
  void AddModalAction(const ModalAction& action);
  void AddMessageBoxAnswer(int button);
  void AddFileDialogAnswer(bool accept, const std::wstring& path);
  // Answers not yet used, over all queues.
  int PendingAnswers() const;

  UINT ChooseMenuCommand(const MenuSnapshot& menu) override;
  DragStep NextDragStep(const DragContext& drag) override;
  ModalAction NextModalAction(HWND dialog, int dialogId) override;
  int AnswerMessageBox(const std::wstring& text, const std::wstring& caption, UINT type) override;
  bool AnswerFileDialog(bool open, const std::wstring& title, std::wstring& path) override;

private:
  struct MenuChoice {
    UINT id = 0;
    std::wstring text;
    bool byText = false;
  };
  std::deque<MenuChoice> menuChoices_;
  std::deque<DragStep> dragSteps_;
  std::deque<ModalAction> modalActions_;
  std::deque<int> messageBoxAnswers_;
  std::deque<std::pair<bool, std::wstring>> fileAnswers_;
};

// The driver in force. Without one installed, every request throws InputScriptError.
InputDriver& CurrentInputDriver();
// Installs a driver (null restores the default that has no input); the caller keeps it.
void SetInputDriver(InputDriver* driver);

// Installs a driver for the length of a scope.
class ScopedInputDriver {
public:
  explicit ScopedInputDriver(InputDriver& driver);
  ~ScopedInputDriver();
  ScopedInputDriver(const ScopedInputDriver&) = delete;
  ScopedInputDriver& operator=(const ScopedInputDriver&) = delete;

private:
  InputDriver* previous_;
};

// A short description of a window for error messages: class, id and text.
std::string DescribeWindow(HWND window);

}  // namespace StandIn
