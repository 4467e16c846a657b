#include "extraction/xml_nesting.h"

#include <cctype>

namespace {

// One pass over the text by TinyXML's own reading of markup and character references.
// Where TinyXML would stop on an error the scan goes on: it can then only count more,
// never less. TinyXML reads the text up to its first NUL byte.
class NestingScan {
public:
  explicit NestingScan(std::string_view text) : text_(text.substr(0, text.find('\0'))) {}

  std::size_t deepest() {
    for (at_ = text_.find_first_of("<&"); at_ != npos; at_ = text_.find_first_of("<&", at_)) {
      if (text_[at_] == '&') at_ = pastReference(at_);
      else markup();
    }
    return deepest_;
  }

private:
  static constexpr std::size_t npos = std::string_view::npos;

  // The markup that starts at '<', in the order TinyXML tells its kinds apart.
  void markup() {
    if (startsWith(at_, "</")) {
      if (depth_ > 0) --depth_;
      skipPast(">", at_ + 2);
    } else if (startsWith(at_, "<?xml", /*anyCase=*/true)) {
      declaration();
    } else if (startsWith(at_, "<!--")) {
      skipPast("-->", at_ + 4);
    } else if (startsWith(at_, "<![CDATA[")) {
      skipPast("]]>", at_ + 9);
    } else if (startsWith(at_, "<!") || !startsName(at_ + 1)) {
      skipPast(">", at_ + 1);
    } else {
      elementTag();
    }
  }

  // A start tag, one level under the open elements, which stays open unless it ends with
  // "/>". Quotes hold attribute values, in which '>' and "/>" end nothing.
  void elementTag() {
    std::size_t i = at_ + 1;
    while (i < text_.size() && text_[i] != '>') i = text_[i] == '"' || text_[i] == '\'' ? pastQuoted(i) : i + 1;
    if (depth_ + 1 > deepest_) deepest_ = depth_ + 1;
    if (i >= text_.size() || text_[i - 1] != '/') ++depth_;
    at_ = i + 1;
  }

  // "<?xml ...>": only the values of "version", "encoding" and "standalone" are read as
  // attribute values (a '>' quoted there ends nothing); anything else runs to a blank or '>'.
  void declaration() {
    std::size_t i = at_ + 5;
    while (i < text_.size() && text_[i] != '>') {
      i = skipWhiteSpace(i);
      if (startsWith(i, "version", true) || startsWith(i, "encoding", true) || startsWith(i, "standalone", true)) {
        i = pastAttribute(i);
      } else {
        while (i < text_.size() && text_[i] != '>' && !isWhiteSpace(text_[i])) ++i;
      }
    }
    at_ = i + 1;
  }

  // name, '=', value: quoted, or up to a blank, '/' or '>'.
  std::size_t pastAttribute(std::size_t i) const {
    while (i < text_.size() && inName(text_[i])) ++i;
    i = skipWhiteSpace(i);
    if (i >= text_.size() || text_[i] != '=') return i;
    i = skipWhiteSpace(i + 1);
    if (i < text_.size() && (text_[i] == '"' || text_[i] == '\'')) return pastQuoted(i);
    while (i < text_.size() && !isWhiteSpace(text_[i]) && text_[i] != '/' && text_[i] != '>') ++i;
    return i;
  }

  // A quoted attribute value, in which character references are read as in text.
  std::size_t pastQuoted(std::size_t i) const {
    const char quote = text_[i];
    for (++i; i < text_.size() && text_[i] != quote;) i = text_[i] == '&' ? pastReference(i) : i + 1;
    return i < text_.size() ? i + 1 : i;
  }

  // TinyXML reads "&#x" (or "&#") on to the first ';' after it, whatever lies between, when
  // all that follows the last 'x' (or '#') before that ';' are hexadecimal (or decimal)
  // digits: a '<' or a quote there ends nothing. Anything else is one character.
  std::size_t pastReference(std::size_t i) const {
    if (!startsWith(i, "&#")) return i + 1;
    const bool hex = startsWith(i, "&#x");
    const std::size_t semicolon = text_.find(';', i + (hex ? 3 : 2));
    if (semicolon == npos) return i + 1;
    for (std::size_t k = semicolon - 1; text_[k] != (hex ? 'x' : '#'); --k) {
      if (!isDigit(text_[k], hex)) return i + 1;
    }
    return semicolon + 1;
  }

  static bool isDigit(char c, bool hex) {
    return (c >= '0' && c <= '9') || (hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')));
  }

  void skipPast(std::string_view end, std::size_t from) {
    std::size_t found = text_.find(end, from);
    at_ = found == npos ? text_.size() : found + end.size();
  }

  bool startsWith(std::size_t i, std::string_view prefix, bool anyCase = false) const {
    if (text_.size() - i < prefix.size()) return false;
    for (std::size_t k = 0; k < prefix.size(); ++k) {
      auto a = static_cast<unsigned char>(text_[i + k]), b = static_cast<unsigned char>(prefix[k]);
      if (a != b && !(anyCase && a < 128 && std::tolower(a) == b)) return false;
    }
    return true;
  }

  // Every byte from 127 up counts as a letter, as TinyXML counts it.
  bool startsName(std::size_t i) const {
    if (i >= text_.size()) return false;
    auto b = static_cast<unsigned char>(text_[i]);
    return b >= 127 || std::isalpha(b) || b == '_';
  }

  static bool inName(char c) {
    auto b = static_cast<unsigned char>(c);
    return b >= 127 || std::isalnum(b) || c == '_' || c == '-' || c == '.' || c == ':';
  }

  static bool isWhiteSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) || c == '\n' || c == '\r'; }

  // Blanks, and the byte-order mark and U+FFFE and U+FFFF, which TinyXML skips as blanks.
  std::size_t skipWhiteSpace(std::size_t i) const {
    while (i < text_.size()) {
      if (startsWith(i, "\xEF\xBB\xBF") || startsWith(i, "\xEF\xBF\xBE") || startsWith(i, "\xEF\xBF\xBF")) {
        i += 3;
      } else if (isWhiteSpace(text_[i])) {
        ++i;
      } else {
        break;
      }
    }
    return i;
  }

  std::string_view text_;
  std::size_t at_ = npos;
  std::size_t depth_ = 0;
  std::size_t deepest_ = 0;
};

}  // namespace

std::size_t xmlNestingDepth(std::string_view text) { return NestingScan(text).deepest(); }
