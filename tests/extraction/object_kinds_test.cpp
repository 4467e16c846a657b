// The kinds' table: every kind found again by its code, its name, its catalogue list, its
// place in the wizard's order, its host class and its records; codes and names of no kind
// refused.
#include <gtest/gtest.h>

#include <set>

#include "extraction/kind_records.h"
#include "extraction/linked_table.h"
#include "tests/support/engine_test_support.h"

using namespace engine_test;

namespace {

using Items = std::vector<PropertyItem>;

class ObjectKindsTest : public DrawingTest {};

}  // namespace

TEST_F(ObjectKindsTest, EveryKindRoundTripsThroughCodeNameListAndWizardOrder) {
  PropertyCatalogue catalogue;
  ASSERT_EQ(catalogue.typeNames.size(), objectKinds().size());
  std::set<const Items*> lists;
  for (const ObjectKindInfo& kind : objectKinds()) {
    EXPECT_EQ(findObjectKind(kind.code), &kind);
    const CString name = catalogue.kindName(kind.code);
    EXPECT_EQ(name, LoadResString(kind.nameId));
    EXPECT_EQ(catalogue.findKind(name), &kind) << name;
    const Items& items = catalogue.kindItems(kind.code);
    EXPECT_EQ(&items, &catalogue.kindItems(kind));
    if (kind.items) lists.insert(&items);
    else EXPECT_TRUE(items.empty()) << name;
  }
  // Each list of a kind's own properties belongs to one kind.
  EXPECT_EQ(lists, (std::set<const Items*>{&catalogue.blockRefItems, &catalogue.lineItems, &catalogue.polylineItems,
                                           &catalogue.arcItems, &catalogue.circleItems, &catalogue.pointItems,
                                           &catalogue.mtextItems}));

  // The wizard's order holds every kind once, blocks last; it orders names given backwards.
  std::vector<CString> inWizardOrder, backwards;
  for (const ObjectKindInfo* kind : objectKindsInWizardOrder()) inWizardOrder.push_back(catalogue.kindName(*kind));
  ASSERT_EQ(inWizardOrder.size(), objectKinds().size());
  EXPECT_EQ(inWizardOrder.back(), catalogue.kindName(kKindBlock));
  EXPECT_EQ(std::set<CString>(inWizardOrder.begin(), inWizardOrder.end()).size(), inWizardOrder.size());
  backwards.assign(inWizardOrder.rbegin(), inWizardOrder.rend());
  backwards.push_back(backwards.front());
  EXPECT_EQ(kindsInWizardOrder(backwards, catalogue), inWizardOrder);
}

TEST_F(ObjectKindsTest, AnObjectOfEachHostClassBecomesARecordOfItsKind) {
  OvDbObjectId block = addBlock(L"Door");
  std::vector<OvDbObjectId> ids = {addReference(block),
                                   add(new OvDbLine({0, 0, 0}, {1, 0, 0})),
                                   add(new OvDbPolyline),
                                   add(new OvDbArc({0, 0, 0}, 1, 0, 1)),
                                   add(new OvDbCircle({0, 0, 0}, 1)),
                                   add(new OvDbSolid({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0})),
                                   add(new OvDb3dSolid),
                                   add(new OvDbPoint({0, 0, 0})),
                                   add(new OvDbMText)};
  ASSERT_EQ(ids.size(), objectKinds().size()) << "an object of the new kind's class belongs here";
  ExtractionEngine engine = extractAll();
  for (const ObjectKindInfo& kind : objectKinds()) {
    // No kind's class derives from another's: an object is of one kind, whatever the order.
    for (const ObjectKindInfo& other : objectKinds()) {
      EXPECT_TRUE(&other == &kind || !kind.hostClass()->isDerivedFrom(other.hostClass())) << kind.code;
    }
    const KindRecords& records = kindRecords(kind);
    EXPECT_EQ(records.code, kind.code);
    ASSERT_EQ(records.count(engine), 1u) << kind.code;
    EXPECT_EQ(records.record(engine, 0).kind, kind.code);
    EXPECT_EQ(records.record(engine, 0).handle, handleOf(ids[kind.slot()]));
  }
  EXPECT_EQ(engine.presentObjectKinds().size(), objectKinds().size());
}

TEST_F(ObjectKindsTest, CodesNamesAndObjectsOfNoKindAreRefused) {
  PropertyCatalogue catalogue;
  for (int code : {0, -1, static_cast<int>(objectKinds().size()) + 1}) {
    EXPECT_EQ(findObjectKind(code), nullptr) << code;
    EXPECT_EQ(catalogue.kindName(code), L"") << code;
  }
  EXPECT_EQ(catalogue.findKind(L"Bogus"), nullptr);
  EXPECT_EQ(catalogue.findKind(L""), nullptr);
  OvDbAttribute attribute(L"T", L"x");
  EXPECT_EQ(objectKindOf(&attribute), nullptr);
  OvDbLine line({0, 0, 0}, {1, 0, 0});
  EXPECT_EQ(objectKindOf(&line), findObjectKind(kKindLine));
}
