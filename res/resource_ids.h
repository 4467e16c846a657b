// The names of the module's resources: its dialog templates, the controls on them, its
// banner bitmap and icons, and its string table. The resource files, the pages, the engine
// and the tests all name an id through this file, never by its number.
#pragma once

// Dialog templates: the five wizard pages and the update dialog.
constexpr int IDD_START_PAGE = 102;
constexpr int IDD_SOURCE_PAGE = 103;
constexpr int IDD_KINDS_PAGE = 110;
constexpr int IDD_PROPERTIES_PAGE = 111;
constexpr int IDD_OUTPUT_PAGE = 112;
constexpr int IDD_UPDATE_DIALOG = 135;

// The banner across the top of the first four pages, and the 16 by 16 icons of the output
// page's insert button and of the source page's drawing list.
constexpr int IDB_BANNER = 109;
constexpr int IDI_INSERT_TABLE = 132;
constexpr int IDI_DRAWING = 133;

// Controls. Ids are unique within a dialog; a number may stand for other controls in other
// dialogs. The controls the wizard pages share:
constexpr int IDC_PREVIOUS = 1001;
constexpr int IDC_PAGE_HEADING = 1035;  // the line under the banner (the start, kinds and properties pages)
constexpr int IDC_FILTER_LABEL = 1039;  // kinds and properties pages
constexpr int IDC_FILTER_LIST = 1023;   // kinds and properties pages

// The start page.
constexpr int IDC_NEW_EXTRACTION = 1004;
constexpr int IDC_SETTINGS_LABEL = 1047;
constexpr int IDC_SETTINGS_PATH = 1046;
constexpr int IDC_SETTINGS_BROWSE = 1002;

// The source page.
constexpr int IDC_SOURCE_GROUP = 1035;
constexpr int IDC_CURRENT_DRAWING = 1037;
constexpr int IDC_DRAWING_LABEL = 1051;
constexpr int IDC_DRAWING_LIST = 1011;
constexpr int IDC_SELECTION_LABEL = 1036;
constexpr int IDC_SELECT_OBJECTS = 1002;

// The object kinds page.
constexpr int IDC_OBJECTS_GROUP = 1038;
constexpr int IDC_KINDS_LIST = 1022;

// The properties page.
constexpr int IDC_PROPERTIES_GROUP = 1040;
constexpr int IDC_PROPERTY_GRID = 1025;
constexpr int IDC_COMBINE_ROWS = 1033;
constexpr int IDC_GROUP_BY = 1034;
constexpr int IDC_HIDE_HEADER = 1029;
constexpr int IDC_DISPLAY_TOTALS = 1028;
constexpr int IDC_TITLE_LABEL = 1057;
constexpr int IDC_TITLE_EDIT = 1056;

// The output page.
constexpr int IDC_PREVIEW_LABEL = 1041;
constexpr int IDC_PREVIEW_GRID = 1022;
constexpr int IDC_OUTPUT_OPTIONS_GROUP = 1038;
constexpr int IDC_OUTPUT_CHOICE_LABEL = 1043;
constexpr int IDC_INSERT_TABLE_LABEL = 1044;
constexpr int IDC_INSERT_TABLE = 1031;
constexpr int IDC_EXPORT_LABEL = 1045;
constexpr int IDC_EXPORT_PATH = 1016;
constexpr int IDC_EXPORT_BROWSE = 1029;
constexpr int IDC_SAVE_SETTINGS_GROUP = 1042;
constexpr int IDC_SAVE_SETTINGS_PATH = 1017;
constexpr int IDC_SAVE_SETTINGS_BROWSE = 1003;

// The update dialog: four actions, each a label and a button, in this order.
constexpr int IDC_UPDATE_CHOICE_GROUP = 1048;
constexpr int IDC_UPDATE_TABLE_LABEL = 1055;
constexpr int IDC_ADD_OBJECTS_LABEL = 1056;
constexpr int IDC_REPLACE_OBJECTS_LABEL = 1057;
constexpr int IDC_UPDATE_EXPORT_LABEL = 1058;
constexpr int IDC_UPDATE_TABLE = 1051;
constexpr int IDC_ADD_OBJECTS = 1052;
constexpr int IDC_REPLACE_OBJECTS = 1053;
constexpr int IDC_UPDATE_EXPORT = 1054;

// The string table: page and dialog texts, property and kind names, the values the
// extraction writes for codes, and the messages of the commands.
constexpr int IDS_START_TITLE = 134;
constexpr int IDS_START_HEADING = 135;
constexpr int IDS_NEW_EXTRACTION = 136;
constexpr int IDS_USE_SETTINGS_FILE = 137;
constexpr int IDS_PREVIOUS = 138;
constexpr int IDS_NEXT = 139;
constexpr int IDS_CANCEL = 140;
constexpr int IDS_SOURCE_TITLE = 141;
constexpr int IDS_DATA_SOURCE = 142;
constexpr int IDS_KINDS_TITLE = 143;
constexpr int IDS_KINDS_HEADING = 144;
constexpr int IDS_OBJECTS_SELECTION = 145;
constexpr int IDS_CURRENT_DRAWING = 146;
constexpr int IDS_DRAWING_FILE = 147;
constexpr int IDS_OBJECTS = 148;
constexpr int IDS_FILTER = 149;
constexpr int IDS_PROPERTIES_TITLE = 150;
constexpr int IDS_PROPERTIES_HEADING = 151;
constexpr int IDS_PROPERTIES = 152;
constexpr int IDS_OUTPUT_TITLE = 153;
constexpr int IDS_COMBINE_ROWS_BY = 154;
constexpr int IDS_TABLE_OPTIONS = 155;
constexpr int IDS_HIDE_HEADER_LINE = 156;
constexpr int IDS_DISPLAY_TOTALS = 157;
constexpr int IDS_TABLE_PREVIEW = 158;
constexpr int IDS_CHOOSE_OUTPUT = 159;
constexpr int IDS_OUTPUT_OPTIONS = 160;
constexpr int IDS_SAVE_SETTINGS = 161;
constexpr int IDS_INSERT_TABLE = 162;
constexpr int IDS_EXPORT_FILE = 163;
constexpr int IDS_FINISH = 164;
constexpr int IDS_PROP_LAYER = 165;
constexpr int IDS_SELECT_DATA_TABLE = 166;
constexpr int IDS_PROP_QUANTITY = 167;
constexpr int IDS_PROP_OBJECT_TYPE = 168;
constexpr int IDS_KIND_BLOCK = 169;
constexpr int IDS_KIND_LINE = 170;
constexpr int IDS_KIND_POLYLINE = 171;
constexpr int IDS_KIND_ARC = 172;
constexpr int IDS_KIND_CIRCLE = 173;
constexpr int IDS_KIND_SOLID = 174;
constexpr int IDS_KIND_3D_SOLID = 175;
constexpr int IDS_KIND_POINT = 176;
constexpr int IDS_PROP_BLOCK_PREVIEW = 177;
constexpr int IDS_PROP_BLOCK_NAME = 178;
constexpr int IDS_CIRCLE_AREA = 179;
constexpr int IDS_CIRCLE_X_CENTER = 180;
constexpr int IDS_CIRCLE_Y_CENTER = 181;
constexpr int IDS_CIRCLE_Z_CENTER = 182;
constexpr int IDS_CIRCLE_RADIUS = 183;
constexpr int IDS_CIRCLE_CIRCUMFERENCE = 184;
constexpr int IDS_CIRCLE_DIAMETER = 185;
constexpr int IDS_SELECT_SOURCE_FIRST = 186;
constexpr int IDS_SOURCE_WARNING = 187;
constexpr int IDS_CSV_EXPORT_DONE = 188;
constexpr int IDS_NO_OUTPUT_QUIT = 189;
constexpr int IDS_BY_LAYER = 190;
constexpr int IDS_BY_BLOCK = 191;
constexpr int IDS_BY_DEFAULT = 192;
constexpr int IDS_PROP_COLOR = 193;
constexpr int IDS_PROP_LINETYPE_SCALE = 194;
constexpr int IDS_PROP_THICKNESS = 195;
constexpr int IDS_PROP_LINE_WEIGHT = 196;
constexpr int IDS_PROP_HYPERLINK = 197;
constexpr int IDS_PROP_PLOT_STYLE = 198;
constexpr int IDS_PROP_LINETYPE = 199;
constexpr int IDS_SELECT_ALL = 200;
constexpr int IDS_NO_SELECTION = 201;
constexpr int IDS_LINE_ANGLE = 202;
constexpr int IDS_LINE_X_DELTA = 203;
constexpr int IDS_LINE_Y_DELTA = 204;
constexpr int IDS_LINE_Z_DELTA = 205;
constexpr int IDS_LINE_X_START = 206;
constexpr int IDS_LINE_Y_START = 207;
constexpr int IDS_LINE_Z_START = 208;
constexpr int IDS_LINE_X_END = 209;
constexpr int IDS_LINE_Y_END = 210;
constexpr int IDS_LINE_Z_END = 211;
constexpr int IDS_LINE_LENGTH = 212;
constexpr int IDS_COLUMN_CATEGORY = 213;
constexpr int IDS_COLUMN_PROPERTY = 214;
constexpr int IDS_COLUMN_DISPLAY_NAME = 215;
constexpr int IDS_COLUMN_TOTAL = 216;
constexpr int IDS_NON_BLOCK = 217;
constexpr int IDS_CATEGORY_GENERAL = 218;
constexpr int IDS_CATEGORY_GEOMETRY = 219;
constexpr int IDS_CATEGORY_MISC = 220;
constexpr int IDS_CATEGORY_ATTRIBUTE = 221;
constexpr int IDS_CATEGORY_DYNAMIC_BLOCK = 222;
constexpr int IDS_POLYLINE_AREA = 223;
constexpr int IDS_POLYLINE_GLOBAL_WIDTH = 224;
constexpr int IDS_POLYLINE_LENGTH = 225;
constexpr int IDS_ARC_AREA = 226;
constexpr int IDS_ARC_START_ANGLE = 227;
constexpr int IDS_ARC_END_ANGLE = 228;
constexpr int IDS_ARC_TOTAL_ANGLE = 229;
constexpr int IDS_ARC_X_CENTER = 230;
constexpr int IDS_ARC_Y_CENTER = 231;
constexpr int IDS_ARC_Z_CENTER = 232;
constexpr int IDS_ARC_LENGTH = 233;
constexpr int IDS_ARC_RADIUS = 234;
constexpr int IDS_POINT_X_POSITION = 235;
constexpr int IDS_POINT_Y_POSITION = 236;
constexpr int IDS_POINT_Z_POSITION = 237;
constexpr int IDS_TABLE_UPDATED = 238;
constexpr int IDS_TABLE_UP_TO_DATE = 239;
constexpr int IDS_TABLE_INSERTION_POINT = 240;
constexpr int IDS_NO_XDATA = 241;
constexpr int IDS_SETTINGS_EXPORT_DONE = 242;
constexpr int IDS_SETTINGS_EXPORT_FAILED = 243;
constexpr int IDS_XLS_EXPORT_DONE = 244;
constexpr int IDS_UPDATE_CHOICE = 245;
// The update dialog's action labels, in the order of its buttons (the dialog counts on it).
constexpr int IDS_UPDATE_TABLE = 246;
constexpr int IDS_ADD_OBJECTS = 247;
constexpr int IDS_REPLACE_OBJECTS = 248;
constexpr int IDS_UPDATE_EXPORT = 249;
constexpr int IDS_UPDATE_TITLE = 250;
constexpr int IDS_NO_TABLE_SELECTED = 251;
constexpr int IDS_FEATURE_UNAVAILABLE = 252;
constexpr int IDS_SELECT_NEW_OBJECTS = 253;
constexpr int IDS_YOUR_NEW_SELECTION = 254;
constexpr int IDS_POLYLINE_CLOSED = 255;
constexpr int IDS_YES = 256;
constexpr int IDS_NO = 257;
constexpr int IDS_BLOCK_X_POSITION = 258;
constexpr int IDS_BLOCK_Y_POSITION = 259;
constexpr int IDS_BLOCK_Z_POSITION = 260;
constexpr int IDS_BLOCK_ROTATION = 261;
constexpr int IDS_BLOCK_X_SCALE = 262;
constexpr int IDS_BLOCK_Y_SCALE = 263;
constexpr int IDS_BLOCK_Z_SCALE = 264;
constexpr int IDS_POLYLINE_LINETYPE_GENERATION = 265;
constexpr int IDS_ENABLED = 266;
constexpr int IDS_DISABLED = 267;
// The justifications of multi-line text: attachment codes 1 to 13 in this order (the
// extraction counts on it), then Fit and Middle.
constexpr int IDS_JUSTIFY_TOP_LEFT = 268;
constexpr int IDS_JUSTIFY_TOP_CENTER = 269;
constexpr int IDS_JUSTIFY_TOP_RIGHT = 270;
constexpr int IDS_JUSTIFY_MIDDLE_LEFT = 271;
constexpr int IDS_JUSTIFY_MIDDLE_CENTER = 272;
constexpr int IDS_JUSTIFY_MIDDLE_RIGHT = 273;
constexpr int IDS_JUSTIFY_BOTTOM_LEFT = 274;
constexpr int IDS_JUSTIFY_BOTTOM_CENTER = 275;
constexpr int IDS_JUSTIFY_BOTTOM_RIGHT = 276;
constexpr int IDS_JUSTIFY_LEFT = 277;
constexpr int IDS_JUSTIFY_CENTER = 278;
constexpr int IDS_JUSTIFY_RIGHT = 279;
constexpr int IDS_JUSTIFY_ALIGNED = 280;
constexpr int IDS_JUSTIFY_FIT = 281;
constexpr int IDS_JUSTIFY_MIDDLE = 282;
constexpr int IDS_DIRECTION_HORIZONTAL = 283;
constexpr int IDS_DIRECTION_VERTICAL = 284;
constexpr int IDS_DIRECTION_BY_STYLE = 285;
constexpr int IDS_TABLE_TITLE = 286;
constexpr int IDS_SPACING_AT_LEAST = 287;
constexpr int IDS_SPACING_EXACTLY = 288;
constexpr int IDS_KIND_MTEXT = 289;
constexpr int IDS_MTEXT_X_POSITION = 290;
constexpr int IDS_MTEXT_Y_POSITION = 291;
constexpr int IDS_MTEXT_Z_POSITION = 292;
constexpr int IDS_MTEXT_CONTENTS = 293;
constexpr int IDS_MTEXT_STYLE = 294;
constexpr int IDS_MTEXT_JUSTIFY = 295;
constexpr int IDS_MTEXT_DIRECTION = 296;
constexpr int IDS_MTEXT_DEFINED_WIDTH = 297;
constexpr int IDS_MTEXT_TEXT_HEIGHT = 298;
constexpr int IDS_MTEXT_ROTATION = 299;
constexpr int IDS_MTEXT_BACKGROUND_MASK = 300;
constexpr int IDS_MTEXT_LINE_SPACING_FACTOR = 301;
constexpr int IDS_MTEXT_LINE_SPACING_DISTANCE = 302;
constexpr int IDS_MTEXT_LINE_SPACING_STYLE = 303;
constexpr int IDS_CATEGORY_TEXT = 304;
constexpr int IDS_BAD_SETTINGS_FILE = 305;
constexpr int IDS_CELLS_CUT = 306;
constexpr int IDS_CHECK_ONE_KIND = 307;
constexpr int IDS_CHECK_ONE_PROPERTY = 308;
constexpr int IDS_CSV_EXPORT_FAILED = 309;
constexpr int IDS_XLS_EXPORT_FAILED = 310;
constexpr int IDS_UNKNOWN_KIND = 311;
constexpr int IDS_DAMAGED_LINK_LIST = 312;
constexpr int IDS_TABLE_NOT_WRITABLE = 313;
constexpr int IDS_GROUPED_IN_ITS_LANGUAGE = 314;
constexpr int IDS_COMMAND_STOPPED = 315;
constexpr int IDS_LINK_LISTS_NOT_WRITTEN = 316;
constexpr int IDS_TABLE_NOT_PUT_BACK = 317;
