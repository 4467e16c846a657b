// The totals row of a table against the sum over the objects its rows stand for, worked out
// here from the values the objects were drawn with. For each seed a drawing of lines and
// circles (few distinct values, so that rows combine and groups hold several objects) goes
// through the wizard with random properties, totals and a property to combine rows by; the
// table it inserts is checked, then the drawing changes and the update command refreshes
// the table, which is checked again.
#include <cstdlib>
#include <random>

#include "wizard_script.h"

#include "res/resource_ids.h"
#include "tests/support/engine_test_support.h"

using namespace update_test;

namespace {

using Rng = std::mt19937;

bool chance(Rng& rng, double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; }

template <typename T>
T anyOf(Rng& rng, const std::vector<T>& items) {
  return items[std::uniform_int_distribution<size_t>(0, items.size() - 1)(rng)];
}

// An object of the drawing with the values it was given; sums of these values are exact.
struct Shape {
  OvDbObjectId id;
  bool line = true;
  CString layer;  // a number, so that a total of the layers adds up
  double start = 0, length = 0, radius = 0;
  bool erased = false;

  // The value of a property as the totals count it: a cell that shows no number adds 0.
  double value(const CString& property) const {
    if (property == L"Quantity") return 1;
    if (property == L"Layer") return std::wcstod(layer.GetString(), nullptr);
    if (property == L"Length") return line ? length : 0;
    if (property == L"X Start") return line ? start : 0;
    if (property == L"Radius") return line ? 0 : radius;
    if (property == L"Diameter") return line ? 0 : 2 * radius;
    return 0;  // "Object type"
  }
};

const std::vector<CString> kLayers = {L"0", L"2", L"7.5"};
const std::vector<double> kLengths = {0.5, 2.25, 12};
const std::vector<double> kStarts = {0, 1.5, -3};
const std::vector<double> kRadii = {0.25, 1, 3};
const Texts kProperties = {L"Object type", L"Quantity", L"Layer", L"Length", L"X Start", L"Radius", L"Diameter"};

class TotalsRow : public WizardScriptTest {
protected:
  void drawShapes(Rng& rng) {
    shapes_.clear();
    int lines = std::uniform_int_distribution<int>(2, 7)(rng);
    int circles = std::uniform_int_distribution<int>(0, 4)(rng);
    for (int i = 0; i < lines + circles; ++i) {
      Shape shape;
      shape.line = i < lines;
      shape.layer = anyOf(rng, kLayers);
      shape.start = anyOf(rng, kStarts);
      shape.length = anyOf(rng, kLengths);
      shape.radius = anyOf(rng, kRadii);
      if (shape.line)
        shape.id = add(new OvDbLine({shape.start, 0, 0}, {shape.start + shape.length, 0, 0}), shape.layer);
      else shape.id = add(new OvDbCircle({0, 0, 0}, shape.radius), shape.layer);
      shapes_.push_back(shape);
    }
  }

  // Properties, totals and grouping among what the wizard offers for the kinds shown.
  WizardPlan makePlan(Rng& rng) {
    WizardPlan plan;
    if (circles() > 0 && chance(rng, 0.25)) plan.kindsLeftOut = {chance(rng, 0.5) ? L"Line" : L"Circle"};
    bool lines = !holds(plan.kindsLeftOut, CString(L"Line"));
    bool circles = this->circles() > 0 && !holds(plan.kindsLeftOut, CString(L"Circle"));
    for (const CString& name : kProperties) {
      bool ofLines = name == L"Length" || name == L"X Start", ofCircles = name == L"Radius" || name == L"Diameter";
      if ((ofLines && !lines) || (ofCircles && !circles)) continue;
      // "Quantity" combines rows; without it rows are grouped by the chosen property.
      if (chance(rng, name == L"Quantity" ? 0.35 : 0.6)) plan.propertiesKept.push_back(name);
    }
    if (plan.propertiesKept.empty()) plan.propertiesKept = {L"Layer"};
    for (const CString& name : plan.propertiesKept) {
      if (chance(rng, 0.6)) plan.totals.push_back(name);
    }
    if (plan.totals.empty()) plan.totals = {plan.propertiesKept.front()};
    if (chance(rng, 0.8)) {
      // Mostly a totalled property: its column then holds each group's value.
      plan.combineBy = chance(rng, 0.7) ? anyOf(rng, plan.totals) : anyOf(rng, kProperties);
    }
    return plan;
  }

  // Changes values of some objects and erases one, leaving every kind an object.
  void changeShapes(Rng& rng) {
    for (Shape& shape : shapes_) {
      OvDbEntity* entity = nullptr;
      ASSERT_EQ(ovdbOpenObject(entity, shape.id, Ovis::kForWrite), Ovis::eOk);
      if (chance(rng, 0.4)) {
        shape.length = anyOf(rng, kLengths);
        shape.radius = anyOf(rng, kRadii);
        if (auto* line = OvDbLine::cast(entity)) line->setEndPoint({shape.start + shape.length, 0, 0});
        if (auto* circle = OvDbCircle::cast(entity)) circle->setRadius(shape.radius);
      }
      if (chance(rng, 0.2)) {
        shape.layer = anyOf(rng, kLayers);
        entity->setLayer(shape.layer);
      }
      entity->close();
    }
    Shape& gone = shapes_[std::uniform_int_distribution<size_t>(0, shapes_.size() - 1)(rng)];
    if (count(gone.line) > 1) {
      erase(gone.id);
      gone.erased = true;
    }
  }

  // The totals row the table must end with: under each totalled header the sum of that
  // property over the objects of the kinds the table shows; the other cells empty.
  Texts expectedTotals(const WizardPlan& plan, const Texts& header) const {
    Texts totals;
    for (const CString& property : header) {
      double sum = 0;
      for (const Shape& shape : shapes_) {
        if (!shape.erased && !holds(plan.kindsLeftOut, CString(shape.line ? L"Line" : L"Circle")))
          sum += shape.value(property);
      }
      totals.push_back(holds(plan.totals, property) ? engine_test::printfG(sum) : CString());
    }
    return totals;
  }

  void expectTotals(const OvDbObjectId& table, const WizardPlan& plan, const char* when) {
    Cells shown = cells(table);
    ASSERT_GE(shown.size(), 4u) << when << ": a title, a header, an empty row and the totals";
    EXPECT_EQ(shown.back(), expectedTotals(plan, shown[1])) << when;
  }

  int count(bool lines) const {
    int n = 0;
    for (const Shape& shape : shapes_) n += !shape.erased && shape.line == lines;
    return n;
  }
  int circles() const { return count(false); }

  std::vector<Shape> shapes_;
};

TEST_F(TotalsRow, IsTheSumOverTheObjectsInTheWizardAndAfterARefresh) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    freshDrawing();
    Rng rng(seed);
    drawShapes(rng);
    WizardPlan plan = makePlan(rng);
    OvDbObjectId table = runPlan(plan);
    ASSERT_FALSE(table.isNull());
    expectTotals(table, plan, "made by the wizard");

    changeShapes(rng);
    chooseAction(IDC_UPDATE_TABLE, table);
    EXPECT_EQ(runDialog(), IDOK);
    expectTotals(table, plan, "refreshed");
  }
}

}  // namespace
