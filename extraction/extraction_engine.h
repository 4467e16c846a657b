// One extraction: the objects of a selection read once into records by kind, the offered
// properties of the chosen kinds, and the row grid of the chosen properties.
#pragma once
#include <map>
#include <set>
#include <vector>

#include "common/text_grid.h"
#include "extraction/block_records.h"
#include "extraction/geometric_records.h"
#include "extraction/property_catalogue.h"
#include "extraction/row_merging.h"
#include "platform/host/db_object.h"

class OvDbEntity;
class OvDbBlockReference;
class OvDbLine;
class OvDbPolyline;
class OvDbArc;
class OvDbCircle;
class OvDbSolid;
class OvDb3dSolid;
class OvDbPoint;
class OvDbMText;
class OvDbTable;
class RowContext;

// The kinds that have at least one record, ascending.
using PresentTypeMap = std::set<int>;
// Handle text of a block reference -> the block definition its preview cell shows.
using BlockPreviewMap = std::map<CString, OvDbObjectId>;
// How the built rows were merged: not at all (one row per object), identical rows combined
// with their count, or rows grouped by one property.
enum class RowMerge { None, Combined, Grouped };

class ExtractionEngine {
public:
  ExtractionEngine();
  // Reads the first count entries of the selection set (a negative count reads none).
  ExtractionEngine(const ov_name selection, long long count, const PropertyCatalogue& catalogue);
  // Reads the objects of the working drawing that the handles name, in that order; a handle
  // whose object is gone (or is no entity) is skipped.
  ExtractionEngine(const std::vector<CString>& handles, const PropertyCatalogue& catalogue);

  PresentTypeMap presentObjectKinds() const;
  // Works out the properties and category filters offered for the chosen kinds.
  void prepare(OfferedPropertyMap& offeredOut, const std::vector<CString>& chosenTypeNames);
  // Builds the row grid of the chosen kinds (set by prepare) and properties, then
  // combines or groups its rows.
  void buildRows(TextGrid& rowsOut, BlockPreviewMap& previewOut, const std::vector<CString>& chosen,
                 bool quantityChosen, bool blockNameChosen, const std::vector<CString>& totals, CString groupBy);
  void setRows(const TextGrid& grid) { rows = grid; }
  // The totals row of the built rows (their header still holding the property names) over
  // the totals names given to buildRows; a combined row's values count as many times as its
  // quantity, and a group row's value in the group-by column once per object of its group.
  // Empty without totals names.
  std::vector<CString> computeTotals() const;

  // Brings an extraction table up to date (defined with the table output); changed tells
  // whether it was written. A refused write is printed and ends the work: false, the table
  // and the handles then half done.
  bool refreshTable(OvDbTable* table, std::vector<CString>& handles, bool grouped,
                    const std::vector<CString>& storedHeaders, bool headerHidden, bool& changed);
  bool rewriteTable(OvDbTable* table, std::vector<CString>& ids, bool& changed);

  void readCommonProperties(CommonProps& out, OvDbEntity* entity) const;
  void extractBlockReference(OvDbBlockReference* reference, const OvDbObjectId& id, CString handle);
  void extractPolyline(OvDbPolyline* polyline, CString handle);
  void extractLine(OvDbLine* line, CString handle);
  void extractCircle(OvDbCircle* circle, CString handle);
  void extractArc(OvDbArc* arc, CString handle);
  void extract3dSolid(OvDb3dSolid* solid, CString handle);
  void extractSolid(OvDbSolid* solid, CString handle);
  void extractPoint(OvDbPoint* point, CString handle);
  void extractMText(OvDbMText* text, CString handle);

  std::vector<BlockRefRecord> blockRefs;
  std::vector<PolyLine> polylines;
  std::vector<Line> lines;
  std::vector<Circle> circles;
  std::vector<KtArc> arcs;
  std::vector<Solid> solids;
  std::vector<Solid3D> solids3d;
  std::vector<KtPoint> points;
  std::set<int> categories;
  std::vector<CString> chosenProperties;
  std::vector<CString> chosenTypeNames;
  PropertyCatalogue catalogue;
  OfferedPropertyMap blockItems;
  OfferedPropertyMap offeredItems;
  std::vector<MultiText> mtexts;
  CString groupBy;
  double step = 1e-8;
  TextGrid rows;
  BlockPreviewMap previewMap;
  // Set by buildRows: how the rows were merged, the totals names it was given, and the
  // objects that each merged row stands for (a row without an entry stands for its own
  // object alone).
  RowMerge rowMerge = RowMerge::None;
  std::vector<CString> totalsNames;
  RowSources rowSources;
  std::vector<CString> rowObjects;  // the objects of the rows in the order they were built

private:
  void extractEntity(OvDbEntity* entity, const OvDbObjectId& id);
  // The rows of every chosen kind, in the order of the chosen kinds; a name of no kind adds
  // none.
  void buildKindRows(RowContext& context) const;

  // Looked up once, not for every object's colour, lineweight, plot style and linetype.
  ByLayerTexts byLayerTexts_ = ByLayerTexts::load();
};

// Replaces the texts of row 0 that the map holds by their display names.
void translateNames(TextGrid& rows, const std::map<CString, CString>& displayNames);
// The name a property's column shows: its display name when the map holds one.
CString displayNameOf(const CString& property, const std::map<CString, CString>& displayNames);
