#include "gridctrl/column_trait_hyperlink.h"

#include <cstring>
#include <cwctype>
#include <string>

#include "gridctrl/list_grid_ctrl.h"
#include "gridctrl/trait_visitor.h"

namespace {

// A web search that takes the cell text as its query.
const wchar_t kSearchPrefix[] = L"https://duckduckgo.com/?q=";

bool isWebPrefix(const CString& prefix) {
  CString lower = prefix;
  lower.MakeLower();
  return lower.Find(L"http://") == 0 || lower.Find(L"https://") == 0;
}

// Whether the text goes into the path of a web link: its prefix has no query or fragment yet.
bool isPathPrefix(const CString& prefix) {
  return isWebPrefix(prefix) && prefix.Find(L'?') < 0 && prefix.Find(L'#') < 0;
}

bool isUnreserved(unsigned char byte) {
  return (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || byte == '-' ||
         byte == '_' || byte == '.' || byte == '~';
}

bool isHexDigit(unsigned char byte) {
  return (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'f') || (byte >= 'A' && byte <= 'F');
}

// Whether the byte at `i` may stand as it is in a link's path: an unreserved character, a
// delimiter, or the '%' of an escape the text holds already.
bool isPathByte(const std::string& bytes, size_t i) {
  unsigned char byte = static_cast<unsigned char>(bytes[i]);
  if (byte == '%')
    return i + 2 < bytes.size() && isHexDigit(static_cast<unsigned char>(bytes[i + 1])) &&
           isHexDigit(static_cast<unsigned char>(bytes[i + 2]));
  return isUnreserved(byte) || (byte != 0 && std::strchr("/?#&=:@+,;", byte));
}

// The text's UTF-8 bytes, every byte written as %XX but the unreserved characters and, in a
// path, the others a URL may hold.
CString percentEncoded(const CString& text, bool inPath) {
  static const wchar_t kHex[] = L"0123456789ABCDEF";
  std::string bytes = WideToUtf8(text.str());
  CString encoded;
  for (size_t i = 0; i < bytes.size(); ++i) {
    unsigned char byte = static_cast<unsigned char>(bytes[i]);
    if (inPath ? isPathByte(bytes, i) : isUnreserved(byte)) {
      encoded += static_cast<wchar_t>(byte);
    } else {
      encoded += L'%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 0x0F];
    }
  }
  return encoded;
}

// Control characters by Unicode, whatever the locale: C0 and C1, delete, and the line and
// paragraph separators, which break a line as a line feed does.
bool isControlCharacter(wchar_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029; }

bool hasControlCharacter(const CString& text) {
  for (int i = 0; i < text.GetLength(); ++i)
    if (isControlCharacter(text[i])) return true;
  return false;
}

// The link as one quoted argument: backslashes before the closing quote are doubled so
// that they do not escape it.
CString quotedArgument(const CString& link) {
  int trailing = 0;
  while (trailing < link.GetLength() && link[link.GetLength() - 1 - trailing] == L'\\') ++trailing;
  return L"\"" + link + CString(L'\\', trailing) + L"\"";
}

// The scheme of a link ("https" of "https://..."); empty when it has none. A single letter
// before the colon is a drive, not a scheme.
CString schemeOf(const CString& link) {
  int colon = link.Find(L':');
  if (colon < 2 || !std::iswalpha(static_cast<wint_t>(link[0]))) return CString();
  for (int i = 1; i < colon; ++i) {
    wchar_t c = link[i];
    if (!std::iswalnum(static_cast<wint_t>(c)) && c != L'+' && c != L'-' && c != L'.') return CString();
  }
  return link.Left(colon);
}

}  // namespace

CColumnTraitHyperLink::CColumnTraitHyperLink() : prefix(kSearchPrefix) {
  SetEditOnSingleClick(true);
  linkSchemes.Add(CString(L"http"));
  linkSchemes.Add(CString(L"https"));
  linkSchemes.Add(CString(L"mailto"));
}

CColumnTraitHyperLink::~CColumnTraitHyperLink() = default;

void CColumnTraitHyperLink::AcceptVisitor(CTraitVisitor& visitor) { visitor.Visit(*this); }

int CColumnTraitHyperLink::ClassifyClick(CListGridCtrl& owner, int row, int col, CPoint pt, bool dblClick) {
  int click = CColumnTraitImage::ClassifyClick(owner, row, col, pt, dblClick);
  CRect label;
  if (click == kClickNone || !owner.GetCellArea(row, col, LVIR_LABEL, label) || !label.PtInRect(pt)) return click;
  // On the label only the link text itself opens the link.
  return GetLinkArea(owner, row, col, owner.GetItemText(row, col)).PtInRect(pt) ? click : kClickNone;
}

CWnd* CColumnTraitHyperLink::OpenEditor(CListGridCtrl& owner, int row, int col, CPoint pt) {
  return CColumnTraitImage::OpenEditor(owner, row, col, pt);
}

CWnd* CColumnTraitHyperLink::OpenEditor(CListGridCtrl& owner, int row, int col) {
  OpenLink(owner, row, col, owner.GetItemText(row, col));
  NMLVDISPINFO info{};
  CListGridCtrl::SendEndLabelEdit(owner, row, col, info);
  return nullptr;
}

bool CColumnTraitHyperLink::QueryCellTextFont(NMLVCUSTOMDRAW* draw, LOGFONT& font) {
  CDC* dc = draw ? CDC::FromHandle(draw->nmcd.hdc) : nullptr;
  CFont* current = dc ? dc->GetCurrentFont() : nullptr;
  if (!current || !current->GetLogFont(&font)) return false;
  font.lfUnderline = TRUE;
  return true;
}

bool CColumnTraitHyperLink::QueryCellTextColor(NMLVCUSTOMDRAW* draw, COLORREF& color) {
  color = draw && (draw->nmcd.uItemState & CDIS_HOT) ? hotColor : linkColor;
  return true;
}

bool CColumnTraitHyperLink::HasAllowedScheme(const CString& link) const {
  CString scheme = schemeOf(link);
  if (scheme.IsEmpty()) return false;
  for (int i = 0; i < linkSchemes.GetSize(); ++i)
    if (scheme.CompareNoCase(linkSchemes[i]) == 0) return true;
  return false;
}

bool CColumnTraitHyperLink::BuildLaunch(const CString& text, CString& file, CString& parameters) const {
  if (text.IsEmpty()) return false;
  CString link = prefix + (isWebPrefix(prefix) ? percentEncoded(text, isPathPrefix(prefix)) : text) + suffix;
  if (hasControlCharacter(link)) return false;
  if (program.IsEmpty()) {
    if (!HasAllowedScheme(link)) return false;
    file = link;
    parameters.Empty();
    return true;
  }
  if (link.Find(L'"') >= 0) return false;
  file = program;
  parameters = quotedArgument(link);
  return true;
}

bool CColumnTraitHyperLink::OpenLink(CListGridCtrl& owner, int, int, const CString& text) {
  CString file;
  CString parameters;
  if (!BuildLaunch(text, file, parameters)) return false;
  ShellExecuteW(owner.GetSafeHwnd(), operation.IsEmpty() ? nullptr : operation.GetString(), file.GetString(),
                parameters.IsEmpty() ? nullptr : parameters.GetString(), nullptr, showCommand);
  return true;
}

CRect CColumnTraitHyperLink::GetLinkArea(CListGridCtrl& owner, int row, int col, const CString& text) {
  int textWidth = 0;
  {
    CClientDC dc(&owner);
    CFont* previous = dc.SelectObject(owner.GetGridCellFont());
    textWidth = dc.GetTextExtent(text).cx;
    if (previous) dc.SelectObject(previous);
  }
  CRect area(0, 0, 0, 0);
  owner.GetCellArea(row, col, LVIR_LABEL, area);
  HDITEM item{};
  item.mask = HDI_FORMAT;
  if (CHeaderCtrl* header = owner.GetHeaderCtrl()) header->GetItem(col, &item);
  bool centred = (item.fmt & HDF_CENTER) != 0;
  bool right = !centred && (item.fmt & HDF_RIGHT) != 0;
  if (col != 0 && !centred) area.OffsetRect(right ? -7 : 4, 0);
  if (centred) area.DeflateRect((area.Width() - textWidth) / 2, 0);
  else if (right) area.left = area.right - textWidth;
  else area.right = area.left + textWidth;
  return area;
}
