#include "platform/host/ui_dialogs.h"

#include <stdexcept>
#include <string>

#include "platform/host/editor_input.h"
#include "platform/win/on_failure.h"

BEGIN_MESSAGE_MAP(CVuUiBaseDialog, CDialog)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CVuUiBaseDialog::CVuUiBaseDialog(UINT templateId, CWnd* parent, HINSTANCE templateInstance)
    : CDialog(templateId, parent) {
  m_hTemplateInstance = templateInstance;
}

CVuUiBaseDialog::~CVuUiBaseDialog() {
  if (editorActive_) {
    HostEditorInput::countUnbalancedBracket();
    EndEditorCommand(false);
  }
}

void CVuUiBaseDialog::BeginEditorCommand() {
  std::string who = "dialog " + std::to_string(GetTemplateId());
  if (editorActive_ || HostEditorInput::inDialogCommand())
    throw std::logic_error("BeginEditorCommand of " + who + " while an editor command is already active");
  if (!m_hWnd) throw std::logic_error("BeginEditorCommand of " + who + ", which has no window");
  editorActive_ = true;
  hidden_.clear();
  // Memory ran out on the way: the dialogs come back, no bracket is open.
  StandIn::OnFailure restoreOnFailure([this] { EndEditorCommand(true); });
  // The dialog and the dialogs that own it step aside; the editor's window takes input.
  HWND window = m_hWnd;
  while (window) {
    bool isDialog = StandIn::ClassNameOf(window) == WC_DIALOGW;
    if (!isDialog) {
      if (!::IsWindowEnabled(window)) {
        enabled_.push_back(window);
        ::EnableWindow(window, TRUE);
      }
      break;
    }
    if (::IsWindowVisible(window)) {
      hidden_.push_back(window);
      ::ShowWindow(window, SW_HIDE);
    }
    window = ::GetParent(window);
  }
  HostEditorInput::beginDialogCommand(m_hWnd, static_cast<int>(GetTemplateId()));
}

void CVuUiBaseDialog::CompleteEditorCommand(BOOL restoreDialogs) {
  if (!editorActive_)
    throw std::logic_error("CompleteEditorCommand of dialog " + std::to_string(GetTemplateId()) +
                           " without BeginEditorCommand");
  EndEditorCommand(restoreDialogs != FALSE);
}

void CVuUiBaseDialog::CancelEditorCommand() {
  if (!editorActive_)
    throw std::logic_error("CancelEditorCommand of dialog " + std::to_string(GetTemplateId()) +
                           " without BeginEditorCommand");
  EndEditorCommand(true);
}

void CVuUiBaseDialog::EndEditorCommand(bool restore) {
  editorActive_ = false;
  HostEditorInput::endDialogCommand();
  for (HWND window : enabled_)
    if (::IsWindow(window)) ::EnableWindow(window, FALSE);
  enabled_.clear();
  if (restore) {
    for (auto it = hidden_.rbegin(); it != hidden_.rend(); ++it)
      if (::IsWindow(*it)) ::ShowWindow(*it, SW_SHOW);
  }
  hidden_.clear();
}

void CVuUiBaseDialog::OnDestroy() {
  if (editorActive_) {
    HostEditorInput::countUnbalancedBracket();
    EndEditorCommand(false);
  }
  CDialog::OnDestroy();
}
