#include "platform/mfc/message_map.h"

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, 0, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT message, UINT code, UINT id) const {
  // Notification codes are matched on their low 16 bits, as MFC does.
  for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e && e->pfn; ++e) {
      if (e->nMessage == message && static_cast<WORD>(e->nCode) == static_cast<WORD>(code) && id >= e->nID &&
          id <= e->nLastID)
        return e;
    }
  }
  return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  UINT packed = static_cast<UINT>(nCode);
  UINT message = HIWORD(packed) ? HIWORD(packed) : WM_COMMAND;
  UINT code = LOWORD(packed);
  const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message, code, nID);
  if (!entry) return FALSE;
  if (pHandlerInfo) {
    pHandlerInfo->pTarget = this;
    return TRUE;
  }
  LRESULT ignored = 0;
  AFX_MSG_CALL call;
  call.message = message;
  call.nID = nID;
  call.pResult = &ignored;
  if (message == WM_NOTIFY || message == WM_REFLECT_BASE + WM_NOTIFY) {
    auto* notify = static_cast<AFX_NOTIFY*>(pExtra);
    if (!notify || !notify->pNMHDR) return FALSE;
    call.pNMHDR = notify->pNMHDR;
    call.lParam = reinterpret_cast<LPARAM>(notify->pNMHDR);
    if (notify->pResult) call.pResult = notify->pResult;
  }
  return entry->pfn(this, call);
}
