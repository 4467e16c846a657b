#include "extraction/settings_file.h"

#include <tinyxml.h>

#include <fstream>
#include <iterator>

#include "platform/win/codepage.h"
#include "platform/win/wide_numbers.h"

namespace {

std::string toXmlText(const CString& text) { return WideToUtf8(text.str()); }

// Attribute texts are UTF-8; a text that is not (a file written in code page 1252 by an
// older version) is read in that code page.
CString fromXmlText(const char* text) {
  if (!text) return CString();
  std::wstring wide;
  if (Utf8ToWide(text, wide)) return CString(wide);
  return CString(AnsiToWide(text));
}

CString attributeOf(const TiXmlElement* element, const char* name) { return fromXmlText(element->Attribute(name)); }

TiXmlElement* appendElement(TiXmlNode* parent, const char* name) {
  return parent->LinkEndChild(new TiXmlElement(name))->ToElement();
}

}  // namespace

bool saveSettingsXml(CString path, const std::map<CString, CString>& displayNames, CString title,
                     const std::vector<CString>& options, int groupByIndex) {
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
  }

  TiXmlElement* table = appendElement(root, "KtTable");
  table->SetAttribute("title", toXmlText(title));

  return document.SaveFile(WideToUtf8(path.str()));
}

bool loadSettingsXml(CString path, std::vector<CString>& propertyNames, CString& title,
                     std::map<CString, CString>& displayNames, std::vector<CString>& options,
                     int& groupByIndex) {
  groupByIndex = -1;
  // Bytes are taken as they stand and decoded text by text, so that both UTF-8 files and
  // older code-page files load; a byte-order mark that an editor put first is passed over.
  std::ifstream file(WideToUtf8(path.str()), std::ios::binary);
  if (!file) return false;
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
  TiXmlDocument document;
  document.Parse(bytes.c_str(), nullptr, TIXML_ENCODING_LEGACY);
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
      groupByIndex = _wtoi(attributeOf(option, "value"));
      if (groupByIndex < -1) groupByIndex = -1;
    } else {
      options.push_back(name);
    }
  }

  TiXmlElement* table = root->FirstChildElement("KtTable");
  title = table ? attributeOf(table, "title") : CString();
  return true;
}
