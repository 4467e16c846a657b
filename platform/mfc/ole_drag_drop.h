// OLE drag and drop without COM: a COleDropTarget registers a window; a COleDataSource
// holds global-memory data and runs the drag in DoDragDrop. The drag is driven by the
// input driver's drag steps: each Move finds the registered target under the cursor
// (OnDragEnter / OnDragOver / OnDragLeave, with GetMessagePos following the cursor) and
// asks the drop source for feedback; Drop calls OnDrop on the target under the cursor
// (when its last OnDragOver allowed an effect) and answers that effect; Cancel leaves
// the target and answers DROPEFFECT_NONE.
#pragma once
#include <map>

#include "platform/mfc/message_map.h"
#include "platform/mfc/point_rect.h"
#include "platform/win/window_types.h"

class CWnd;

using DROPEFFECT = DWORD;
using CLIPFORMAT = WORD;
#define DROPEFFECT_NONE 0
#define DROPEFFECT_COPY 1
#define DROPEFFECT_MOVE 2
#define DROPEFFECT_LINK 4
#define DROPEFFECT_SCROLL 0x80000000
#define DRAGDROP_S_DROP ((SCODE)0x00040100L)
#define DRAGDROP_S_CANCEL ((SCODE)0x00040101L)
#define DRAGDROP_S_USEDEFAULTCURSORS ((SCODE)0x00040102L)

// The data as a drop target sees it.
class COleDataObject {
public:
  COleDataObject() = default;
  // A copy of the data in a new global memory block the caller frees; null when absent.
  HGLOBAL GetGlobalData(CLIPFORMAT format) const;
  void Attach(const std::map<CLIPFORMAT, HGLOBAL>* data) { data_ = data; }

private:
  const std::map<CLIPFORMAT, HGLOBAL>* data_ = nullptr;
};

class COleDropSource : public CCmdTarget {
public:
  ~COleDropSource() override = default;
  virtual SCODE GiveFeedback(DROPEFFECT effect);
  virtual SCODE QueryContinueDrag(BOOL escapePressed, DWORD keyState);
};

class COleDataSource : public CCmdTarget {
public:
  COleDataSource() = default;
  ~COleDataSource() override;  // frees the blocks it holds
  // Takes the block (the data source owns it from here on).
  void CacheGlobalData(CLIPFORMAT format, HGLOBAL memory);
  void Empty();
  // Runs the drag; answers the effect the drop target performed, DROPEFFECT_NONE when
  // cancelled or refused.
  DROPEFFECT DoDragDrop(DWORD allowedEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                        LPCRECT startRect = nullptr, COleDropSource* dropSource = nullptr);

private:
  std::map<CLIPFORMAT, HGLOBAL> data_;
};

class COleDropTarget : public CCmdTarget {
public:
  COleDropTarget() = default;
  ~COleDropTarget() override;  // revokes a registration
  BOOL Register(CWnd* window);
  void Revoke();
  // Points are client coordinates of the registered window.
  virtual DROPEFFECT OnDragEnter(CWnd* window, COleDataObject* data, DWORD keyState, CPoint point);
  virtual DROPEFFECT OnDragOver(CWnd* window, COleDataObject* data, DWORD keyState, CPoint point);
  virtual BOOL OnDrop(CWnd* window, COleDataObject* data, DROPEFFECT effect, CPoint point);
  virtual void OnDragLeave(CWnd* window);
};

namespace StandIn {
// The drop target registered for a window, null when none.
COleDropTarget* DropTargetOf(HWND window);
}  // namespace StandIn
