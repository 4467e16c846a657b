// The editor handed to the user by a dialog for one scope (BeginEditorCommand), to pick
// objects or a point. The scope ends it with complete() or cancel(); left any other way (an
// exception passing) it cancels it, so that no dialog ends while the user holds the editor.
#pragma once
#include "platform/host/ui_dialogs.h"

class EditorCommand {
public:
  explicit EditorCommand(CVuUiBaseDialog& dialog) : dialog_(dialog) { dialog_.BeginEditorCommand(); }
  ~EditorCommand() {
    if (!active_) return;
    try {
      dialog_.CancelEditorCommand();
    } catch (...) {  // nothing more can be done on the way out
    }
  }
  EditorCommand(const EditorCommand&) = delete;
  EditorCommand& operator=(const EditorCommand&) = delete;

  // The user's input is taken: the dialogs show again.
  void complete() {
    active_ = false;
    dialog_.CompleteEditorCommand(TRUE);
  }
  // The user gave nothing: the dialogs show again.
  void cancel() {
    active_ = false;
    dialog_.CancelEditorCommand();
  }

private:
  CVuUiBaseDialog& dialog_;
  bool active_ = true;
};
