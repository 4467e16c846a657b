// The records that extracted objects become: the common base, the base of the geometric
// kinds with their common properties, and the (name, value) pairs that records report.
#pragma once
#include <vector>

#include "extraction/numbers.h"
#include "extraction/property_catalogue.h"
#include "platform/mfc/cstring.h"

class OvDbEntity;

struct PropertyPair {
  CString name;
  CString value;
};

class BaseEnt {
public:
  BaseEnt(const CString& handle, int kind, const CString& name) : kind(kind), name(name), handle(handle) {}
  // The kind's name from the catalogue's list of nine names; empty outside 1 to 9.
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
  GeomEnt(const CString& handle, int kind, const CString& name, const CommonProps& props)
      : BaseEnt(handle, kind, name), props(props) {}
  GeomEnt(const GeomEnt&) = default;
  GeomEnt& operator=(const GeomEnt&) = default;
  // The record's own pairs, named by the items of its kind's list in order.
  virtual std::vector<PropertyPair> fillProperties(const std::vector<PropertyItem>& items) const = 0;
  virtual ~GeomEnt() = default;
  // The eight common pairs, named by the catalogue's general items in order.
  std::vector<PropertyPair> commonProperties(const std::vector<PropertyItem>& generalItems) const;

  CommonProps props;
};

// Pairs named by the items in order, as many as both lists hold.
std::vector<PropertyPair> namedPairs(const std::vector<PropertyItem>& items, const std::vector<CString>& values);

// 256 "ByLayer", 0 "ByBlock", any other index its number.
CString colorToText(std::uint16_t color);
// A text equal to ByLayer or ByBlock, in any case, becomes the localized text.
void localizeByLayerByBlock(CString& text);
// The entity's hyperlink names in the host's order (the entity is open for read).
std::vector<CString> readHyperlink(OvDbEntity* entity);
