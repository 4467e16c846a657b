// The host's dialog base classes. A dialog hands the editor to the user between
// BeginEditorCommand and CompleteEditorCommand or CancelEditorCommand: the dialog (and the
// dialogs that own it) hide, interactive editor requests (ovedGetPoint, ovedSSGet without
// a mode) become legal, and at the end the dialog shows again. The brackets must
// balance: a second Begin, or a Complete or Cancel without a Begin, throws
// std::logic_error; a dialog destroyed inside its bracket closes it and is counted as an
// unbalanced bracket (HostEditorInput::unbalancedBrackets).
#pragma once
#include <vector>

#include "platform/mfc/dialog.h"

class CVuUiBaseDialog : public CDialog {
public:
  CVuUiBaseDialog() = default;
  // templateInstance: the module that holds the template; null means the resource chain.
  explicit CVuUiBaseDialog(UINT templateId, CWnd* parent = nullptr, HINSTANCE templateInstance = nullptr);
  ~CVuUiBaseDialog() override;

  void BeginEditorCommand();
  void CompleteEditorCommand(BOOL restoreDialogs = TRUE);
  void CancelEditorCommand();
  // True between BeginEditorCommand and its Complete or Cancel.
  bool EditorCommandActive() const { return editorActive_; }

protected:
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

private:
  void EndEditorCommand(bool restore);
  bool editorActive_ = false;
  std::vector<HWND> hidden_;   // the dialogs hidden by BeginEditorCommand
  std::vector<HWND> enabled_;  // the disabled main window it enabled for the editor
};

class CVuUiDialog : public CVuUiBaseDialog {
public:
  CVuUiDialog() = default;
  explicit CVuUiDialog(UINT templateId, CWnd* parent = nullptr, HINSTANCE templateInstance = nullptr)
      : CVuUiBaseDialog(templateId, parent, templateInstance) {}
};

class COvUiDialog : public CVuUiDialog {
public:
  COvUiDialog() = default;
  explicit COvUiDialog(UINT templateId, CWnd* parent = nullptr, HINSTANCE templateInstance = nullptr)
      : CVuUiDialog(templateId, parent, templateInstance) {}
};
