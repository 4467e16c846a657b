// The entity base: an object with graphics and the properties every entity carries.
#pragma once
#include <string>
#include <vector>

#include "platform/host/db_object.h"

namespace OvDb {
// Lineweights in hundredths of a millimetre, and the three special values.
enum LineWeight : int {
  kLnWtByLayer = -1,
  kLnWtByBlock = -2,
  kLnWtByLwDefault = -3,
  kLnWt013 = 13,
  kLnWt018 = 18,
  kLnWt025 = 25,
  kLnWt035 = 35,
  kLnWt050 = 50,
  kLnWt211 = 211,
};
}  // namespace OvDb

class OvDbHyperlinkCollection;

class OvDbEntity : public OvDbObject {
public:
  OVRX_DECLARE_MEMBERS(OvDbEntity)

  // The texts stay owned by the entity.
  const wchar_t* layer() const;
  Ovis::ErrorStatus setLayer(const wchar_t* name);
  // 0 ByBlock, 1 to 255 an index, 256 ByLayer.
  std::uint16_t colorIndex() const;
  Ovis::ErrorStatus setColorIndex(std::uint16_t color);
  const wchar_t* linetype() const;
  Ovis::ErrorStatus setLinetype(const wchar_t* name);
  double linetypeScale() const;
  Ovis::ErrorStatus setLinetypeScale(double scale);
  OvDb::LineWeight lineWeight() const;
  Ovis::ErrorStatus setLineWeight(OvDb::LineWeight weight);
  const wchar_t* plotStyleName() const;
  Ovis::ErrorStatus setPlotStyleName(const wchar_t* name);

private:
  friend class OvDbEntityHyperlinkPE;
  std::wstring layer_ = L"0";
  std::uint16_t color_ = 256;
  std::wstring linetype_ = L"ByLayer";
  double linetypeScale_ = 1.0;
  OvDb::LineWeight lineWeight_ = OvDb::kLnWtByLayer;
  std::wstring plotStyle_ = L"ByLayer";
  struct Link {
    std::wstring name, description, subLocation;
  };
  std::vector<Link> hyperlinks_;  // kept here, reached through the hyperlink extension
};

// Opens an entity; eNotThatKindOfClass when the object is not one.
inline Ovis::ErrorStatus ovdbOpenOvDbEntity(OvDbEntity*& entity, OvDbObjectId id, Ovis::OpenMode mode,
                                            bool openErased = false) {
  return ovdbOpenObject(entity, id, mode, openErased);
}
