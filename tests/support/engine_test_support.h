// Shared by the engine tests: the plug-in's English texts, a drawing that is the working
// database while a test runs, and the checks that a test leaves nothing open.
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "extraction/extraction_engine.h"
#include "extraction/res_strings.h"
#include "platform/host/db_blocks.h"
#include "platform/host/db_curves.h"
#include "platform/host/db_database.h"
#include "platform/host/db_hyperlink.h"
#include "platform/host/db_mtext.h"
#include "platform/host/db_point_solid.h"
#include "platform/host/editor.h"
#include "platform/host/selection.h"
#include "tests/support/plugin_resources.h"
#include "tests/support/whole_drawing.h"

namespace engine_test {

constexpr double kPi = 3.14159265358979323846;

// C's own "%g" of a value, the oracle for cell texts.
inline CString printfG(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%g", value);
  return CString(text);
}

// Half-up rounding to a step, as cells show numbers.
inline double roundedTo(double value, double step) { return std::floor(value / step + 0.5) * step; }

// A test with the English string table and a fresh working drawing; at the end nothing
// may be left open: no database object, no selection set, no host buffer.
class DrawingTest : public ::testing::Test {
protected:
  void SetUp() override {
    attachPluginResources();
    SetUserInterfaceLanguage(0x0C09);
    HostEditor::resetVariables();
    opensBefore_ = HostDatabase::openObjects();
    setsBefore_ = HostSelection::liveSets();
    buffersBefore_ = HostEditor::liveBuffers();
    db_ = std::make_unique<OvDbDatabase>();
    ovdbHostApplicationServices()->setWorkingDatabase(db_.get());
  }
  void TearDown() override {
    EXPECT_EQ(HostDatabase::openObjects(), opensBefore_) << "objects left open";
    EXPECT_EQ(HostSelection::liveSets(), setsBefore_) << "selection sets left live";
    EXPECT_EQ(HostEditor::liveBuffers(), buffersBefore_) << "host buffers not freed";
    HostSelection::setPickHandler(nullptr);
    ovdbHostApplicationServices()->setWorkingDatabase(nullptr);
    db_.reset();
    HostEditor::resetVariables();
  }

  void setPrecision(short n) { HostEditor::setVariable(L"LUPREC", n); }

  // Appends an entity to model space and closes it.
  OvDbObjectId add(OvDbEntity* entity) {
    OvDbObjectId id;
    EXPECT_EQ(db_->addToModelSpace(id, entity), Ovis::eOk);
    entity->close();
    return id;
  }

  // A block definition in the block table (closed), with one line in it.
  OvDbObjectId addBlock(const wchar_t* name) {
    OvDbBlockTable* table = nullptr;
    EXPECT_EQ(db_->getBlockTable(table, Ovis::kForWrite), Ovis::eOk);
    auto* record = new OvDbBlockTableRecord;
    record->setName(name);
    OvDbObjectId id;
    if (table->add(id, record) != Ovis::eOk) {
      ADD_FAILURE() << "block " << CString(name) << " not added";
      delete record;
      table->close();
      return id;
    }
    auto* line = new OvDbLine({0, 0, 0}, {1, 0, 0});
    OvDbObjectId lineId;
    EXPECT_EQ(record->appendOvDbEntity(lineId, line), Ovis::eOk);
    line->close();
    record->close();
    table->close();
    return id;
  }

  // A block reference with attributes, appended to model space and closed.
  OvDbObjectId addReference(const OvDbObjectId& block,
                            std::vector<std::pair<const wchar_t*, const wchar_t*>> attributes = {},
                            const OvGePoint3d& at = {}, double rotation = 0) {
    auto* reference = new OvDbBlockReference(at, block);
    reference->setRotation(rotation);
    OvDbObjectId id;
    EXPECT_EQ(db_->addToModelSpace(id, reference), Ovis::eOk);
    for (const auto& [tag, text] : attributes) {
      auto* attribute = new OvDbAttribute(tag, text);
      OvDbObjectId attributeId;
      EXPECT_EQ(reference->appendAttribute(attributeId, attribute), Ovis::eOk);
      attribute->close();
    }
    reference->close();
    return id;
  }

  // An engine over every object of the drawing.
  ExtractionEngine extractAll() { return extractWholeDrawing(); }

  static CString handleOf(const OvDbObjectId& id) {
    wchar_t text[17];
    id.handle().getIntoAsciiBuffer(text, 17);
    return CString(text);
  }

  std::unique_ptr<OvDbDatabase> db_;

private:
  int opensBefore_ = 0, setsBefore_ = 0, buffersBefore_ = 0;
};

// The grid's column index of a key, or -1.
inline int columnOf(const TextGrid& grid, const CString& key) {
  for (std::size_t j = 0; !grid.empty() && j < grid[0].size(); ++j) {
    if (grid[0][j] == key) return static_cast<int>(j);
  }
  return -1;
}

// The row whose handle is the text, or null.
inline const std::vector<CString>* rowOf(const TextGrid& grid, const CString& handle) {
  for (std::size_t i = 1; i < grid.size(); ++i) {
    if (!grid[i].empty() && grid[i][0] == handle) return &grid[i];
  }
  return nullptr;
}

}  // namespace engine_test
