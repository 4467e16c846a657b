// The host program's scripted input: one script holds the commands to run and, after
// each command, the answers a person gives while it runs. The format is described in
// host/SCRIPTS.md; in short:
//
//   ; a comment               (blank lines and lines starting with ';' are skipped)
//   DATAEXTRACTION            a command line: any line that does not start with '>'
//   > click 1                 an answer line: '>' and a verb with its arguments
//
// Answers are taken strictly in order, each by the request it fits: a dialog's next
// action (click, key, type, check, uncheck, cell, dblclick, rclick, header, rheader, drag,
// dragheader, choose, close), a popup menu (menu), a message box (answer), a file dialog (file,
// file-filter, cancel), an object pick (pick, cancel) and a point (point, cancel). A
// request whose next line is a command, the end of the script or an answer of another
// kind, an answer that does not fit, and an answer line that no request takes before the
// next command, throw StandIn::InputScriptError naming the script line, the dialog (what
// asked) and the answer; so does any line holding a NUL byte, before anything on it runs.
#pragma once
#include <functional>
#include <istream>
#include <memory>
#include <string>
#include <vector>

#include "platform/win/input_driver.h"

namespace HostScript {

// One answer line, split into its verb and arguments ("quoted text" is one argument).
struct AnswerLine {
  std::string source;  // the script's name, for messages
  int line = 0;
  std::string text;  // the line as written, without the '>' and the comment
  std::string verb;
  std::vector<std::string> args;  // after the verb, unquoted
  std::vector<bool> quoted;       // per argument: it was written in quotes
  std::string rest;               // everything after the verb up to the comment, trimmed
  std::string request;            // what asked for the answer (a dialog, a file dialog, ...); may be empty
};
// Where in a script a problem comes from, as every script error starts: the script and
// its line, what asked for an answer there and the answer it got (each when given; line 0
// when the script has none to name, as when it cannot be read at all).
std::string ScriptOrigin(const std::string& source, int line, const std::string& request, const std::string& answer);
// Splits an answer line (the text after '>') that `request` asks for into its words, up to
// its comment (host/SCRIPTS.md, "Lines"); throws
// StandIn::InputScriptError for an unterminated quote or a line without a verb.
AnswerLine ParseAnswerLine(const std::string& text, int line, const std::string& source = "script",
                           const std::string& request = "");

// The action a dialog answer line stands for; throws StandIn::InputScriptError naming the
// line when the verb is not a dialog action or its arguments do not fit.
StandIn::ModalAction ModalActionFromLine(const AnswerLine& answer);
// Virtual-key code of a key name ("enter", "escape", "tab", "space", "delete", "f2",
// "up", "down", "left", "right", "home", "end", a letter or a digit); 0 when unknown.
UINT KeyCodeFromName(const std::string& name);

class ScriptInputDriver : public StandIn::InputDriver {
public:
  // `source` names the script in error messages (a file name, or "standard input").
  ScriptInputDriver(std::istream& in, std::string source);

  // The next command line, trimmed; false at the end of the script. Throws when answer
  // lines are left before it (no request took them).
  bool NextCommand(std::string& command);
  // At the end: throws when the script still holds answers, or when a dialog left an
  // editor command open.
  void Finish();
  // Where the script is: the line of the last answer taken (or asked for) with what asked
  // for it, or the command line before any request of its command.
  std::string Origin() const;

  UINT ChooseMenuCommand(const StandIn::MenuSnapshot& menu) override;
  StandIn::DragStep NextDragStep(const StandIn::DragContext& drag) override;
  StandIn::ModalAction NextModalAction(HWND dialog, int dialogId) override;
  int AnswerMessageBox(const std::wstring& text, const std::wstring& caption, UINT type) override;
  StandIn::FileDialogAnswer AnswerFileDialog(const StandIn::FileDialogRequest& request) override;
  StandIn::PickAnswer AnswerPick(const StandIn::PickRequest& request) override;
  StandIn::PointAnswer AnswerPoint(const StandIn::PointRequest& request) override;

private:
  // Reads ahead to the next line that is not blank or a comment.
  bool Peek();
  // Takes the next answer line for a request, checking that its verb is one of `verbs`.
  AnswerLine Take(const std::string& request, const std::vector<std::string>& verbs);
  // Throws the problem with the origin.
  [[noreturn]] void Fail(const std::string& problem) const;

  struct Place {
    int line = 0;
    std::string request;
    std::string answer;
  };
  std::istream& in_;
  std::string source_;
  int lineNumber_ = 0;
  bool havePending_ = false;
  int pendingLine_ = 0;
  std::string pending_;  // the line read ahead, trimmed
  Place place_;          // what Origin names
};

// What the host program sets up to run a script: the host's main window, and the driver
// installed for the length of the session.
class ScriptSession {
public:
  ScriptSession(std::istream& in, std::string source);
  ~ScriptSession();
  ScriptSession(const ScriptSession&) = delete;
  ScriptSession& operator=(const ScriptSession&) = delete;
  // Runs each command of the script, then checks the script's end. A script error raised
  // while an answer was carried out, which does not say where it comes from, leaves with
  // the driver's origin.
  void Run(const std::function<void(const std::string&)>& runCommand);

private:
  ScriptInputDriver driver_;
  std::unique_ptr<StandIn::ScopedInputDriver> scoped_;
  HWND mainWindow_ = nullptr;
  HWND previousMainWindow_ = nullptr;
};

}  // namespace HostScript
