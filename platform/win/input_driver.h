// The input driver: the one interface through which every action of a person reaches the
// stand-in (the command picked from a popup menu, the hand moving during a drag, the next
// action on a modal dialog, message-box and file-dialog answers, and the host editor's
// object picks and point input). Tests install a scripted driver; the host program a
// driver that reads a script file (platform/host/script_input.h). A driver that is asked for
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

// What a driver, or the stand-in carrying out its answer, says when it cannot go on. With
// an origin (a script's line and the request it answers), the message starts with it.
class InputScriptError : public std::runtime_error {
public:
  explicit InputScriptError(const std::string& problem) : std::runtime_error(problem) {}
  InputScriptError(const std::string& origin, const std::string& problem)
      : std::runtime_error(origin + ": " + problem), hasOrigin_(true) {}
  bool HasOrigin() const { return hasOrigin_; }

private:
  bool hasOrigin_ = false;
};

// One movement of the hand while an OLE drag runs.
struct DragStep {
  enum Kind { Move, Drop, Cancel } kind = Move;
  POINT screenPoint;   // Move and Drop: where the cursor is
  DWORD keyState = 0;  // MK_ flags held
};

// What a running drag looks like to the driver.
struct DragContext {
  HWND source = nullptr;  // the window the drag started from
  DWORD allowedEffects = 0;
  int stepsTaken = 0;
};

// The next action of a person on a modal dialog. The dialog loop performs it through the
// user-input helpers (user_input.h), as clicks and keys on the dialog's controls. An item
// of a list is named by its index, or (index -1) by `text`: the first item that shows that
// text in any column.
struct ModalAction {
  enum Kind {
    ClickButton,       // control id
    PressKey,          // key (virtual key) with modifiers, to the focused control
    TypeText,          // text into control id (its old text replaced); 0: the focused window
    CheckItem,         // list control id, item, check (true/false): a click on its check box when it differs
    ClickItem,         // list control id, item, subItem, modifiers: a click on the cell
    DoubleClickItem,   // list control id, item, subItem
    RightClickItem,    // list control id, item, subItem: the cell's context menu
    ClickHeader,       // list control id, subItem (the column)
    RightClickHeader,  // list control id, subItem: the header's context menu
    DragItem,          // list control id, item dragged onto targetItem (dropped on its centre)
    DragHeader,        // list control id, the heading of column subItem dropped on that of column targetItem
    ChooseEntry,       // combo box control id, entry (item index, or -1 and its text)
    PickDate,          // date-time picker control id, text: the date picked from its calendar
    Close,             // the dialog's close box (IDCANCEL)
    ClickGroupHeader,  // list control id, item: the group id whose header is clicked
    ClickGroupTask,    // list control id, item: the group id whose task link is clicked
    CheckCell          // list control id, item, subItem, check: a click on the cell's check image
                       // (image 1 checked, 0 unchecked) when it differs
  } kind = ClickButton;
  int controlId = 0;
  UINT key = 0;
  UINT modifiers = 0;  // MK_SHIFT, MK_CONTROL
  std::wstring text;
  int item = -1;
  int subItem = 0;
  int targetItem = -1;
  bool check = false;
  std::string origin;  // where the driver found the action (a script's line), for messages; may be empty
};

// What a file dialog asks: the filter pairs ("Csv file (*.csv)", "*.csv") and the filter
// index it opens with (1-based).
struct FileDialogRequest {
  bool open = true;
  std::wstring title;
  std::wstring initialName;
  std::wstring defaultExtension;
  std::vector<std::pair<std::wstring, std::wstring>> filters;
  int filterIndex = 1;
  DWORD flags = 0;
};

// A file dialog's answer. filterIndex 0 means: the filter whose pattern matches the path's
// extension, else the one the dialog opened with.
struct FileDialogAnswer {
  bool accepted = false;
  std::wstring path;
  int filterIndex = 0;
};

// The host editor asks for objects: `single` for a pick of one object (mode ":S"),
// `types` the object types a filter admits (empty: any), `dialogId` the dialog that handed
// the editor over (0 when none).
struct PickRequest {
  int dialogId = 0;
  bool single = false;
  std::wstring prompt;
  std::vector<std::wstring> types;
};

// The objects a person picks: every object of the drawing, the objects with these handles
// (hexadecimal), nothing (the pick ended empty), or Escape.
struct PickAnswer {
  enum Kind { All, Handles, Nothing, Cancel } kind = Cancel;
  std::vector<std::wstring> handles;
};

// The host editor asks for a point.
struct PointRequest {
  int dialogId = 0;
  std::wstring prompt;
  bool hasBase = false;
  double base[3] = {0, 0, 0};
};

struct PointAnswer {
  bool given = false;  // false: Escape
  double point[3] = {0, 0, 0};
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
  // A file dialog: the chosen path, or not accepted when cancelled.
  virtual FileDialogAnswer AnswerFileDialog(const FileDialogRequest& request) = 0;
  // The host editor's object pick and point input.
  virtual PickAnswer AnswerPick(const PickRequest& request) = 0;
  virtual PointAnswer AnswerPoint(const PointRequest& request) = 0;
};

// Answers from queues filled by the test, in order; throws InputScriptError when a queue
// it is asked from is empty.
class ScriptedInputDriver : public InputDriver {
public:
  // Picks the item with this command id (0 dismisses the menu).
  void ChooseMenuId(UINT id);
  // Picks the item with this text; the menu must offer it enabled.
  void ChooseMenuText(const std::wstring& text);
  void AddDragMove(POINT screenPoint, DWORD keyState = 0);
  void AddDragDrop(POINT screenPoint, DWORD keyState = 0);
  void AddDragCancel();
  void AddModalAction(const ModalAction& action);
  void AddMessageBoxAnswer(int button);
  void AddFileDialogAnswer(bool accept, const std::wstring& path, int filterIndex = 0);
  void AddPickAnswer(const PickAnswer& answer);
  void AddPointAnswer(const PointAnswer& answer);
  // Answers not yet used, over all queues.
  int PendingAnswers() const;

  UINT ChooseMenuCommand(const MenuSnapshot& menu) override;
  DragStep NextDragStep(const DragContext& drag) override;
  ModalAction NextModalAction(HWND dialog, int dialogId) override;
  int AnswerMessageBox(const std::wstring& text, const std::wstring& caption, UINT type) override;
  FileDialogAnswer AnswerFileDialog(const FileDialogRequest& request) override;
  PickAnswer AnswerPick(const PickRequest& request) override;
  PointAnswer AnswerPoint(const PointRequest& request) override;

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
  std::deque<FileDialogAnswer> fileAnswers_;
  std::deque<PickAnswer> pickAnswers_;
  std::deque<PointAnswer> pointAnswers_;
};

// The driver in force. Without one installed, every request throws InputScriptError.
InputDriver& CurrentInputDriver();

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
// Short descriptions of requests for error messages.
std::string DescribeFileDialog(const FileDialogRequest& request);
std::string DescribePick(const PickRequest& request);
std::string DescribePoint(const PointRequest& request);
std::string DescribeModalAction(const ModalAction& action);

}  // namespace StandIn
