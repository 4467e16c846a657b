// libFuzzer target of the settings-file loader. Every input is a settings file: it is
// loaded, never with a crash or a stall, and what the loader reads must hang together. An
// input in UTF-8 is also parsed by TinyXML itself: the elements TinyXML makes may nest no
// deeper than the nesting measure says, for the loader refuses deep files by that measure
// before TinyXML, which recurses once per level, sees them.
#include <tinyxml.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "extraction/settings_file.h"
#include "extraction/xml_nesting.h"
#include "platform/win/codepage.h"

namespace {

// Nesting up to this depth is parsed by TinyXML directly without fear for the stack.
constexpr std::size_t kParsedDepth = 200;

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "settings_file_fuzz: %s\n", what);
  std::abort();
}

// How deep the elements under the node nest, walked without recursion.
std::size_t elementDepth(const TiXmlNode& top) {
  std::size_t deepest = 0;
  std::vector<std::pair<const TiXmlNode*, std::size_t>> open = {{&top, 0}};
  while (!open.empty()) {
    auto [node, depth] = open.back();
    open.pop_back();
    for (const TiXmlNode* child = node->FirstChild(); child; child = child->NextSibling()) {
      if (!child->ToElement()) continue;
      deepest = std::max(deepest, depth + 1);
      open.emplace_back(child, depth + 1);
    }
  }
  return deepest;
}

// TinyXML, on the text as the loader hands it over (UTF-8), nests no deeper than measured.
void checkNestingMeasure(const std::string& text) {
  std::wstring wide;
  const std::size_t measured = xmlNestingDepth(text);
  if (!Utf8ToWide(text, wide) || measured > kParsedDepth) return;
  TiXmlDocument document;
  document.Parse(text.c_str(), nullptr, TIXML_ENCODING_UTF8);
  if (elementDepth(document) > measured) fail("TinyXML nests deeper than the measure says");
}

// The input as a file of its own, removed when it is done.
struct ScratchFile {
  const std::string path = std::filesystem::temp_directory_path().string() + "/settings_file_fuzz_" +
                           std::to_string(getpid()) + ".qdx";
  explicit ScratchFile(const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) fail("cannot write the scratch file");
  }
  ~ScratchFile() { std::remove(path.c_str()); }
};

// What the loader gives: a group-by name only beside an index, every property name with
// its display name, at least one property when the file was read.
void checkLoaded(const ScratchFile& file) {
  std::vector<CString> names, options;
  CString title, groupByName;
  std::map<CString, CString> displayNames;
  int groupBy = 99;
  const bool loaded =
      loadSettingsXml(CString(std::wstring(file.path.begin(), file.path.end())), names, title, displayNames, options,
                      groupBy, groupByName);
  if (groupBy < -1) fail("a group-by index below -1");
  if (groupBy == -1 && !groupByName.IsEmpty()) fail("a group-by name without an index");
  if (loaded && names.empty()) fail("a file read without a property");
  for (const CString& name : names) {
    if (displayNames.count(name) == 0) fail("a property without its display name");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  checkNestingMeasure(text);
  checkLoaded(ScratchFile(text));
  return 0;
}
