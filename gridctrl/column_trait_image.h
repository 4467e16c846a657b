// The image column: cells that step through a set of images (a check column steps between
// the empty box and the check mark), optionally spreading the new image or check to the
// whole selection.
#pragma once
#include "gridctrl/column_trait_text.h"

struct ImageCellText {
  CString text;          // the cell text that goes with the image
  bool editable = true;  // false locks the label of a cell showing this image
};

class CColumnTraitImage : public CColumnTraitText {
public:
  CColumnTraitImage() = default;
  CColumnTraitImage(int firstImage, int imageCount);
  ~CColumnTraitImage() override = default;

  int ClassifyClick(CListGridCtrl& owner, int row, int col, CPoint pt, bool dblClick) override;
  CWnd* OpenEditor(CListGridCtrl& owner, int row, int col, CPoint pt) override;
  CWnd* OpenEditor(CListGridCtrl& owner, int row, int col) override;
  int CompareTexts(const wchar_t* a, const wchar_t* b, bool ascending) override;
  int CompareItems(const LVITEM& a, const LVITEM& b, bool ascending) override;
  // No keys: the column compares its images first, and the texts its own way (date-time).
  bool MakeSortKey(const LVITEM& item, CellSortKey& key) override;
  void AcceptVisitor(CTraitVisitor& visitor) override;
  bool IsCellLocked(CListGridCtrl& owner, int row, int col, CPoint pt) override;

  virtual int GetNextImageIndex(CListGridCtrl& owner, int row, int col);
  virtual CWnd* StepCellImage(CListGridCtrl& owner, int row, int col);
  virtual CWnd* SpreadCheckToSelection(CListGridCtrl& owner, int row, int col);

  void AddImageIndex(int image);
  void AddImageIndex(int image, const CString& text, bool editable);
  void SetImageText(int image, const CString& text, bool editable);
  int GetImageCount() const { return images.GetSize(); }

  void SetSortByImage(bool value) { sortByImage = value; }
  bool GetSortByImage() const { return sortByImage; }
  void SetSelectionToggle(bool value) { toggleSelection = value; }
  bool GetSelectionToggle() const { return toggleSelection; }
  void SetEditOnSingleClick(bool value) { editOnSingleClick = value; }
  bool GetEditOnSingleClick() const { return editOnSingleClick; }
  void SetIconClickOpensEditor(bool value) { iconClickOpensEditor = value; }
  bool GetIconClickOpensEditor() const { return iconClickOpensEditor; }

  // Adds the list's two check-box images (empty box, check mark) to the image list and
  // answers the index of the first, or -1.
  static int AddCheckBoxImages(CListCtrl& list, CImageList& imageList);

protected:
  CString GetImageText(int image) const;

  CSimpleMap<int, ImageCellText> images;
  bool sortByImage = false;
  bool toggleSelection = false;
  bool editOnSingleClick = false;
  bool iconClickOpensEditor = false;
};
