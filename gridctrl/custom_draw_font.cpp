#include "gridctrl/custom_draw_font.h"

bool CCustomDrawFont::SelectMade(CDC* dc, const LOGFONT& font) {
  if (!dc) return false;
  auto created = std::make_unique<CFont>();
  if (!created->CreateFontIndirect(&font)) return false;
  made = std::move(created);
  previous = dc->SelectObject(made.get());
  return true;
}

void CCustomDrawFont::SelectBorrowed(CDC& dc, CFont* font) { previous = dc.SelectObject(font); }

void CCustomDrawFont::Restore(CDC* dc) {
  if (previous && dc) dc->SelectObject(previous);
  previous = nullptr;
  made.reset();
}
