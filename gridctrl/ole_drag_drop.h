// Small bindings of the OLE drag-and-drop objects to a window class T: every callback goes to
// T's virtual Handle... operations, so that a subclass of T changes the behaviour.
#pragma once
#include "platform/mfc/mfc.h"

template <typename T>
class COleDropTargetWnd : public COleDropTarget {
public:
  COleDropTargetWnd() = default;
  ~COleDropTargetWnd() override {
    if (owner) Revoke();
  }

  // Registers the owner window with OLE, once.
  bool Register(T* window) {
    if (owner) return true;
    if (!window || !COleDropTarget::Register(window)) return false;
    owner = window;
    return true;
  }

  DROPEFFECT OnDragEnter(CWnd*, COleDataObject* data, DWORD keyState, CPoint pt) override {
    dragInside = true;
    return owner ? owner->HandleDragEnter(data, keyState, pt) : DROPEFFECT_NONE;
  }
  DROPEFFECT OnDragOver(CWnd*, COleDataObject* data, DWORD keyState, CPoint pt) override {
    return owner ? owner->HandleDragOver(data, keyState, pt) : DROPEFFECT_NONE;
  }
  BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT effect, CPoint pt) override {
    dragInside = false;
    return owner ? owner->HandleDrop(data, effect, pt) : FALSE;
  }
  void OnDragLeave(CWnd*) override {
    dragInside = false;
    if (owner) owner->HandleDragLeave();
  }

  bool IsInternalDrag() const { return internalDrag; }
  bool IsDragInside() const { return dragInside; }
  void SetInternalDrag(bool value) { internalDrag = value; }
  void SetDragInside(bool value) { dragInside = value; }

private:
  T* owner = nullptr;
  bool internalDrag = false;
  bool dragInside = false;
};

template <typename T>
class COleDataSourceWnd : public COleDataSource {
public:
  explicit COleDataSourceWnd(COleDropTargetWnd<T>* target) : dropTarget(target) {
    if (dropTarget) {
      dropTarget->SetInternalDrag(true);
      dropTarget->SetDragInside(false);
    }
  }
  ~COleDataSourceWnd() override {
    if (dropTarget) dropTarget->SetInternalDrag(false);
  }

private:
  COleDropTargetWnd<T>* dropTarget;
};

template <typename T>
class COleDropSourceWnd : public COleDropSource {
public:
  explicit COleDropSourceWnd(T* window) : owner(window) {}
  SCODE GiveFeedback(DROPEFFECT effect) override {
    return owner ? owner->HandleGiveFeedback(effect) : COleDropSource::GiveFeedback(effect);
  }

private:
  T* owner;
};
