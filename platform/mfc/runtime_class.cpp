// Run-time class information of CObject and of the window classes that declare it.
#include "platform/mfc/button.h"
#include "platform/mfc/combo_box.h"
#include "platform/mfc/static_ctrl.h"
#include "platform/mfc/wnd.h"

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
  for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
    if (c == base) return TRUE;
  return FALSE;
}

CRuntimeClass* CObject::GetThisClass() {
  static CRuntimeClass runtimeClass{"CObject", nullptr};
  return &runtimeClass;
}
CRuntimeClass* CObject::GetRuntimeClass() const { return GetThisClass(); }
BOOL CObject::IsKindOf(const CRuntimeClass* runtimeClass) const {
  return runtimeClass && GetRuntimeClass()->IsDerivedFrom(runtimeClass);
}

IMPLEMENT_DYNAMIC(CWnd, CObject)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
