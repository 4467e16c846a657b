// The combo-box column: cells edited in place with a combo box that lists the column's
// items (item data and display text), preselects the item whose text is the cell's and
// reports the chosen text and item data.
#pragma once
#include "gridctrl/column_trait_image.h"

class CCellEditorComboBox;

class CColumnTraitCombo : public CColumnTraitImage {
public:
  CColumnTraitCombo() = default;
  ~CColumnTraitCombo() override = default;

  using CColumnTraitImage::OpenEditor;  // the point form is the image column's
  CWnd* OpenEditor(CListGridCtrl& owner, int row, int col) override;
  void OnEditorClosed() override;
  int CompareTexts(const wchar_t* a, const wchar_t* b, bool ascending) override;
  void AcceptVisitor(CTraitVisitor& visitor) override;
  virtual CCellEditorComboBox* CreateCellEditor(CListGridCtrl& owner, int row, int col, DWORD style, const CRect& rect);

  void SetStyle(DWORD value) { style = value; }
  DWORD GetStyle() const { return style; }
  void SetMaxVisibleItems(int count) { maxVisibleItems = count; }
  int GetMaxVisibleItems() const { return maxVisibleItems; }
  void SetMaxDropWidth(int width) { maxDropWidth = width; }
  int GetMaxDropWidth() const { return maxDropWidth; }
  void SetShowDropDownOnFocus(BOOL show) { showDropDownOnFocus = show; }
  BOOL GetShowDropDownOnFocus() const { return showDropDownOnFocus; }

  // Appends an item (also one whose data or text is already listed).
  void AddItem(DWORD_PTR itemData, const CString& text) { items.Add(itemData, text); }
  void ClearItems() { items.RemoveAll(); }
  // Fills the open editor's list with the items, each text with its data, and selects
  // `select` unless it is -1; nothing without an open editor.
  void LoadList(const CSimpleMap<DWORD_PTR, CString>& list, int select);

protected:
  // Fits the editor's selection field to the cell's height.
  void FitSelectionField(CCellEditorComboBox& combo, const CRect& cell);

  CSimpleMap<DWORD_PTR, CString> items;
  CCellEditorComboBox* editor = nullptr;  // the open editor, not owned (it deletes itself)
  DWORD style = WS_VSCROLL | WS_HSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL | CBS_NOINTEGRALHEIGHT;
  int maxVisibleItems = 7;
  int maxDropWidth = 200;
  BOOL showDropDownOnFocus = FALSE;
};
