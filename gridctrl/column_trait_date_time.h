// The date-time column: cells holding a date and time as text, sorted by their dates and
// edited in place with a date-time picker that also takes typed dates.
#pragma once
#include "gridctrl/column_trait_image.h"

class CCellEditorDateTimeCtrl;

class CColumnTraitDateTime : public CColumnTraitImage {
public:
  CColumnTraitDateTime() = default;
  ~CColumnTraitDateTime() override = default;

  using CColumnTraitImage::OpenEditor;  // the point form is the image column's
  CWnd* OpenEditor(CListGridCtrl& owner, int row, int col) override;
  int CompareTexts(const wchar_t* a, const wchar_t* b, bool ascending) override;
  int CompareItems(const LVITEM& a, const LVITEM& b, bool ascending) override;
  void AcceptVisitor(CTraitVisitor& visitor) override;
  // Reads a cell or typed text with the column's parse flags and locale; a text that is no
  // date gives 1970-01-01 00:00:00 and false.
  virtual bool ParseDateTime(const CString& text, COleDateTime& out);
  virtual CCellEditorDateTimeCtrl* CreateCellEditor(CListGridCtrl& owner, int row, int col, DWORD style,
                                                    const CRect& rect);

  // The picker's format (DTM_SETFORMAT); empty: the style's own.
  void SetFormat(const CString& value) { format = value; }
  const CString& GetFormat() const { return format; }
  void SetParseDateTime(DWORD flags, LCID locale) {
    parseFlags = flags;
    parseLocale = locale;
  }
  void SetStyle(DWORD value) { style = value; }
  DWORD GetStyle() const { return style; }

protected:
  CString format;
  DWORD parseFlags = 0;
  LCID parseLocale = LOCALE_USER_DEFAULT;
  DWORD style = DTS_APPCANPARSE;
};
