// A row trait that, after the list has drawn a cell, draws the cell's image (and in
// column 0 the row's check box) again on the colour the row is shown in, so that images of
// selected and hot rows sit on the highlight colour rather than on the window colour.
// Then the text row trait's own drawing runs.
#pragma once
#include "gridctrl/row_trait.h"

class CRowTraitImageRepaint : public CRowTraitText {
public:
  CRowTraitImageRepaint() = default;
  ~CRowTraitImageRepaint() override = default;

  void OnRowCustomDraw(CListGridCtrl& owner, NMLVCUSTOMDRAW* draw, LRESULT* result) override;
  void AcceptVisitor(CTraitVisitor& visitor) override;

protected:
  // The colour the cell's images are repainted on; false leaves the cell as drawn.
  bool QueryImageBackColor(CListGridCtrl& owner, const NMLVCUSTOMDRAW& draw, COLORREF& color);
  void RepaintCellImages(CListGridCtrl& owner, NMLVCUSTOMDRAW& draw, COLORREF color);
};
