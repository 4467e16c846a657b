// A generated drawing of mixed objects on the stand-in host database, for the benchmarks.
#pragma once
#include <memory>
#include <vector>

#include "platform/host/db_blocks.h"
#include "platform/host/db_curves.h"
#include "platform/host/db_database.h"
#include "platform/host/db_mtext.h"
#include "platform/host/db_point_solid.h"
#include "platform/mfc/cstring.h"

namespace bench {

inline constexpr double kPi = 3.14159265358979323846;
inline const std::vector<CString> kAllKinds{L"Block", L"Line",     L"Polyline", L"Arc",  L"Circle",
                                            L"Solid", L"3D Solid", L"Point",    L"MText"};

// A drawing of n objects cycling through the nine kinds, on 20 layers; the sizes and places
// take `values` values in turn (7: combining finds many equal rows; n: every row differs).
inline std::unique_ptr<OvDbDatabase> generateDrawing(int n, int values = 7) {
  auto db = std::make_unique<OvDbDatabase>();
  OvDbBlockTable* table = nullptr;
  db->getBlockTable(table, Ovis::kForWrite);
  OvDbObjectId blocks[3];
  const wchar_t* names[] = {L"Door", L"Window", L"Column"};
  for (int b = 0; b < 3; ++b) {
    auto* record = new OvDbBlockTableRecord;
    record->setName(names[b]);
    table->add(blocks[b], record);
    record->close();
  }
  table->close();
  OvDbBlockTableRecord* space = nullptr;
  ovdbOpenObject(space, db->modelSpaceId(), Ovis::kForWrite);
  for (int i = 0; i < n; ++i) {
    int v = i % values;
    OvDbEntity* e = nullptr;
    switch (i % 9) {
      case 0: e = new OvDbBlockReference({double(v), 2.0 * v, 0}, blocks[i % 3]); break;
      case 1: e = new OvDbLine({0, 0, 0}, {double(v), 1.0, 0}); break;
      case 2: {
        auto* p = new OvDbPolyline;
        p->addVertexAt(0, {0, 0}, 0);
        p->addVertexAt(1, {double(v + 1), 0}, 0.5);
        p->addVertexAt(2, {double(v + 1), 2}, 0);
        p->setClosed(v % 2 == 0);
        e = p;
        break;
      }
      case 3: e = new OvDbArc({0, 0, 0}, 1 + v, 0, kPi / (1 + v)); break;
      case 4: e = new OvDbCircle({double(v), 0, 0}, 0.5 + v); break;
      case 5: e = new OvDbSolid({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}); break;
      case 6: {
        auto* s = new OvDb3dSolid;
        s->createBox(1, 1, 1 + v);
        e = s;
        break;
      }
      case 7: e = new OvDbPoint({double(v), 0, 0.5 * v}); break;
      default: {
        auto* t = new OvDbMText;
        t->setContents(v % 2 ? L"Room" : L"Hall");
        t->setLocation({double(v), 1, 0});
        e = t;
        break;
      }
    }
    CString layer;
    layer.Format(L"L%d", (i / 9) % 20);
    e->setLayer(layer);
    e->setColorIndex(static_cast<std::uint16_t>(1 + i % 7));
    OvDbObjectId id;
    space->appendOvDbEntity(id, e);
    if (auto* reference = OvDbBlockReference::cast(e)) {
      CString number;
      number.Format(L"%d", v);
      auto* a = new OvDbAttribute(L"NUMBER", number);
      OvDbObjectId attributeId;
      reference->appendAttribute(attributeId, a);
      a->close();
    }
    e->close();
  }
  space->close();
  return db;
}

}  // namespace bench
