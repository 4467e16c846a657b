// The application names of the xdata lists that link an output table to its extraction:
// the wizard writes them on the table it inserts, the update command reads them back to
// rebuild the table. Writer and reader take them from here, so that they cannot differ.
#pragma once

// The six link lists, in the order the wizard writes them.
inline constexpr wchar_t kObjectHandlesApp[] = L"obj_handles";     // the handle of every data row, in table order
inline constexpr wchar_t kOriginalNamesApp[] = L"original_names";  // the property names behind the columns
inline constexpr wchar_t kDisplayNamesApp[] = L"display_names";    // their display names, entry for entry
inline constexpr wchar_t kObjectTypesApp[] = L"obj_types";         // the names of the object kinds chosen
inline constexpr wchar_t kGroupByApp[] = L"groupby_pr";            // the property that combines rows (one entry)
inline constexpr wchar_t kTableHeadersApp[] = L"tb_headers";       // the header row without its first cell

// The layout list: how the table was made, beyond the six lists (see table_layout.h).
inline constexpr wchar_t kTableLayoutApp[] = L"table_layout";
