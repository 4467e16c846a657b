#include "extraction/settings_file.h"

#include <tinyxml.h>

#include <climits>
#include <fstream>
#include <optional>
#include <string>

#include "common/file_replacement.h"
#include "extraction/xml_nesting.h"
#include "platform/win/codepage.h"
#include "platform/win/wide_numbers.h"

namespace {

// The attribute that names the group-by property beside its index.
const char* const kGroupByProperty = "property";

// A settings file nests three elements deep: the root, its sections, their entries. Deeper
// nesting, or a file larger than any list of properties makes one, is no settings file;
// the parser, which recurses once per level, never sees it.
constexpr std::size_t kMaxDepth = 3;
constexpr std::streamsize kMaxBytes = 1 << 20;

// The file's bytes, or nothing when it cannot be read or is larger than a settings file.
std::optional<std::string> readSettingsBytes(const CString& path) {
  std::ifstream file(WideToUtf8(path.str()), std::ios::binary);
  if (!file) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(kMaxBytes) + 1, '\0');
  file.read(bytes.data(), kMaxBytes + 1);
  if (file.bad() || file.gcount() > kMaxBytes) return std::nullopt;
  bytes.resize(static_cast<std::size_t>(file.gcount()));
  return bytes;
}

// The group-by index a "GroupBy" value gives: a whole number in decimal digits, else -1
// (no grouping), as for any value that names no property.
int groupByIndexOf(const CString& value) {
  if (value.IsEmpty() || value.GetLength() > 10 || value.SpanIncluding(L"0123456789") != value) return -1;
  long long index = _wtoi64(value);
  return index <= INT_MAX ? static_cast<int>(index) : -1;
}

// XML holds no control character but tab, line feed and carriage return, and neither
// U+FFFE nor U+FFFF, not even as a reference: such a character is written as U+FFFD, as
// the characters that UTF-8 cannot hold are, so that other readers accept the file.
std::string toXmlText(const CString& text) {
  std::wstring held(text.str());
  for (wchar_t& ch : held) {
    bool control = ch >= 0 && ch < 0x20 && ch != L'\t' && ch != L'\n' && ch != L'\r';
    if (control || ch == 0xFFFE || ch == 0xFFFF) ch = 0xFFFD;
  }
  return WideToUtf8(held);
}

// The document is parsed as UTF-8, so every attribute text is UTF-8.
CString fromXmlText(const char* text) {
  std::wstring wide;
  if (text) Utf8ToWide(text, wide);
  return CString(wide);
}

// The file's bytes as UTF-8: a file that is valid UTF-8 stands as it is; any other was
// written in the ANSI code page (as older versions did under the same declaration).
std::string asUtf8(std::string bytes) {
  std::wstring wide;
  if (Utf8ToWide(bytes, wide)) return bytes;
  return WideToUtf8(AnsiToWide(bytes));
}

CString attributeOf(const TiXmlElement* element, const char* name) { return fromXmlText(element->Attribute(name)); }

TiXmlElement* appendElement(TiXmlNode* parent, const char* name) {
  return parent->LinkEndChild(new TiXmlElement(name))->ToElement();
}

}  // namespace

bool saveSettingsXml(CString path, const std::map<CString, CString>& displayNames, CString title,
                     const std::vector<CString>& options, int groupByIndex, CString groupByName) {
  TiXmlDocument document;
  document.LinkEndChild(new TiXmlDeclaration("1.0", "UTF-8", "yes"));
  TiXmlElement* root = appendElement(&document, "KtDataExtraction");

  TiXmlElement* state = appendElement(root, "State");
  for (const auto& [name, display] : displayNames) {
    TiXmlElement* property = appendElement(state, "Property");
    property->SetAttribute("name", toXmlText(name));
    property->SetAttribute("display", toXmlText(display));
    property->SetAttribute("checked", "1");
  }

  TiXmlElement* exOptions = appendElement(root, "ExOptions");
  for (const CString& option : options) {
    TiXmlElement* element = appendElement(exOptions, "Option");
    element->SetAttribute("name", toXmlText(option));
    element->SetAttribute("value", "checked");
  }
  if (groupByIndex != -1) {
    TiXmlElement* element = appendElement(exOptions, "Option");
    element->SetAttribute("name", "GroupBy");
    element->SetAttribute("value", groupByIndex);
    if (!groupByName.IsEmpty()) element->SetAttribute(kGroupByProperty, toXmlText(groupByName));
  }

  TiXmlElement* table = appendElement(root, "KtTable");
  table->SetAttribute("title", toXmlText(title));

  // Printed to memory and written by a writer that checks every write and the close.
  TiXmlPrinter printer;
  document.Accept(&printer);
  return writeWholeFile(path.str(), std::string_view(printer.CStr(), printer.Size()));
}

bool loadSettingsXml(CString path, std::vector<CString>& propertyNames, CString& title,
                     std::map<CString, CString>& displayNames, std::vector<CString>& options, int& groupByIndex,
                     CString& groupByName) {
  groupByIndex = -1;
  groupByName.Empty();
  // A byte-order mark that an editor put first is passed over. Parsed as UTF-8 whatever
  // the declaration says, character references become the characters they name.
  std::optional<std::string> read = readSettingsBytes(path);
  if (!read) return false;
  std::string bytes = std::move(*read);
  if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
  bytes = asUtf8(std::move(bytes));
  if (xmlNestingDepth(bytes) > kMaxDepth) return false;
  TiXmlDocument document;
  document.Parse(bytes.c_str(), nullptr, TIXML_ENCODING_UTF8);
  if (document.Error()) return false;

  TiXmlHandle handle(&document);
  TiXmlElement* root = handle.FirstChildElement("KtDataExtraction").ToElement();
  TiXmlElement* state = root ? root->FirstChildElement("State") : nullptr;
  TiXmlElement* first = state ? state->FirstChildElement("Property") : nullptr;
  if (!first) return false;

  for (TiXmlElement* property = first; property; property = property->NextSiblingElement()) {
    CString name = attributeOf(property, "name");
    propertyNames.push_back(name);
    displayNames.emplace(name, attributeOf(property, "display"));
  }

  TiXmlElement* exOptions = state->NextSiblingElement();
  TiXmlElement* firstOption = exOptions ? exOptions->FirstChildElement("Option") : nullptr;
  for (TiXmlElement* option = firstOption; option; option = option->NextSiblingElement()) {
    CString name = attributeOf(option, "name");
    if (name == L"GroupBy") {
      groupByIndex = groupByIndexOf(attributeOf(option, "value"));
      groupByName = groupByIndex == -1 ? CString() : attributeOf(option, kGroupByProperty);
    } else {
      options.push_back(name);
    }
  }

  TiXmlElement* table = root->FirstChildElement("KtTable");
  title = table ? attributeOf(table, "title") : CString();
  return true;
}
