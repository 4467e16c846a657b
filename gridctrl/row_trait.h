// Row traits: prepare each row for drawing (colours, font, the focus-cell rectangle).
#pragma once
#include "gridctrl/custom_draw_font.h"
#include "platform/mfc/mfc.h"

class CListGridCtrl;
class CTraitVisitor;

class CRowTrait {
public:
  CRowTrait() = default;
  CRowTrait(const CRowTrait&) = delete;
  CRowTrait& operator=(const CRowTrait&) = delete;
  virtual ~CRowTrait() = default;
  virtual void OnRowCustomDraw(CListGridCtrl& owner, NMLVCUSTOMDRAW* draw, LRESULT* result);
  virtual void AcceptVisitor(CTraitVisitor& visitor);
};

class CRowTraitText : public CRowTrait {
public:
  CRowTraitText() = default;
  void OnRowCustomDraw(CListGridCtrl& owner, NMLVCUSTOMDRAW* draw, LRESULT* result) override;
  void AcceptVisitor(CTraitVisitor& visitor) override;

  virtual bool QueryRowTextColor(int row, COLORREF& color);
  virtual bool QueryRowBackColor(int row, COLORREF& color);

  void SetRowColor(COLORREF text, COLORREF back) {
    textColor = text;
    backColor = back;
  }
  void SetAltRowColor(COLORREF text, COLORREF back) {
    altTextColor = text;
    altBackColor = back;
  }

protected:
  // Colours of the row: the trait's own, then the grid's; each answer adds CDRF_NEWFONT.
  void QueryAllRowColors(CListGridCtrl& owner, int row, NMLVCUSTOMDRAW* draw, LRESULT* result);

  CCustomDrawFont drawFont;  // the font of the row being drawn
  COLORREF textColor = static_cast<COLORREF>(-1);
  COLORREF backColor = static_cast<COLORREF>(-1);
  COLORREF altTextColor = static_cast<COLORREF>(-1);
  COLORREF altBackColor = static_cast<COLORREF>(-1);
  bool unselectFocusCell = false;
};
