// The font a trait puts into the drawing context for one row or cell: selected at pre-paint,
// put back (and deleted when the trait made it) at post-paint.
#pragma once
#include <memory>

#include "platform/mfc/mfc.h"

class CCustomDrawFont {
public:
  // Makes the font and selects it; false, with nothing changed, without a context or when the
  // font cannot be made. A font left by a draw whose post-paint never came is deleted.
  bool SelectMade(CDC* dc, const LOGFONT& font);
  // Selects a font the trait does not own: put back at post-paint, never deleted.
  void SelectBorrowed(CDC& dc, CFont* font);
  // Puts back the font the context had and deletes the one made.
  void Restore(CDC* dc);

private:
  std::unique_ptr<CFont> made;
  CFont* previous = nullptr;
};
