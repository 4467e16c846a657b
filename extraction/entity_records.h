// The records that extracted objects become: the common base, the base of the geometric
// kinds with their common properties, and the (name, value) pairs that records report.
#pragma once
#include <algorithm>
#include <cassert>
#include <utility>
#include <vector>

#include "common/numbers.h"
#include "extraction/property_catalogue.h"
#include "platform/mfc/cstring.h"

class OvDbEntity;

struct PropertyPair {
  CString name;
  CString value;
};

class BaseEnt {
public:
  BaseEnt(CString handle, int kind, CString name) : kind(kind), name(std::move(name)), handle(std::move(handle)) {}
  // The kind's name from the catalogue's list of the kinds' names; empty for a code of no kind.
  CString kindName(const std::vector<CString>& typeNames) const;

  int kind;
  CString name;
  CString handle;
};

struct CommonProps {
  CString layer;
  CString color;
  double linetypeScale = 0.0;
  double thickness = 0.0;
  CString lineWeight;
  std::vector<CString> hyperlinks;
  CString plotStyle;
  CString linetype;
};

class GeomEnt : public BaseEnt {
public:
  GeomEnt(CString handle, int kind, CString name, CommonProps props)
      : BaseEnt(std::move(handle), kind, std::move(name)), props(std::move(props)) {}
  GeomEnt(const GeomEnt&) = default;
  GeomEnt& operator=(const GeomEnt&) = default;
  // Records move when the engine's vectors grow, instead of copying every text.
  GeomEnt(GeomEnt&&) noexcept = default;
  GeomEnt& operator=(GeomEnt&&) noexcept = default;
  // The record's own pairs, named by the items of its kind's list in order.
  virtual std::vector<PropertyPair> fillProperties(const std::vector<PropertyItem>& items) const = 0;
  virtual ~GeomEnt() = default;
  // The eight common pairs, named by the catalogue's general items in order.
  std::vector<PropertyPair> commonProperties(const std::vector<PropertyItem>& generalItems) const;
  // The value of common pair i (i below kCommonCount), as commonProperties gives it.
  static constexpr std::size_t kCommonCount = 8;
  CString commonValue(std::size_t i) const;

  CommonProps props;
};

// The record's count values as pairs, pair i named by item i and valued valueOf(i). The items
// are the catalogue's list for the record, one item for each of its values: the records'
// counts and the lists' lengths are checked against each other when they compile.
template <typename ValueOf>
std::vector<PropertyPair> namedPairs(const std::vector<PropertyItem>& items, std::size_t count, ValueOf valueOf) {
  assert(items.size() == count && "the list names each of the record's values");
  std::vector<PropertyPair> pairs;
  pairs.reserve(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) pairs.push_back({items[i].name, valueOf(i)});
  return pairs;
}

// The localized "ByLayer", "ByBlock" and "Default" texts, loaded once for many objects.
struct ByLayerTexts {
  CString byLayer, byBlock, byDefault;
  static ByLayerTexts load();
};

// 256 "ByLayer", 0 "ByBlock", any other index its number.
CString colorToText(std::uint16_t color);
CString colorToText(std::uint16_t color, const ByLayerTexts& texts);
// A text equal to ByLayer or ByBlock, in any case, becomes the localized text.
void localizeByLayerByBlock(CString& text);
void localizeByLayerByBlock(CString& text, const ByLayerTexts& texts);
// The entity's hyperlink names in the host's order (the entity is open for read).
std::vector<CString> readHyperlink(OvDbEntity* entity);
