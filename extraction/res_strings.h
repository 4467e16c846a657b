// Texts of the module's string table, loaded through the MFC resource chain in the
// user-interface language, and message formatting with %1-style inserts.
#pragma once
#include <vector>

#include "platform/mfc/cstring.h"

// The text of the id, or "???" when the id is not in the table.
CString LoadResString(UINT id);
// The text of the id in one language of the module's string table, whatever the session's
// language; "???" when that language lacks the id.
CString LoadResString(UINT id, LANGID language);

// Formats a message text: %1 to %99 take the inserts in order, a placeholder without an
// insert stays as it is, "%%" gives "%", and inserts are never scanned for placeholders.
// Throws std::bad_alloc when memory runs out, also within the formatter.
CString FormatMsgStringV(const CString& format, const std::vector<const wchar_t*>& inserts);

// The text of the id with its placeholders filled; "???" when the id is not found.
CString LoadResFormatV(UINT id, const std::vector<const wchar_t*>& inserts);

namespace res_strings_detail {
inline const wchar_t* insertText(const CString& s) { return s.GetString(); }
inline const wchar_t* insertText(const wchar_t* s) { return s ? s : L""; }
}  // namespace res_strings_detail

template <typename... Inserts>
CString LoadResFormat(UINT id, const Inserts&... inserts) {
  return LoadResFormatV(id, {res_strings_detail::insertText(inserts)...});
}

template <typename... Inserts>
CString FormatMsgString(const CString& format, const Inserts&... inserts) {
  return FormatMsgStringV(format, {res_strings_detail::insertText(inserts)...});
}
