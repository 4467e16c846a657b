#include "platform/host/script_input.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cwctype>
#include <istream>

#include "platform/host/doc_manager.h"
#include "platform/host/editor_input.h"
#include "platform/win/codepage.h"
#include "platform/win/dialogs.h"
#include "platform/win/window_manager.h"

namespace HostScript {

namespace {

using StandIn::InputScriptError;
using StandIn::ModalAction;

std::string Trim(const std::string& text) {
  size_t a = text.find_first_not_of(" \t\r\n");
  if (a == std::string::npos) return "";
  return text.substr(a, text.find_last_not_of(" \t\r\n") - a + 1);
}

// Reads a line as std::getline does, except that memory that runs out while the line is read
// goes on as itself, not as a script that cannot be read; what was not taken of the line is
// read again next time.
bool ReadLine(std::istream& in, std::string& line) {
  const std::ios::iostate mask = in.exceptions();
  try {
    in.exceptions(mask | std::ios::badbit);
    std::getline(in, line);
  } catch (const std::ios_base::failure&) {  // a read error: the stream stays bad
  } catch (...) {
    in.clear(in.rdstate() & ~std::ios::badbit);
    in.exceptions(mask);
    throw;
  }
  in.exceptions(mask);
  return static_cast<bool>(in);
}

std::string Lower(std::string text) {
  for (auto& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::wstring Wide(const std::string& text) {
  std::wstring out;
  if (!Utf8ToWide(text, out)) out = AnsiToWide(text);
  return out;
}

[[noreturn]] void Bad(const AnswerLine& answer, const std::string& problem) {
  throw InputScriptError(ScriptOrigin(answer.source, answer.line, answer.request, answer.text), problem);
}

// A whole decimal integer, or false.
bool Integer(const std::string& text, int& value) {
  if (text.empty() || text.size() > 9) return false;
  size_t i = text[0] == '-' ? 1 : 0;
  if (i >= text.size()) return false;
  for (size_t k = i; k < text.size(); ++k)
    if (!std::isdigit(static_cast<unsigned char>(text[k]))) return false;
  value = std::atoi(text.c_str());
  return true;
}

// A decimal number as C writes it, or false: no hexadecimal, no infinity or nan, and
// nothing beyond a double's range (which strtod would make infinite).
bool Number(const std::string& text, double& value) {
  if (text.empty()) return false;
  const char* start = text.c_str();
  char* end = nullptr;
  value = std::strtod(start, &end);
  return end == start + text.size() && text.find_first_of("xXnN") == std::string::npos && std::isfinite(value);
}

int ControlId(const AnswerLine& answer, size_t at) {
  int id = 0;
  if (at >= answer.args.size() || answer.quoted[at] || !Integer(answer.args[at], id))
    Bad(answer, "'" + answer.verb + "' needs a control id as argument " + std::to_string(at + 1));
  return id;
}

// An item: its index, or "quoted text" (then index -1 and the text).
void Item(const AnswerLine& answer, size_t at, const char* what, int& index, std::wstring& text) {
  if (at >= answer.args.size())
    Bad(answer, "'" + answer.verb + "' needs " + what + " as argument " + std::to_string(at + 1));
  if (answer.quoted[at]) {
    index = -1;
    text = Wide(answer.args[at]);
    return;
  }
  if (!Integer(answer.args[at], index) || index < 0)
    Bad(answer, std::string(what) + " is a number from 0 or a \"quoted text\", not '" + answer.args[at] + "'");
}

int Index(const AnswerLine& answer, size_t at, const char* what) {
  int value = 0;
  if (at >= answer.args.size() || answer.quoted[at] || !Integer(answer.args[at], value) || value < 0)
    Bad(answer, "'" + answer.verb + "' needs " + what + " (a number from 0) as argument " + std::to_string(at + 1));
  return value;
}

UINT Modifiers(const AnswerLine& answer, size_t from) {
  UINT modifiers = 0;
  for (size_t i = from; i < answer.args.size(); ++i) {
    std::string m = Lower(answer.args[i]);
    if (m == "shift") modifiers |= MK_SHIFT;
    else if (m == "ctrl" || m == "control") modifiers |= MK_CONTROL;
    else Bad(answer, "'" + answer.args[i] + "' is not a modifier (shift, ctrl)");
  }
  return modifiers;
}

void ArgumentCount(const AnswerLine& answer, size_t count) {
  if (answer.args.size() != count)
    Bad(answer, "'" + answer.verb + "' takes " + std::to_string(count) + " argument" + (count == 1 ? "" : "s"));
}

// The text given from argument `at` on (typed text, a path): one quoted argument, read as every
// quoted argument is, or else the rest of the line as written. The arguments before `at` are
// unquoted words, already checked.
std::string TextFrom(const AnswerLine& answer, size_t at) {
  if (answer.args.size() == at + 1 && answer.quoted[at]) return answer.args[at];
  std::string text = answer.rest;
  for (size_t k = 0; k < at; ++k) {
    size_t space = text.find_first_of(" \t");
    text = space == std::string::npos ? "" : Trim(text.substr(space));
  }
  return text;
}

// True for "> cancel" (Escape), which takes no argument.
bool Cancelled(const AnswerLine& answer) {
  if (answer.verb != "cancel") return false;
  ArgumentCount(answer, 0);
  return true;
}

// The verbs each request takes.
const std::vector<std::string> kDialogVerbs = {"click", "key",        "type",   "check",  "uncheck",
                                               "cell",  "dblclick",   "rclick", "header", "rheader",
                                               "drag",  "dragheader", "choose", "close"};
const std::vector<std::string> kMenuVerbs = {"menu"};
const std::vector<std::string> kMessageBoxVerbs = {"answer"};
const std::vector<std::string> kFileVerbs = {"file", "file-filter", "cancel"};
const std::vector<std::string> kPickVerbs = {"pick", "cancel"};
const std::vector<std::string> kPointVerbs = {"point", "cancel"};

bool Takes(const std::vector<std::string>& verbs, const std::string& verb) {
  return std::find(verbs.begin(), verbs.end(), verb) != verbs.end();
}

// True when some request takes the verb: a verb none takes is a mistake whatever asks.
bool AnyRequestTakes(const std::string& verb) {
  for (const auto* verbs : {&kDialogVerbs, &kMenuVerbs, &kMessageBoxVerbs, &kFileVerbs, &kPickVerbs, &kPointVerbs})
    if (Takes(*verbs, verb)) return true;
  return false;
}

}  // namespace

std::string ScriptOrigin(const std::string& source, int line, const std::string& request, const std::string& answer) {
  std::string origin = line ? source + ":" + std::to_string(line) : source;
  if (!request.empty()) origin += ": " + request;
  if (!answer.empty()) origin += (request.empty() ? ": \"> " : ", answered \"> ") + answer + "\"";
  return origin;
}

AnswerLine ParseAnswerLine(const std::string& text, int line, const std::string& source, const std::string& request) {
  AnswerLine answer;
  answer.source = source;
  answer.line = line;
  answer.request = request;
  // One pass decides the words, their quotes and the comment together. A quote opens a word
  // only at the word's start ('"' inside a word is a character); inside it, \" and \\ stand
  // for " and \. A ';' first or after a blank, outside a quoted word, starts the comment.
  answer.text = Trim(text);  // for a quote that is not closed, the whole line
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  std::vector<std::pair<std::string, bool>> tokens;
  std::vector<size_t> starts;
  size_t i = 0;
  while (true) {
    while (i < text.size() && blank(text[i])) ++i;
    if (i >= text.size() || (text[i] == ';' && (i == 0 || blank(text[i - 1])))) break;
    starts.push_back(i);
    std::string token;
    const bool quoted = text[i] == '"';
    if (quoted) {
      for (++i;; ++i) {
        if (i >= text.size()) Bad(answer, "a quote is not closed");
        if (text[i] == '"') break;
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == '"' || text[i + 1] == '\\')) ++i;
        token += text[i];
      }
      ++i;
    } else {
      while (i < text.size() && !blank(text[i])) token += text[i++];
    }
    tokens.emplace_back(token, quoted);
  }
  const size_t end = i;  // the comment's ';', or the line's end
  answer.text = Trim(text.substr(0, end));
  if (tokens.empty() || tokens[0].second) Bad(answer, "an answer line without a verb");
  answer.verb = Lower(tokens[0].first);
  for (size_t k = 1; k < tokens.size(); ++k) {
    answer.args.push_back(tokens[k].first);
    answer.quoted.push_back(tokens[k].second);
  }
  if (starts.size() > 1) answer.rest = Trim(text.substr(starts[1], end - starts[1]));
  return answer;
}

UINT KeyCodeFromName(const std::string& name) {
  static const std::pair<const char*, UINT> kKeys[] = {
      {"enter", VK_RETURN}, {"return", VK_RETURN}, {"escape", VK_ESCAPE},  {"esc", VK_ESCAPE}, {"tab", VK_TAB},
      {"space", VK_SPACE},  {"delete", VK_DELETE}, {"backspace", VK_BACK}, {"f2", VK_F2},      {"up", VK_UP},
      {"down", VK_DOWN},    {"left", VK_LEFT},     {"right", VK_RIGHT},    {"home", VK_HOME},  {"end", VK_END},
      {"apps", VK_APPS},    {"f10", VK_F10},       {"insert", VK_INSERT}};
  std::string key = Lower(name);
  for (const auto& [text, code] : kKeys)
    if (key == text) return code;
  if (key.size() == 1 && std::isalpha(static_cast<unsigned char>(key[0])))
    return static_cast<UINT>(std::toupper(key[0]));
  if (key.size() == 1 && std::isdigit(static_cast<unsigned char>(key[0]))) return static_cast<UINT>(key[0]);
  return 0;
}

ModalAction ModalActionFromLine(const AnswerLine& answer) {
  ModalAction action;
  const std::string& verb = answer.verb;
  if (verb == "click") {
    ArgumentCount(answer, 1);
    action.kind = ModalAction::ClickButton;
    action.controlId = ControlId(answer, 0);
  } else if (verb == "key") {
    if (answer.args.empty()) Bad(answer, "'key' needs a key name");
    action.kind = ModalAction::PressKey;
    action.key = KeyCodeFromName(answer.args[0]);
    if (!action.key) Bad(answer, "'" + answer.args[0] + "' is not a key name");
    action.modifiers = Modifiers(answer, 1);
  } else if (verb == "type") {
    action.kind = ModalAction::TypeText;
    action.controlId = ControlId(answer, 0);
    action.text = Wide(TextFrom(answer, 1));
  } else if (verb == "check" || verb == "uncheck") {
    // With a column, the check box is the check image that a grid shows in that cell.
    if (answer.args.size() != 2 && answer.args.size() != 3)
      Bad(answer, "'" + verb + "' takes a list id, an item and, for a grid's check image, a column");
    action.kind = answer.args.size() == 3 ? ModalAction::CheckCell : ModalAction::CheckItem;
    action.controlId = ControlId(answer, 0);
    Item(answer, 1, "an item", action.item, action.text);
    if (action.kind == ModalAction::CheckCell) action.subItem = Index(answer, 2, "a column");
    action.check = verb == "check";
  } else if (verb == "cell" || verb == "dblclick" || verb == "rclick") {
    if (answer.args.size() < 3) Bad(answer, "'" + verb + "' takes a list id, a row and a column");
    action.kind = verb == "cell"       ? ModalAction::ClickItem
                  : verb == "dblclick" ? ModalAction::DoubleClickItem
                                       : ModalAction::RightClickItem;
    action.controlId = ControlId(answer, 0);
    Item(answer, 1, "a row", action.item, action.text);
    action.subItem = Index(answer, 2, "a column");
    action.modifiers = Modifiers(answer, 3);
  } else if (verb == "header" || verb == "rheader") {
    ArgumentCount(answer, 2);
    action.kind = verb == "header" ? ModalAction::ClickHeader : ModalAction::RightClickHeader;
    action.controlId = ControlId(answer, 0);
    action.subItem = Index(answer, 1, "a column");
  } else if (verb == "drag") {
    ArgumentCount(answer, 3);
    action.kind = ModalAction::DragItem;
    action.controlId = ControlId(answer, 0);
    Item(answer, 1, "a row", action.item, action.text);
    action.targetItem = Index(answer, 2, "the row to drop on");
  } else if (verb == "dragheader") {
    ArgumentCount(answer, 3);
    action.kind = ModalAction::DragHeader;
    action.controlId = ControlId(answer, 0);
    action.subItem = Index(answer, 1, "a column");
    action.targetItem = Index(answer, 2, "the column to drop on");
  } else if (verb == "choose") {
    ArgumentCount(answer, 2);
    action.kind = ModalAction::ChooseEntry;
    action.controlId = ControlId(answer, 0);
    Item(answer, 1, "an entry", action.item, action.text);
  } else if (verb == "close") {
    ArgumentCount(answer, 0);
    action.kind = ModalAction::Close;
  } else {
    Bad(answer, "'" + verb + "' is not a dialog action");
  }
  return action;
}

ScriptInputDriver::ScriptInputDriver(std::istream& in, std::string source) : in_(in), source_(std::move(source)) {}

bool ScriptInputDriver::Peek() {
  if (havePending_) return true;
  std::string line;
  while (ReadLine(in_, line)) {
    ++lineNumber_;
    // A NUL would end the line early for whatever reads it on: the whole line is refused.
    if (line.find('\0') != std::string::npos) {
      place_ = Place{lineNumber_, "", ""};
      Fail("the line holds a NUL byte");
    }
    if (lineNumber_ == 1 && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);  // saved with a byte-order mark
    std::string text = Trim(line);
    if (text.empty() || text[0] == ';') continue;
    pending_ = text;
    pendingLine_ = lineNumber_;
    havePending_ = true;
    return true;
  }
  // A script that cannot be read (a folder, a read error) must not pass for one that ended.
  if (in_.bad()) {
    place_ = Place{lineNumber_, "", ""};
    Fail("the script cannot be read");
  }
  return false;
}

std::string ScriptInputDriver::Origin() const {
  return ScriptOrigin(source_, place_.line, place_.request, place_.answer);
}

void ScriptInputDriver::Fail(const std::string& problem) const { throw InputScriptError(Origin(), problem); }

bool ScriptInputDriver::NextCommand(std::string& command) {
  if (!Peek()) return false;
  if (pending_[0] == '>') {
    place_ = Place{pendingLine_, "", ""};
    Fail("no request took the answer \"" + pending_ + "\" (the command before it asked for nothing more)");
  }
  command = pending_;
  place_ = Place{pendingLine_, "the command \"" + command + "\"", ""};
  havePending_ = false;
  return true;
}

void ScriptInputDriver::Finish() {
  if (Peek()) {
    place_ = Place{pendingLine_, "", ""};
    Fail("no request took the answer \"" + pending_ + "\"");
  }
  place_ = Place{lineNumber_, "the end of the script", ""};
  if (HostEditorInput::unbalancedBrackets())
    Fail(std::to_string(HostEditorInput::unbalancedBrackets()) + " dialog(s) were destroyed inside BeginEditorCommand");
}

AnswerLine ScriptInputDriver::Take(const std::string& request, const std::vector<std::string>& verbs) {
  place_ = Place{lineNumber_, request, ""};
  if (!Peek()) Fail("the script has ended");
  place_.line = pendingLine_;
  if (pending_[0] != '>') Fail("the script goes on with the command \"" + pending_ + "\"");
  AnswerLine answer = ParseAnswerLine(pending_.substr(1), pendingLine_, source_, request);
  if (!Takes(verbs, answer.verb)) {
    if (!AnyRequestTakes(answer.verb))
      Fail("the script answers \"" + pending_ + "\", and '" + answer.verb + "' is no answer of any request");
    Fail("the script answers \"" + pending_ + "\"");
  }
  place_.answer = answer.text;
  havePending_ = false;
  return answer;
}

UINT ScriptInputDriver::ChooseMenuCommand(const StandIn::MenuSnapshot& menu) {
  AnswerLine answer = Take("a popup menu of " + StandIn::DescribeWindow(menu.owner) + " asks for a choice", kMenuVerbs);
  if (answer.args.size() != 1) Bad(answer, "'menu' takes a command id, a \"quoted item text\" or none");
  if (answer.quoted[0]) {
    const StandIn::MenuItemSnapshot* item = menu.FindByText(Wide(answer.args[0]));
    if (!item) Bad(answer, "the popup menu has no enabled item \"" + answer.args[0] + "\"");
    return item->id;
  }
  if (Lower(answer.args[0]) == "none") return 0;
  int id = 0;
  if (!Integer(answer.args[0], id) || id < 0) Bad(answer, "'" + answer.args[0] + "' is not a menu command id");
  return static_cast<UINT>(id);
}

StandIn::DragStep ScriptInputDriver::NextDragStep(const StandIn::DragContext& drag) {
  // Row drags are whole dialog actions ('drag'); a drag started otherwise has no answer.
  // The drag comes from carrying out the last answer, whose line is named.
  place_.request = "a drag from " + StandIn::DescribeWindow(drag.source) + " asks for the hand's next movement";
  Fail("scripts drag rows with '> drag LIST ROW TARGET'");
}

ModalAction ScriptInputDriver::NextModalAction(HWND dialog, int dialogId) {
  std::string request =
      "dialog " + std::to_string(dialogId) + " (" + StandIn::DescribeWindow(dialog) + ") asks for the next action";
  ModalAction action = ModalActionFromLine(Take(request, kDialogVerbs));
  action.origin = Origin();
  return action;
}

int ScriptInputDriver::AnswerMessageBox(const std::wstring& text, const std::wstring& caption, UINT) {
  AnswerLine answer = Take(
      "the message box \"" + WideToUtf8(caption) + "\" (" + WideToUtf8(text) + ") asks for a button", kMessageBoxVerbs);
  ArgumentCount(answer, 1);
  static const std::pair<const char*, int> kButtons[] = {{"ok", IDOK},        {"cancel", IDCANCEL}, {"yes", IDYES},
                                                         {"no", IDNO},        {"abort", IDABORT},   {"retry", IDRETRY},
                                                         {"ignore", IDIGNORE}};
  std::string button = Lower(answer.args[0]);
  for (const auto& [name, id] : kButtons)
    if (button == name) return id;
  Bad(answer, "'" + answer.args[0] + "' is not a button (ok, cancel, yes, no, abort, retry, ignore)");
}

StandIn::FileDialogAnswer ScriptInputDriver::AnswerFileDialog(const StandIn::FileDialogRequest& request) {
  AnswerLine answer = Take(StandIn::DescribeFileDialog(request) + " asks for a path", kFileVerbs);
  StandIn::FileDialogAnswer result;
  if (Cancelled(answer)) return result;
  result.accepted = true;
  const bool filtered = answer.verb == "file-filter";
  if (filtered) {
    result.filterIndex = Index(answer, 0, "a filter number");
    if (result.filterIndex < 1) Bad(answer, "filters count from 1");
  }
  const std::string path = TextFrom(answer, filtered ? 1 : 0);
  if (path.empty()) Bad(answer, "'" + answer.verb + "' needs a path");
  result.path = Wide(path);
  return result;
}

StandIn::PickAnswer ScriptInputDriver::AnswerPick(const StandIn::PickRequest& request) {
  AnswerLine answer = Take(StandIn::DescribePick(request) + " asks for objects", kPickVerbs);
  StandIn::PickAnswer result;  // Cancel unless the line says otherwise
  if (Cancelled(answer)) return result;
  if (answer.args.empty()) Bad(answer, "'pick' takes all, none or handles H1 H2 ...");
  std::string how = Lower(answer.args[0]);
  if (how == "all" && answer.args.size() == 1) {
    result.kind = StandIn::PickAnswer::All;
  } else if (how == "none" && answer.args.size() == 1) {
    result.kind = StandIn::PickAnswer::Nothing;
  } else if (how == "handles" && answer.args.size() > 1) {
    result.kind = StandIn::PickAnswer::Handles;
    for (size_t i = 1; i < answer.args.size(); ++i) {
      const std::string& h = answer.args[i];
      if (h.empty() || h.size() > 16 || h.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        Bad(answer, "'" + h + "' is not a hexadecimal handle");
      result.handles.push_back(Wide(h));
    }
  } else {
    Bad(answer, "'pick' takes all, none or handles H1 H2 ...");
  }
  return result;
}

StandIn::PointAnswer ScriptInputDriver::AnswerPoint(const StandIn::PointRequest& request) {
  AnswerLine answer = Take(StandIn::DescribePoint(request) + " asks for a point", kPointVerbs);
  StandIn::PointAnswer result;
  if (Cancelled(answer)) return result;
  // "x,y[,z]", also with blanks around the commas; a blank inside a number leaves it no number.
  const std::string& text = answer.rest;
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    size_t comma = text.find(',', start);
    parts.push_back(Trim(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start)));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (parts.size() < 2 || parts.size() > 3) Bad(answer, "'point' takes x,y or x,y,z");
  for (size_t i = 0; i < parts.size(); ++i)
    if (!Number(parts[i], result.point[i])) Bad(answer, "'" + parts[i] + "' is not a number");
  result.given = true;
  return result;
}

namespace {
LRESULT MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}
const wchar_t* MainWindowClass() {
  static const wchar_t* name = [] {
    WNDCLASSW wc;
    wc.lpfnWndProc = &MainWindowProc;
    wc.lpszClassName = L"OvisMainFrame";
    RegisterClassW(&wc);
    return L"OvisMainFrame";
  }();
  return name;
}
}  // namespace

ScriptSession::ScriptSession(std::istream& in, std::string source) : driver_(in, std::move(source)) {
  scoped_ = std::make_unique<StandIn::ScopedInputDriver>(driver_);
  previousMainWindow_ = vusw_ovisMainWnd();
  mainWindow_ = CreateWindowExW(0, MainWindowClass(), L"ovhost", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1280, 960,
                                nullptr, nullptr, nullptr, nullptr);
  SetHostMainWindow(mainWindow_);
}

void ScriptSession::Run(const std::function<void(const std::string&)>& runCommand) {
  try {
    std::string command;
    while (driver_.NextCommand(command)) runCommand(command);
    driver_.Finish();
  } catch (const InputScriptError& error) {
    // The one place that names the script's line for errors raised while an answer was
    // carried out (a dialog's control, a file dialog's filter, a handle to pick, ...).
    if (error.HasOrigin()) throw;
    throw InputScriptError(driver_.Origin(), error.what());
  }
}

ScriptSession::~ScriptSession() {
  SetHostMainWindow(previousMainWindow_);
  if (mainWindow_ && IsWindow(mainWindow_)) DestroyWindow(mainWindow_);
  scoped_.reset();
}

}  // namespace HostScript
