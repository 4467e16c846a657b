// The edit column: text cells edited in place with a CCellEditorText.
#pragma once
#include "gridctrl/column_trait_image.h"

class CColumnTraitEdit : public CColumnTraitImage {
public:
  CColumnTraitEdit() = default;
  ~CColumnTraitEdit() override = default;

  using CColumnTraitImage::OpenEditor;  // the point form is the image column's
  CWnd* OpenEditor(CListGridCtrl& owner, int row, int col) override;
  void AcceptVisitor(CTraitVisitor& visitor) override;

  virtual CWnd* CreateCellEditor(CListGridCtrl& owner, int row, int col, DWORD style, const CRect& area);

  void SetStyle(DWORD style) { editStyle = style; }
  DWORD GetStyle() const { return editStyle; }
  void SetLimitText(int limit) { editLimit = limit; }
  int GetLimitText() const { return editLimit; }

protected:
  DWORD editStyle = WS_BORDER | ES_NOHIDESEL | ES_AUTOHSCROLL;
  int editLimit = -1;
};
