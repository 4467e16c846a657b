// Rounding of extracted numbers to the drawing's linear precision, and recognition of
// numeric cell texts.
#pragma once
#include <cstddef>
#include <vector>

#include "platform/host/geometry.h"
#include "platform/mfc/cstring.h"

// LUPREC; 8 when the variable cannot be read (the finest step).
short getLinearPrecision();
// 10^-n for n from 0 to 8; 1e-8 for any other value.
double precisionStep(short n);
// x = floor(x / step + 0.5) * step; x is left as it is when x / step is not finite or
// its magnitude reaches 2^52, where the step no longer changes the value.
void roundToStep(double step, double& x);
void roundPoint(double step, double& x, double& y, double& z);
void roundScale(double step, OvGeScale3d& scale);
// The text's leading number, rounded and written with "%g".
void roundNumericText(double step, CString& text);
// A number as cells show it: what "%g" writes (six significant digits).
CString formatNumber(double value);
// An integer as "%d" writes it.
CString formatInteger(long long value);
// The value written with "%f" (six decimals) and read back.
double keepSixDecimals(double value);
// The text's leading decimal number, as _wtof reads it (0 when there is none).
double leadingNumber(const CString& text);
bool isNumericText(const CString& text);
// Whether a grid column sorts by value, as the preview sorts it: its cells in rows
// [firstRow, endRow) are numbers or empty, one at least (a row too short has it empty).
bool sortsByValue(const std::vector<std::vector<CString>>& rows, size_t column, size_t firstRow, size_t endRow);
