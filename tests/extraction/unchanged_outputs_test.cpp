// Row building and the files made from its rows, fingerprinted over fixed inputs: the
// sample drawing and two generated drawings, at every linear precision (0 to 8 and two
// values outside), with the rows plain, combined and grouped. For each drawing and way of
// building, three SHA-256 values cover what the engine hands on (the grid with its
// display names and totals row, the engine's rows, block previews, row sources, layout
// list and offered properties), the CSV files and the settings files.
//
// The expected values are hard-coded on purpose: they were recorded with the code as it
// stood before row building and extraction were reworked for speed, so any change to an
// output byte, however small, fails here.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>

#include "extraction/csv_export.h"
#include "extraction/settings_file.h"
#include "extraction/table_layout.h"
#include "platform/host/sample_drawing.h"
#include "tests/support/engine_test_support.h"
#include "tests/support/output_test_support.h"
#include "tests/support/sha256.h"

using namespace engine_test;

namespace {

std::string sha256(const std::string& bytes) { return test_hash::sha256Hex({bytes.begin(), bytes.end()}); }

// Texts with their lengths, so that no two different lists serialise alike.
void put(std::string& out, const CString& text) {
  std::string utf8 = WideToUtf8(text.str());
  out += std::to_string(utf8.size()) + ':' + utf8;
}
void put(std::string& out, const std::vector<CString>& texts) {
  out += '[' + std::to_string(texts.size());
  for (const CString& text : texts) put(out, text);
  out += ']';
}
void put(std::string& out, const TextGrid& grid) {
  out += '{' + std::to_string(grid.size());
  for (const auto& row : grid) put(out, row);
  out += '}';
}

CString handleText(const OvDbObjectId& id) {
  wchar_t text[17] = L"";
  id.handle().getIntoAsciiBuffer(text, 17);
  return CString(text);
}

// One way of choosing kinds and properties on the wizard's pages.
struct Choice {
  const char* name;
  std::vector<CString> kinds;
  bool quantity;
  bool blockName;
  bool totals;
  CString groupBy;
};

const std::vector<CString> kGeometricKinds{L"Line",  L"Polyline", L"Arc",   L"Circle",
                                           L"Solid", L"3D Solid", L"Point", L"MText"};
const std::vector<CString> kAllKinds{L"Block", L"Line",     L"Polyline", L"Arc",  L"Circle",
                                     L"Solid", L"3D Solid", L"Point",    L"MText"};
const std::vector<CString> kKindsBlocksLast{L"MText", L"Point", L"Circle", L"Line", L"Block"};

const std::vector<Choice>& choices() {
  static const std::vector<Choice> list{
      {"plain", kAllKinds, false, true, true, CString()},
      {"plain-no-totals", kKindsBlocksLast, false, false, false, CString()},
      {"combined", kGeometricKinds, true, false, true, CString()},
      {"combined-blocks", kKindsBlocksLast, true, true, true, CString()},
      {"quantity-blocks-unmerged", kAllKinds, true, false, true, CString()},
      {"grouped-layer", kAllKinds, false, true, true, L"Layer"},
      {"grouped-no-totals", kGeometricKinds, false, false, false, L"Color"},
      {"grouped-attribute", kKindsBlocksLast, false, true, true, L"NUMBER"},
  };
  return list;
}

// Everything one choice produces over one engine, appended to the three byte strings.
struct Fingerprint {
  std::string state, csv, settings;
};

class UnchangedOutputsTest : public DrawingTest {
protected:
  void TearDown() override {
    HostEditor::resetVariables();
    DrawingTest::TearDown();
  }

  // The tests run side by side: each writes files of its own name.
  static std::string fileStem() {
    return std::string("unchanged-") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
  }

  // Builds the rows of one choice as the wizard does and writes its files.
  void produce(ExtractionEngine& engine, const Choice& choice, bool french, Fingerprint& out) {
    OfferedPropertyMap offered;
    engine.prepare(offered, choice.kinds);
    const PropertyCatalogue& c = engine.catalogue;
    // Every offered property, starting from the middle of the list so that the chosen order
    // is not the sorted one; Quantity and Block name only as the choice says.
    std::vector<CString> names, chosen, totals;
    for (const auto& item : offered) {
      if (item.name == c.quantityItem.name || item.name == c.blockNameItem.name) continue;
      names.push_back(item.name);
      if (choice.totals && item.total) totals.push_back(item.name);
    }
    std::rotate(names.begin(), names.begin() + static_cast<long>(names.size() / 2), names.end());
    if (choice.quantity) chosen.push_back(c.quantityItem.name);
    chosen.insert(chosen.end(), names.begin(), names.end());
    if (choice.blockName) chosen.push_back(c.blockNameItem.name);
    if (choice.totals && choice.quantity) totals.push_back(c.quantityItem.name);
    std::map<CString, CString> displayNames;
    for (std::size_t i = 0; i < chosen.size(); ++i) {
      displayNames[chosen[i]] = i % 2 ? chosen[i] : CString(L"«") + chosen[i] + L"»";
    }

    TextGrid rows;
    BlockPreviewMap preview;
    engine.buildRows(rows, preview, chosen, choice.quantity, choice.blockName, totals, choice.groupBy);
    std::vector<CString> totalsRow = engine.computeTotals();
    translateNames(rows, displayNames);
    bool totalsAppended = !totalsRow.empty();
    if (totalsAppended) rows.push_back(totalsRow);

    // The preview's display: columns backwards with the second one hidden, rows backwards.
    std::vector<bool> flags(rows[0].size(), true);
    if (flags.size() > 2) flags[2] = false;
    std::vector<int> columnOrder, rowOrder{0};
    for (int j = static_cast<int>(rows[0].size()) - 1; j >= 1; --j) columnOrder.push_back(j);
    int dataRows = static_cast<int>(rows.size()) - 1 - (totalsAppended ? 1 : 0);
    for (int i = dataRows; i >= 1; --i) rowOrder.push_back(i);

    put(out.state, rows);
    put(out.state, engine.rows);
    put(out.state, totalsRow);
    for (const auto& [handle, block] : preview) {
      put(out.state, handle);
      put(out.state, handleText(block));
    }
    out.state += engine.previewMap == preview ? "=" : "!";
    // Rows that were not merged stand for their own objects (whether or not the engine lists
    // each of them so).
    RowSources sources = engine.rowSources;
    for (std::size_t r = 1; engine.rowMerge == RowMerge::None && r < engine.rows.size(); ++r) {
      if (!engine.rows[r].empty()) sources.try_emplace(engine.rows[r][0], std::vector<CString>{engine.rows[r][0]});
    }
    for (const auto& [handle, members] : sources) {
      put(out.state, handle);
      put(out.state, members);
    }
    put(out.state, engine.rowObjects);
    const TableLayout layout =
        wizardTableLayout(engine, rows, columnOrder, rowOrder, /*headerShown=*/true, totalsAppended, offered);
    put(out.state, layout.entries());
    for (const auto& item : offered) {
      put(out.state, item.name);
      out.state += std::to_string(item.category) + (item.total ? "t" : "f");
    }
    for (int category : engine.categories) out.state += std::to_string(category) + ',';

    HostEditor::setVariable(L"VERLAN", std::wstring(french ? L"fr-FR" : L"en-US"));
    auto csvPath = output_test::scratchFile(fileStem() + ".csv");
    EXPECT_TRUE(exportCsv(rows, widePath(csvPath), flags, columnOrder, rowOrder,
                          /*headerShown=*/true, L","));
    out.csv += output_test::readBytes(csvPath) + '\x1e';

    std::vector<CString> options;
    if (totalsAppended) options.push_back(L"Total Line");
    auto settingsPath = output_test::scratchFile(fileStem() + ".qdx");
    int groupByIndex = engine.groupBy.IsEmpty() ? -1 : 3;
    EXPECT_TRUE(
        saveSettingsXml(widePath(settingsPath), displayNames, L"Übersicht «1»", options, groupByIndex, engine.groupBy));
    out.settings += output_test::readBytes(settingsPath) + '\x1e';
  }

  struct Expected {
    const char* choice;
    const char* state;
    const char* csv;
    const char* settings;
  };

  // Extracts the working drawing at every precision and compares each choice's fingerprint.
  void expectFingerprints(const std::vector<Expected>& expected) {
    std::vector<Fingerprint> prints(choices().size());
    const short precisions[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, -1};
    for (short precision : precisions) {
      setPrecision(precision);
      ExtractionEngine engine = extractAll();
      for (std::size_t i = 0; i < choices().size(); ++i) {
        ExtractionEngine copy = engine;
        produce(copy, choices()[i], precision % 2 != 0, prints[i]);
      }
    }
    ASSERT_EQ(expected.size(), choices().size());
    for (std::size_t i = 0; i < choices().size(); ++i) {
      SCOPED_TRACE(choices()[i].name);
      EXPECT_STREQ(expected[i].choice, choices()[i].name);
      std::string state = sha256(prints[i].state), csv = sha256(prints[i].csv), settings = sha256(prints[i].settings);
      EXPECT_EQ(state, expected[i].state) << "rows";
      EXPECT_EQ(csv, expected[i].csv) << "csv";
      EXPECT_EQ(settings, expected[i].settings) << "settings";
    }
  }

  // Deterministic numbers of their own (the standard distributions differ between libraries).
  std::mt19937 random_{20240611u};
  int pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
  double pickOf(std::initializer_list<double> values) { return values.begin()[pick(static_cast<int>(values.size()))]; }

  // Values that meet the edges of rounding and of "%g": halves, six-digit boundaries,
  // exponents both ways, large and tiny numbers, negatives.
  double awkward() {
    return pickOf({0.5,    2.5,       -2.5,      1.25,     0.125,    999999.5, 999999.4,  1234567.891, 0.000123456,
                   0.0001, 0.00001,   3e-7,      1.23449,  0.0005,   123456.5, -0.4,      1e15,        4.5e15,
                   7.0,    1.0 / 3.0, 2.0 / 3.0, 100000.0, 99999.95, 0.999999, 12.3456789});
  }

  // Lines, polylines, arcs, circles, solids, 3D solids, points and multiline texts with
  // every common property, many repeated exactly so that combining merges them.
  void fillMixedDrawing() {
    const wchar_t* layers[] = {L"0", L"A", L"Walls", L"walls", L"Ä-Layer"};
    const wchar_t* linetypes[] = {L"ByLayer", L"BYBLOCK", L"Dashed", L"bylayerX"};
    const wchar_t* plotStyles[] = {L"ByLayer", L"byblock", L"Normal", L"Style 1"};
    const int weights[] = {-1, -2, -3, 0, 25, 211, 13};
    const std::uint16_t colors[] = {256, 0, 7, 1, 255};
    for (int i = 0; i < 360; ++i) {
      bool repeated = i % 3 != 0;  // two in three come from a small set of shapes
      auto value = [&](double small) { return repeated ? small : awkward(); };
      OvDbEntity* e = nullptr;
      int v = pick(3);
      switch (i % 8) {
        case 0: e = new OvDbLine({value(0), value(1), 0}, {value(v + 1.5), value(2), value(0.25)}); break;
        case 1: {
          auto* p = new OvDbPolyline;
          p->addVertexAt(0, {0, 0}, 0);
          p->addVertexAt(1, {value(v + 1), 0}, pickOf({0, 0.5, 1}));
          p->addVertexAt(2, {value(2), value(3)}, 0);
          p->setClosed(v == 0);
          p->setPlinegen(v == 1);
          p->setConstantWidth(value(0.05));
          p->setThickness(value(0));
          e = p;
          break;
        }
        case 2: e = new OvDbArc({value(v), 0, 0}, std::fabs(value(1 + v)) + 0.1, value(0), value(kPi / (1 + v))); break;
        case 3: {
          auto* c = new OvDbCircle({value(v), value(0.5), 0}, std::fabs(value(0.5 + v)) + 0.01);
          c->setThickness(value(1.5));
          e = c;
          break;
        }
        case 4: {
          auto* s = new OvDbSolid({0, 0, 0}, {value(1), 0, 0}, {0, 1, 0}, {1, 1, 0});
          s->setThickness(value(0.2));
          e = s;
          break;
        }
        case 5: {
          auto* s = new OvDb3dSolid;
          s->createBox(1, 1, std::fabs(value(1 + v)) + 1);
          e = s;
          break;
        }
        case 6: {
          auto* p = new OvDbPoint({value(v), value(0), value(0.5 * v)});
          p->setThickness(value(0));
          e = p;
          break;
        }
        default: {
          auto* t = new OvDbMText;
          t->setContents(v ? L"Room" : L"{\\fArial|b1;Hall}\\P«Süd»");
          t->setLocation({value(v), 1, 0});
          t->setAttachment(static_cast<OvDbMText::AttachmentPoint>(1 + pick(9)));
          t->setFlowDirection(static_cast<OvDb::FlowDirection>(1 + pick(5)));
          t->setRotation(value(kPi / 2));
          t->setTextHeight(std::fabs(value(0.35)) + 0.01);
          t->setWidth(std::fabs(value(3)));
          t->setBackgroundFill(v == 2);
          t->setLineSpacingFactor(std::fabs(value(1.5)) + 0.25);
          t->setLineSpacingStyle(static_cast<OvDb::LineSpacingStyle>(1 + pick(2)));
          e = t;
          break;
        }
      }
      int look = repeated ? v : pick(5);
      e->setLayer(layers[look % 5]);
      e->setColorIndex(colors[look % 5]);
      e->setLinetype(linetypes[look % 4]);
      e->setPlotStyleName(plotStyles[(look + 1) % 4]);
      e->setLineWeight(static_cast<OvDb::LineWeight>(weights[look % 7]));
      e->setLinetypeScale(repeated ? 1.0 : pickOf({1.26, 0.123456789, 2.5, 1e-9, 1234.5678}));
      if (!repeated && pick(4) == 0) {
        OvDbHyperlinkCollection links;
        links.addTail(pick(2) ? L"https://a.example/x" : L"file:///plans/ü.pdf", L"", L"");
        links.addTail(L"https://second.example", L"", L"");
        OvDbEntityHyperlinkPE::instance()->setHyperlinkCollection(e, &links);
      }
      add(e);
    }
  }

  // Block references of plain and dynamic blocks, excluded names, attributes numeric and
  // not (a tag repeated on one reference, a tag equal to a catalogue name), with lines and
  // circles between them.
  void fillBlockDrawing() {
    OvDbObjectId plain = addBlock(L"Door"), other = addBlock(L"Window"), excluded = addBlock(L"ac$Hidden");
    OvDbObjectId anonymous = addBlock(L"*X"), kept = addBlock(L"AC$Kept");
    OvDbObjectId dynamic = addBlock(L"Sliding"), shape = addBlock(L"*U7");
    {
      OvDbBlockTableRecord* record = nullptr;
      ovdbOpenObject(record, dynamic, Ovis::kForWrite);
      record->addDynamicProperty(L"Origin", OvDbEvalVariant(OvGePoint3d(0, 0, 0)));
      record->addDynamicProperty(L"Width", OvDbEvalVariant(1.0));
      record->addDynamicProperty(L"Panels", OvDbEvalVariant(static_cast<short>(2)));
      record->addDynamicProperty(L"Finish", OvDbEvalVariant(L"Oak"));
      record->close();
      ovdbOpenObject(record, shape, Ovis::kForWrite);
      record->setDynamicBlockDefinition(dynamic);
      record->close();
    }
    const OvDbObjectId blocks[] = {plain, other, excluded, anonymous, kept, shape};
    const wchar_t* numbers[] = {L"101", L"12.3456", L"-0.5", L"1e5", L"2.5E-3", L"7 m", L"abc", L".5", L"3.", L""};
    for (int i = 0; i < 120; ++i) {
      bool repeated = i % 2 == 0;
      OvDbObjectId block = blocks[repeated ? i % 2 : pick(6)];
      std::vector<std::pair<const wchar_t*, const wchar_t*>> attributes{{L"NUMBER", numbers[repeated ? 0 : pick(10)]}};
      if (pick(3) == 0) attributes.push_back({L"Layer", L"from attribute"});
      if (pick(4) == 0) attributes.push_back({L"NUMBER", numbers[pick(10)]});
      OvDbObjectId id = addReference(block, attributes, {repeated ? 1.0 : awkward(), 2, 0},
                                     repeated ? 0 : pickOf({kPi / 2, 1.0, -kPi / 3, 7.5}));
      if (block == shape && !repeated) {
        OvDbBlockReference* reference = nullptr;
        ovdbOpenObject(reference, id, Ovis::kForWrite);
        reference->setDynamicValue(L"Width", OvDbEvalVariant(awkward()));
        reference->setScaleFactors({pickOf({1, 1.5, -1}), awkward(), 1});
        reference->close();
      }
      if (i % 5 == 0) {
        auto* line = new OvDbLine({0, 0, 0}, {repeated ? 1.0 : awkward(), 0, 0});
        line->setLayer(repeated ? L"0" : L"B");
        add(line);
      }
      if (i % 7 == 0) add(new OvDbCircle({0, 0, 0}, repeated ? 1.0 : std::fabs(awkward()) + 0.5));
    }
  }
};

TEST_F(UnchangedOutputsTest, SampleDrawing) {
  db_.reset(buildSampleDrawing());
  ovdbHostApplicationServices()->setWorkingDatabase(db_.get());
  expectFingerprints({
      {"plain", "f31c97b7fcb57b58709ee1c5152b3f2329626269466eb6bbd7be038146a5a869",
       "21189529c20717bad18772c3c7189889e49c1aef2b7a4e05ebded2ecae0d99b7",
       "180323550838df62b987ffaa99ef649de93e157995d25ac65905620947fdfd62"},
      {"plain-no-totals", "37529c9dba329c1f4b9ae68fd86baf94d67181dfa781f4eacaf3020da1053e92",
       "4a9e7cf5ac3e7be7cfc30eb7fee2e1c1d00c71df7e21a8233de7c8b1b1ce130d",
       "059857475ef2862564a6f03c80dc402bbe2cc2f79d110d7876488c772c4d0b6c"},
      {"combined", "f3e27e891fa76b09e2b45c2c147413916686f5a818107e345def756051619ba8",
       "924dc72243a95d0898d6170cad642f99f30b231dec730dce3d2409905149effa",
       "312f7bdd643112341d3dda434abb3a9cac73a195cd48d835246f3573734bcd64"},
      {"combined-blocks", "6d18bcf4c4f0f9e7e5b64e47395f671e190328bcf4613debe36b58c6312bc503",
       "d82d71bbb64e44d16d15603d60420641573125f0180f7c4c437b3eaa03bee974",
       "83e580e80464225aca7dc8a27863a94b2c2519f78397a53c06cab67074987e1a"},
      {"quantity-blocks-unmerged", "7098a79656d0c8b529f4985d7b76c9cfcc2329ff4f7062b567057449d4c6dffe",
       "4ff991e8f1d5d0b9c2b46872b9ae05597c62f758de8937dec45ecc4b1099ee03",
       "028fd82762525ed7f11e18509aefad2cc6ae23cb7621700394d8e10d2e62ec88"},
      {"grouped-layer", "b0bbe8b0dd4c012b561b7f9919630b67d1ea6ddd46de5bdc5f5e443ae0041ef8",
       "8e5e59caeebabc517e6fa04aa6b72afb817a85c4227f21816d3716466d448d26",
       "edda27468feb15e74cdf4b14eda48290ed54ad8d87bef2c1bd9623f2ecadf8da"},
      {"grouped-no-totals", "9d858421b7d66dfd2dcb6d42f4caf41fa908e4c359f27407297f27363564e081",
       "2bc6794484c4b03350497d1151c7c64c1e5145601b693252678a299fa67451fd",
       "de6c0d633e95a98c471c378dc101b256d43057e7482139d34728028de9796cc0"},
      {"grouped-attribute", "47896af70b14f65051fe6babb48f62aa46253be3562bbf5426a8314c2140ae7d",
       "4f685cb2e5705c26884c89794fd2e7a9440803e1c559896a3a7b933d558333c6",
       "8aa36c2d0dc19d150f7139aa1680ecf17db301ed6591297c618e089397055452"},
  });
}

TEST_F(UnchangedOutputsTest, GeneratedMixedDrawing) {
  fillMixedDrawing();
  expectFingerprints({
      {"plain", "9472256204213371d1d1b990c2716b8e6e8e29fa8d10eec31fa1bdf22e1053d1",
       "95d8afcb0c76ba0d31913bbe5ae67fc12096aee65f5cdbf0a069662553aa155e",
       "9d4da423874a1f555efed0c1ce7d7c5f68126b5a83c6eb96e85e017cf474d396"},
      {"plain-no-totals", "fd951c0a4aca8779291481160a6e8a826bde55c00dd23ec7c9d46da334f8af74",
       "d71f08b8c318c7c63cd00a0609e410bd8b59c873d8448cadbb9ef45329153ba2",
       "fbf02fcc8f955667e20c22b5a403ecd81f4bfaba8a6f63bb2e16f202e1674fc0"},
      {"combined", "4560d4598a561cda8cf4c6eb4bdb4532039535d887f98e49c88eb84e8f4e0f01",
       "5285beb9fafd2d0a1a0440ce84bf2ddc97cb60be4bc5814594a0864343f97c5e",
       "312f7bdd643112341d3dda434abb3a9cac73a195cd48d835246f3573734bcd64"},
      {"combined-blocks", "fdb4f481c105ccb98a984749fb06aa0bbb9eb151ff670b8e34f69cfb6a8ca1f3",
       "996c808d4c5b1699200b2b7e010581f370c001e9505513d9c9269dd818538a35",
       "90d70a46631275d2c57ec29b172cb1f1d8d0d3afae82b4d8604586b69b6077c9"},
      {"quantity-blocks-unmerged", "ba4217c3a7989fe7d4d81d4d02d638646c90de556643bed2dc912ff4f3196a8d",
       "b689758defcfd1747268ad2f8a898626924448077094554a8ff94d8e56db52a7",
       "c125de601c6b0618c36381980def80160d3248d225a436ed336f0ca66b89c223"},
      {"grouped-layer", "3f8e785a18797377ea1220185029870064faf6266484fd7fe02b9910d0d39ded",
       "377b51dd2cd4fb84cf87741d5e47c4c561ac9e252b17d27b8aae96b1db418464",
       "28b28db52a93e6bc7f69d7316f25d02380bb745fb7cee64edd6b06a2add0ec1a"},
      {"grouped-no-totals", "cf383dc64d8b64066e2677b47a6a0811e9e1fb1afbc6e94a49217b8e657de5e3",
       "748c89050ebbbd9a70c63ad13e78efdedff64e5fbdc228499ca5e424fa7aba07",
       "de6c0d633e95a98c471c378dc101b256d43057e7482139d34728028de9796cc0"},
      {"grouped-attribute", "f2f8bb315132ed98469a956c985c3c9090eade618f62efb798f6dc2c33e6bd92",
       "b4272b53bc61e17dfd03fa117856c0d84f3d5eb4cfe24ff93a0a960ae4906d43",
       "d8f5858a9abb5b5f4beeb110e021dcf59ef3aa68440e8105d8d95081541d7c53"},
  });
}

TEST_F(UnchangedOutputsTest, GeneratedBlockDrawing) {
  fillBlockDrawing();
  expectFingerprints({
      {"plain", "9daebe3efb54191f4ec712f386d796a3d1c77cdc80f68c663c068df37e1be461",
       "832e57f15a595dfb850032a98639c2af0a80b537f2ad3aea6cef14074396a0c3",
       "ffc2ffdb0e341cccbc297d27e5ec1aa3ca22c5c22f2ff69b911b66cabe308103"},
      {"plain-no-totals", "843b5c977f5a635e4c54261c47ba6f046291582006e0fc55dc461c464a4f81e1",
       "7e30dd72a9848276f71e54705bda8785c7a009ac35132b2bdc3bca2f16cd29b4",
       "198c162f4336a37e9b032b0fd9bf702c964513ee9a88cecccc21efa47a535b0b"},
      {"combined", "f17b6ea8612a2578c31a84730c90c8c41de7e3c453a65cc97aee3320aab135ec",
       "1619a775bd32f47df45ac0211b7bdf1dd844cadc336a180b8dac89e30d3762cd",
       "312f7bdd643112341d3dda434abb3a9cac73a195cd48d835246f3573734bcd64"},
      {"combined-blocks", "3d6fda971cdff6e1e27a3be060aacdceb94e7549e5f3e00ad8daa4534335bf50",
       "b627f3b0d06a0ef831dfd611f39b50e32b9c4d7226a62c7704afea8d54aabbb0",
       "a8948459286761567ec6fb71614481bba1713fec1b6cd64eb7e02ee4cb767f7b"},
      {"quantity-blocks-unmerged", "c079f532f89abbccc06d595f99d2209109591bdf1e4535ab8673c54ec64cac3d",
       "6fa64cb9834f9469af13a0d429f06da87d5b40a35e20911e9c4091b50ac88828",
       "cbaedda3a3133cfd186015b695b977c48a8be1542478e6b28728716c580e2ccf"},
      {"grouped-layer", "761e6feb5bfb0099ed1e24e816381900c4b5a35bf183a492bd3c8356a0409824",
       "fd40c2c6e8abf6c09be94c598cf0038360ff8fda76bdfa0bdb2bad70dbfa4254",
       "a7ea6d13ba176fa7fa8ba864b2332e9aff3fe3b247bb5e720b0dafb4846a0dd3"},
      {"grouped-no-totals", "90b7f43bf891e37e826bb240b9fa51cb70c3cf71deff5304e93be93c6ace8be2",
       "db413736c0ad98cfe111b92fe031dc0a43e8108fee09a2f8af41490952c6bc0c",
       "de6c0d633e95a98c471c378dc101b256d43057e7482139d34728028de9796cc0"},
      // Grouped by a totalled property: the totals row counts each group's value once per
      // object of its group (recorded when that changed; the rows themselves did not).
      {"grouped-attribute", "cdd4f00222738edc5fa091379b6a79e3a132620923437795a781c3d937873a48",
       "facdf375c17ffa51b5c487a67acbc919a57be3cae4a6b15c725a846a969cdfef",
       "af1a04f07db9739e2c48a6c0a04216928aa01d2b6e652b0688230ef4c6c5ea46"},
  });
}

// The hash itself against the standard's own examples.
TEST(UnchangedOutputsSha256, KnownDigests) {
  EXPECT_EQ(sha256(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(sha256("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(sha256("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  EXPECT_EQ(sha256(std::string(1000, 'x')), "44f8354494a5ba03ba1792a8d3e9c534c47a9181980fde7a3f44b06ef2ae7c7f");
}

}  // namespace
