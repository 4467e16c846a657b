// The dialog templates of the five wizard pages and of the update dialog, as a resource
// compiler would have stored them: control lists with ids, classes, styles and positions
// in dialog units. The texts here are placeholders; every page sets its texts from the
// string table when it opens. Group boxes come after the controls they frame, so that a
// click inside a frame reaches the control under it.
#include "res/dialogs.h"

#include <cstdint>
#include <string>

#include "platform/win/common_controls.h"
#include "platform/win/dialogs.h"
#include "res/resource_ids.h"

namespace {

constexpr UINT kStaticId = 0xFFFF;  // the id of labels nobody addresses (-1)
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kDialogStyle = DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

DialogControlTemplate control(const wchar_t* className, UINT id, const wchar_t* text, DWORD style, int x, int y, int cx,
                              int cy, DWORD exStyle = 0) {
  DialogControlTemplate c;
  c.className = className;
  c.id = id;
  c.text = text;
  c.style = kChild | style;
  c.exStyle = exStyle;
  c.x = x;
  c.y = y;
  c.cx = cx;
  c.cy = cy;
  return c;
}

DialogControlTemplate label(UINT id, const wchar_t* text, int x, int y, int cx, int cy) {
  return control(WC_STATICW, id, text, SS_LEFT | WS_GROUP, x, y, cx, cy);
}
DialogControlTemplate button(UINT id, const wchar_t* text, int x, int y, int cx = 55, int cy = 14,
                             DWORD kind = BS_PUSHBUTTON) {
  return control(WC_BUTTONW, id, text, kind | WS_TABSTOP | WS_GROUP, x, y, cx, cy);
}
DialogControlTemplate checkBox(UINT id, const wchar_t* text, int x, int y, int cx) {
  return control(WC_BUTTONW, id, text, BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, x, y, cx, 12);
}
DialogControlTemplate groupBox(UINT id, const wchar_t* text, int x, int y, int cx, int cy) {
  return control(WC_BUTTONW, id, text, BS_GROUPBOX, x, y, cx, cy);
}
DialogControlTemplate edit(UINT id, int x, int y, int cx) {
  return control(WC_EDITW, id, L"", ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP, x, y, cx, 14,
                 WS_EX_CLIENTEDGE);
}
DialogControlTemplate listView(UINT id, DWORD view, int x, int y, int cx, int cy) {
  return control(WC_LISTVIEWW, id, L"", view | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP | WS_GROUP, x, y, cx, cy,
                 WS_EX_CLIENTEDGE);
}
// The banner picture: its text names the bitmap resource by number, as "#<id>".
DialogControlTemplate banner() {
  return control(WC_STATICW, kStaticId, (L"#" + std::to_wstring(IDB_BANNER)).c_str(), SS_BITMAP, 0, 0, 330, 40);
}

DialogTemplate page(const wchar_t* caption, int cx, int cy) {
  DialogTemplate d;
  d.caption = caption;
  d.style = kDialogStyle;
  d.cx = cx;
  d.cy = cy;
  d.fontName = L"MS Shell Dlg";
  d.fontSize = 8;
  return d;
}

// Where a page's buttons stand and how they read.
struct PageButtons {
  int y = 0;                    // the top of the row of buttons
  bool previousEnabled = true;  // false on the first page
  const wchar_t* okText = L"Next";
  DWORD okKind = BS_DEFPUSHBUTTON;
};

// Previous, Next (or Finish) and Cancel along the bottom edge.
void addPageButtons(DialogTemplate& d, const PageButtons& buttons) {
  const DWORD previousStyle = BS_PUSHBUTTON | (buttons.previousEnabled ? 0 : WS_DISABLED);
  d.controls.push_back(button(IDC_PREVIOUS, L"Previous", 150, buttons.y, 55, 14, previousStyle));
  d.controls.push_back(button(IDOK, buttons.okText, 210, buttons.y, 55, 14, buttons.okKind));
  d.controls.push_back(button(IDCANCEL, L"Cancel", 270, buttons.y));
}

DialogTemplate startPage() {
  DialogTemplate d = page(L"Data extraction - Starting (1/5)", 330, 250);
  d.controls = {banner(),
                label(IDC_PAGE_HEADING, L"Data extraction wizard", 10, 48, 310, 20),
                checkBox(IDC_NEW_EXTRACTION, L"Create a new data extraction", 10, 75, 200),
                label(IDC_SETTINGS_LABEL, L"Use a .qdx extraction", 10, 95, 200, 10),
                edit(IDC_SETTINGS_PATH, 10, 108, 280),
                button(IDC_SETTINGS_BROWSE, L"...", 295, 108, 25, 14)};
  addPageButtons(d, {.y = 228, .previousEnabled = false, .okText = L"Next", .okKind = BS_DEFPUSHBUTTON});
  return d;
}

DialogTemplate sourcePage() {
  DialogTemplate d = page(L"Data extraction - Define data source (2/5)", 330, 250);
  d.controls = {banner(),
                control(WC_BUTTONW, IDC_CURRENT_DRAWING, L"Current drawing", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP,
                        15, 60, 150, 12),
                label(IDC_DRAWING_LABEL, L"Drawing file :", 25, 76, 100, 10),
                listView(IDC_DRAWING_LIST, LVS_LIST | LVS_SINGLESEL, 25, 88, 290, 40),
                label(IDC_SELECTION_LABEL, L"Objects selection", 15, 140, 200, 10),
                button(IDC_SELECT_OBJECTS, L"...", 220, 138, 25, 14)};
  addPageButtons(d, {.y = 228, .previousEnabled = true, .okText = L"Next", .okKind = BS_DEFPUSHBUTTON});
  d.controls.push_back(groupBox(IDC_SOURCE_GROUP, L"Data source", 5, 45, 320, 175));
  return d;
}

DialogTemplate kindsPage() {
  DialogTemplate d = page(L"Data extraction - Objects selection (3/5)", 330, 250);
  d.controls = {banner(), label(IDC_PAGE_HEADING, L"Please select objects to extract.", 10, 45, 310, 12),
                listView(IDC_KINDS_LIST, LVS_REPORT, 12, 72, 206, 142),
                label(IDC_FILTER_LABEL, L"Filter", 232, 62, 90, 10),
                listView(IDC_FILTER_LIST, LVS_LIST, 232, 74, 90, 60)};
  addPageButtons(d, {.y = 228, .previousEnabled = true, .okText = L"Next", .okKind = BS_DEFPUSHBUTTON});
  d.controls.push_back(groupBox(IDC_OBJECTS_GROUP, L"Objects", 5, 60, 220, 160));
  return d;
}

DialogTemplate propertiesPage() {
  DialogTemplate d = page(L"Data extraction - Properties selection (4/5)", 330, 250);
  d.controls = {banner(),
                label(IDC_PAGE_HEADING, L"Please select properties to extract.", 10, 45, 310, 12),
                listView(IDC_PROPERTY_GRID, LVS_REPORT, 12, 70, 216, 112),
                label(IDC_FILTER_LABEL, L"Filter", 242, 60, 80, 10),
                listView(IDC_FILTER_LIST, LVS_LIST, 242, 72, 80, 80),
                checkBox(IDC_COMBINE_ROWS, L"Combine rows by :", 10, 192, 88),
                control(WC_COMBOBOXW, IDC_GROUP_BY, L"",
                        CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 100, 190, 130, 80),
                checkBox(IDC_HIDE_HEADER, L"Hide header line", 240, 160, 85),
                checkBox(IDC_DISPLAY_TOTALS, L"Display totals", 240, 175, 85),
                label(IDC_TITLE_LABEL, L"Table title :", 10, 211, 58, 10),
                edit(IDC_TITLE_EDIT, 70, 208, 160)};
  addPageButtons(d, {.y = 228, .previousEnabled = true, .okText = L"Next", .okKind = BS_DEFPUSHBUTTON});
  d.controls.push_back(groupBox(IDC_PROPERTIES_GROUP, L"Properties", 5, 58, 230, 130));
  return d;
}

DialogTemplate outputPage() {
  DialogTemplate d = page(L"Data extraction - Output selection (End 5/5)", 330, 280);
  d.controls = {label(IDC_PREVIEW_LABEL, L"Table preview", 10, 5, 200, 10),
                listView(IDC_PREVIEW_GRID, LVS_REPORT, 10, 17, 310, 120),
                label(IDC_OUTPUT_CHOICE_LABEL, L"Please choose an output type for this extraction", 12, 154, 300, 10),
                label(IDC_INSERT_TABLE_LABEL, L"Insert data extraction table in the drawing", 12, 170, 250, 10),
                button(IDC_INSERT_TABLE, L"", 270, 167, 20, 16, BS_PUSHBUTTON | BS_ICON),
                label(IDC_EXPORT_LABEL, L"Export datas in an external file (.csv, .xls)", 12, 188, 250, 10),
                edit(IDC_EXPORT_PATH, 12, 200, 250),
                button(IDC_EXPORT_BROWSE, L"...", 268, 200, 25, 14),
                edit(IDC_SAVE_SETTINGS_PATH, 12, 232, 250),
                button(IDC_SAVE_SETTINGS_BROWSE, L"...", 268, 232, 25, 14)};
  addPageButtons(d, {.y = 258, .previousEnabled = true, .okText = L"Finish", .okKind = BS_PUSHBUTTON});
  d.controls.push_back(groupBox(IDC_SAVE_SETTINGS_GROUP, L"Save extraction (.qdx)", 8, 220, 314, 30));
  d.controls.push_back(groupBox(IDC_OUTPUT_OPTIONS_GROUP, L"Output options", 5, 142, 320, 112));
  return d;
}

DialogTemplate updateDialog() {
  DialogTemplate d = page(L"Updating exportation", 267, 134);
  static const wchar_t* const kLabels[] = {L"Select table and update", L"Add new objects to current table",
                                           L"Replace the objects selection of a table", L"Update exportation"};
  for (UINT i = 0; i < 4; ++i) {
    int y = 20 + 20 * static_cast<int>(i);
    d.controls.push_back(label(IDC_UPDATE_TABLE_LABEL + i, kLabels[i], 15, y, 200, 10));
    d.controls.push_back(button(IDC_UPDATE_TABLE + i, L"...", 225, y - 2, 25, 14));
  }
  d.controls.push_back(button(IDOK, L"Finish", 150, 112, 55, 14, BS_DEFPUSHBUTTON));
  d.controls.push_back(button(IDCANCEL, L"Cancel", 207, 112));
  d.controls.push_back(groupBox(IDC_UPDATE_CHOICE_GROUP, L"Update choice", 5, 5, 257, 100));
  return d;
}

// A banner: a band that fades from dark to light blue, with a lighter stripe at its foot.
BitmapResource bannerBitmap() {
  BitmapResource b;
  b.width = 495;
  b.height = 65;
  b.pixels.resize(static_cast<size_t>(b.width) * static_cast<size_t>(b.height));
  for (int y = 0; y < b.height; ++y)
    for (int x = 0; x < b.width; ++x) {
      std::uint32_t blue = 0x80u + static_cast<std::uint32_t>(x * 0x7F / (b.width - 1));
      std::uint32_t green = 0x30u + static_cast<std::uint32_t>(x * 0x90 / (b.width - 1));
      std::uint32_t pixel = y >= b.height - 4 ? 0xE0ECF8u : (0x10u << 16) | (green << 8) | blue;
      b.pixels[static_cast<size_t>(y) * static_cast<size_t>(b.width) + static_cast<size_t>(x)] = pixel;
    }
  return b;
}

// How a sheet icon is ruled: as a table's grid, or with two lines across.
enum class SheetRuling { Grid, Lines };

// A 16 by 16 icon: a framed sheet in `paper` with ruled lines in `ink` (a table for the
// insert button, a drawing for the source list).
IconResource sheetIcon(std::uint32_t paper, std::uint32_t ink, SheetRuling ruling) {
  IconResource icon;
  icon.width = icon.height = 16;
  icon.pixels.assign(256, 0xFFFFFFu);
  for (int y = 1; y < 15; ++y)
    for (int x = 2; x < 14; ++x) {
      bool frame = x == 2 || x == 13 || y == 1 || y == 14;
      bool rule = ruling == SheetRuling::Grid ? (y % 4 == 1 || x == 7) : (y == 5 || y == 9);
      icon.pixels[static_cast<size_t>(y * 16 + x)] = frame || rule ? ink : paper;
    }
  return icon;
}

}  // namespace

void addDialogResources(ResourceBundle& bundle) {
  auto& dialogs = bundle.dialogs[kDialogResourceLanguage];
  dialogs[IDD_START_PAGE] = startPage();
  dialogs[IDD_SOURCE_PAGE] = sourcePage();
  dialogs[IDD_KINDS_PAGE] = kindsPage();
  dialogs[IDD_PROPERTIES_PAGE] = propertiesPage();
  dialogs[IDD_OUTPUT_PAGE] = outputPage();
  dialogs[IDD_UPDATE_DIALOG] = updateDialog();
  bundle.bitmaps[kDialogResourceLanguage][IDB_BANNER] = bannerBitmap();
  bundle.icons[kDialogResourceLanguage][IDI_INSERT_TABLE] = sheetIcon(0xFFFFF0u, 0x204080u, SheetRuling::Grid);
  bundle.icons[kDialogResourceLanguage][IDI_DRAWING] = sheetIcon(0xF0F8FFu, 0x306030u, SheetRuling::Lines);
}
