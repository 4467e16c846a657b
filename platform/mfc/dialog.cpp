#include "platform/mfc/dialog.h"

#include <exception>

#include "platform/mfc/win_app.h"
#include "platform/win/teardown_steps.h"
#include "platform/win/window_manager.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_pParentWnd(parent), m_lpszTemplateName(MAKEINTRESOURCEW(templateId)), m_nIDHelp(templateId),
      templateId_(templateId) {}

CDialog::~CDialog() {
  if (m_hWnd && IsWindow(m_hWnd) && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

BOOL CDialog::CreateFromTemplate(CWnd* parent) {
  if (m_hWnd || !templateId_) return FALSE;
  HINSTANCE instance = m_hTemplateInstance ? m_hTemplateInstance : AfxFindDialogResourceHandle(templateId_);
  const DialogTemplate* dialog = FindDialogResource(instance, templateId_);
  if (!dialog) return FALSE;
  _AFX_THREAD_STATE* state = AfxGetThreadState();
  struct ResetInit {
    _AFX_THREAD_STATE* state;
    ~ResetInit() { state->m_pWndInit = nullptr; }
  } reset{state};
  state->m_pWndInit = this;
  HWND window = CreateDialogIndirectParamW(instance, dialog, parent ? parent->GetSafeHwnd() : nullptr, nullptr, 0);
  return window && m_hWnd == window;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  templateId_ = templateId;
  m_nIDHelp = templateId;
  m_lpszTemplateName = MAKEINTRESOURCEW(templateId);
  if (parent) m_pParentWnd = parent;
  return CreateFromTemplate(m_pParentWnd);
}

BOOL CDialog::Create(LPCWSTR templateName, CWnd* parent) {
  if (!IS_INTRESOURCE(templateName)) return FALSE;
  return Create(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(templateName)), parent);
}

INT_PTR CDialog::DoModal() {
  if (m_hWnd || inModal_) return -1;
  CWnd* owner = m_pParentWnd;
  if (!owner && AfxGetApp()) owner = AfxGetApp()->m_pMainWnd;
  HWND parent = owner ? owner->GetSafeHwnd() : nullptr;
  // Undoes everything on the way out, also when the driver or a handler throws. What the
  // window's destruction throws goes on, unless something thrown before is on its way.
  struct Cleanup {
    CDialog* dialog;
    HWND parent;
    bool parentWasEnabled;
    int unwinding = std::uncaught_exceptions();
    ~Cleanup() noexcept(false) {
      dialog->continueModal_ = false;
      dialog->inModal_ = false;
      StandIn::TeardownSteps steps;
      if (parent && parentWasEnabled) steps.run([this] { ::EnableWindow(parent, TRUE); });
      HWND window = dialog->m_hWnd;
      if (window && ::IsWindow(window)) {
        steps.run([window] {
          ::SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
        });
        steps.run([this] { dialog->DestroyWindow(); });
      }
      if (std::uncaught_exceptions() == unwinding) steps.rethrow();
    }
  } cleanup{this, parent, parent && ::IsWindowEnabled(parent)};
  if (parent) ::EnableWindow(parent, FALSE);
  m_nModalResult = -1;
  continueModal_ = true;
  inModal_ = true;
  if (!CreateFromTemplate(owner)) return -1;
  if (continueModal_ && m_hWnd) {
    ShowWindow(SW_SHOWNORMAL);
    RunModalLoop();
  }
  return m_nModalResult;
}

void CDialog::RunModalLoop() {
  while (continueModal_) {
    StandIn::PumpMessages();
    if (!continueModal_ || !m_hWnd || !::IsWindow(m_hWnd)) break;
    StandIn::ModalAction action = StandIn::CurrentInputDriver().NextModalAction(m_hWnd, static_cast<int>(templateId_));
    PerformAction(action);
  }
  StandIn::PumpMessages();
}

void CDialog::EndDialog(int result) {
  m_nModalResult = result;
  if (!continueModal_) return;
  continueModal_ = false;
  if (m_hWnd) ShowWindow(SW_HIDE);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  if (!m_hWnd) return FALSE;
  CDataExchange exchange(this, saveAndValidate);
  try {
    DoDataExchange(&exchange);
  } catch (CUserException* failure) {
    failure->Delete();
    return FALSE;
  }
  return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::GotoDlgCtrl(CWnd* control) {
  if (control && m_hWnd) SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control->GetSafeHwnd()), TRUE);
}
void CDialog::NextDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 0, 0); }
void CDialog::PrevDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 1, 0); }

BOOL CDialog::PreTranslateMessage(MSG* msg) {
  if (msg && m_hWnd && (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd)) && ::IsDialogMessageW(m_hWnd, msg))
    return TRUE;
  return CWnd::PreTranslateMessage(msg);
}
