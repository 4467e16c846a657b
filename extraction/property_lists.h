// The catalogue's property lists as string-table texts, each list once and in its binding
// order: every property's text, its category and whether it can be summed. The catalogue
// loads its lists from here; the kinds' table (object_kind_table.h) names the list of each
// kind's own properties, and the records that give one value per item of a list are held to
// its length when they compile.
#pragma once
#include "platform/win/win32_types.h"
#include "res/resource_ids.h"

// Property categories.
enum PropertyCategory {
  kCategoryGeneral = 1,
  kCategoryGeometry = 2,
  kCategoryMisc = 3,
  kCategoryAttribute = 4,
  kCategoryDynamicBlock = 5,
  kCategoryText = 6,
};

// One property of a list: the string-table text that names it, its category, and whether
// it can be summed in a totals row.
struct PropertyText {
  UINT id;
  int category;
  bool total;
};

// One property a line, in the lists' order.
// clang-format off
// The eight common properties of every object but a block reference.
inline constexpr PropertyText kGeneralProperties[] = {
    {IDS_PROP_LAYER, kCategoryGeneral, false},
    {IDS_PROP_COLOR, kCategoryGeneral, false},
    {IDS_PROP_LINETYPE_SCALE, kCategoryGeneral, false},
    {IDS_PROP_THICKNESS, kCategoryGeneral, true},
    {IDS_PROP_LINE_WEIGHT, kCategoryGeneral, false},
    {IDS_PROP_HYPERLINK, kCategoryGeneral, false},
    {IDS_PROP_PLOT_STYLE, kCategoryGeneral, false},
    {IDS_PROP_LINETYPE, kCategoryGeneral, false},
};

inline constexpr PropertyText kLineProperties[] = {
    {IDS_LINE_ANGLE, kCategoryGeometry, true},
    {IDS_LINE_X_DELTA, kCategoryGeometry, false},
    {IDS_LINE_Y_DELTA, kCategoryGeometry, false},
    {IDS_LINE_Z_DELTA, kCategoryGeometry, false},
    {IDS_LINE_X_START, kCategoryGeometry, false},
    {IDS_LINE_Y_START, kCategoryGeometry, false},
    {IDS_LINE_Z_START, kCategoryGeometry, false},
    {IDS_LINE_X_END, kCategoryGeometry, false},
    {IDS_LINE_Y_END, kCategoryGeometry, false},
    {IDS_LINE_Z_END, kCategoryGeometry, false},
    {IDS_LINE_LENGTH, kCategoryGeometry, true},
};

// The polyline's global width is a general property.
inline constexpr PropertyText kPolylineProperties[] = {
    {IDS_POLYLINE_AREA, kCategoryGeometry, true},
    {IDS_POLYLINE_GLOBAL_WIDTH, kCategoryGeneral, true},
    {IDS_POLYLINE_LENGTH, kCategoryGeometry, true},
    {IDS_POLYLINE_CLOSED, kCategoryMisc, false},
    {IDS_POLYLINE_LINETYPE_GENERATION, kCategoryMisc, false},
};

inline constexpr PropertyText kArcProperties[] = {
    {IDS_ARC_AREA, kCategoryGeometry, true},
    {IDS_ARC_START_ANGLE, kCategoryGeometry, false},
    {IDS_ARC_END_ANGLE, kCategoryGeometry, false},
    {IDS_ARC_TOTAL_ANGLE, kCategoryGeometry, true},
    {IDS_ARC_X_CENTER, kCategoryGeometry, false},
    {IDS_ARC_Y_CENTER, kCategoryGeometry, false},
    {IDS_ARC_Z_CENTER, kCategoryGeometry, false},
    {IDS_ARC_LENGTH, kCategoryGeometry, true},
    {IDS_ARC_RADIUS, kCategoryGeometry, true},
};

inline constexpr PropertyText kCircleProperties[] = {
    {IDS_CIRCLE_AREA, kCategoryGeometry, true},
    {IDS_CIRCLE_X_CENTER, kCategoryGeometry, false},
    {IDS_CIRCLE_Y_CENTER, kCategoryGeometry, false},
    {IDS_CIRCLE_Z_CENTER, kCategoryGeometry, false},
    {IDS_CIRCLE_RADIUS, kCategoryGeometry, true},
    {IDS_CIRCLE_CIRCUMFERENCE, kCategoryGeometry, true},
    {IDS_CIRCLE_DIAMETER, kCategoryGeometry, true},
};

inline constexpr PropertyText kPointProperties[] = {
    {IDS_POINT_X_POSITION, kCategoryGeometry, false},
    {IDS_POINT_Y_POSITION, kCategoryGeometry, false},
    {IDS_POINT_Z_POSITION, kCategoryGeometry, false},
};

inline constexpr PropertyText kMTextProperties[] = {
    {IDS_MTEXT_X_POSITION, kCategoryGeometry, false},
    {IDS_MTEXT_Y_POSITION, kCategoryGeometry, false},
    {IDS_MTEXT_Z_POSITION, kCategoryGeometry, false},
    {IDS_MTEXT_CONTENTS, kCategoryText, false},
    {IDS_MTEXT_STYLE, kCategoryText, false},
    {IDS_MTEXT_JUSTIFY, kCategoryText, false},
    {IDS_MTEXT_DIRECTION, kCategoryText, false},
    {IDS_MTEXT_DEFINED_WIDTH, kCategoryText, false},
    {IDS_MTEXT_TEXT_HEIGHT, kCategoryText, false},
    {IDS_MTEXT_ROTATION, kCategoryText, true},
    {IDS_MTEXT_BACKGROUND_MASK, kCategoryText, false},
    {IDS_MTEXT_LINE_SPACING_FACTOR, kCategoryText, false},
    {IDS_MTEXT_LINE_SPACING_DISTANCE, kCategoryText, false},
    {IDS_MTEXT_LINE_SPACING_STYLE, kCategoryText, false},
};

// A block reference's position, rotation and scale; its rotation is a miscellaneous property.
inline constexpr PropertyText kBlockRefProperties[] = {
    {IDS_BLOCK_X_POSITION, kCategoryGeometry, false},
    {IDS_BLOCK_Y_POSITION, kCategoryGeometry, false},
    {IDS_BLOCK_Z_POSITION, kCategoryGeometry, false},
    {IDS_BLOCK_ROTATION, kCategoryMisc, true},
    {IDS_BLOCK_X_SCALE, kCategoryGeometry, false},
    {IDS_BLOCK_Y_SCALE, kCategoryGeometry, false},
    {IDS_BLOCK_Z_SCALE, kCategoryGeometry, false},
};
// clang-format on
