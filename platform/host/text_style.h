// Text styles: the drawing's text style record and the graphics text style that measures
// texts with the stand-in's fixed metric.
#pragma once
#include <string>

#include "platform/host/db_object.h"
#include "platform/host/geometry.h"

// A text style of the drawing: its name and width factor.
class OvDbTextStyleTableRecord : public OvDbObject {
public:
  OVRX_DECLARE_MEMBERS(OvDbTextStyleTableRecord)
  void setName(const wchar_t* name);
  double xScale() const;
  // The width factor; it must be positive (eInvalidInput otherwise).
  Ovis::ErrorStatus setXScale(double factor);

private:
  std::wstring name_;
  double xScale_ = 1.0;
};

// The text style used to measure text. The fixed metric: every character advances half
// the text size times the width factor; a text's extent is (sum of the advances, text size).
class OvGiTextStyle {
public:
  static constexpr double kAdvance = 0.5;
  // Made with no database: the style then reads no drawing until fromOvDbTextStyle.
  explicit OvGiTextStyle(OvDbDatabase* = nullptr) {}

  void setTextSize(double size) { textSize_ = size; }
  void setXScale(double factor) { xScale_ = factor; }

  // The extent of the first `length` characters of the text (all of it for -1). The
  // remaining arguments (standard behaviour, raw text, drawing context) do not change the
  // fixed metric.
  OvGePoint2d extents(const wchar_t* text, bool standardBehavior, int length, bool raw,
                      void* drawContext = nullptr) const;

private:
  double textSize_ = 1.0;
  double xScale_ = 1.0;
};

// Loads the text style record's name and width factor into the graphics text style; the
// text size is left as it is. Fails (and changes nothing) when the id opens no text style.
Ovis::ErrorStatus fromOvDbTextStyle(OvGiTextStyle& style, const OvDbObjectId& styleId);
