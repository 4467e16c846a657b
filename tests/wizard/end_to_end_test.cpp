// Both commands from end to end through the host program: scripts in tests/wizard/scripts
// run the wizard on the sample drawing and then the update command; the command line, the
// drawing's dump and the files written are checked, the files with Python's csv module,
// xlrd and xmllint.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/run_command.h"
#include "tests/support/test_output.h"

namespace {

namespace fs = std::filesystem;

using HostRun = CommandResult;

// A fresh folder of the test's own, in which the host program runs (the scripts name
// their files relative to it).
fs::path freshFolder(const std::string& name) {
  fs::path dir = testOutputFolder("wizard-end-to-end") / name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

// Runs a script on the sample drawing in English, with the dump, in the folder; the shell
// words before, when given, start the host program (under limits they set).
HostRun runScriptAt(const fs::path& folder, const std::string& path, const std::string& before = "") {
  std::string command = "cd " + shellQuoted(folder.string()) + " && " + before + shellQuoted(DX_HOST_PROGRAM) +
                        " --lang en-AU --dump --profile profile.ini --script " + shellQuoted(path) + " </dev/null";
  return runCommand(command);
}

// The shell words that start the host program under a file-size limit, with the limit's
// signal at its default, which ends a program, whatever this test inherited: the host
// program has to ignore the signal itself for an oversized write to fail instead.
std::string sizeLimit(std::uintmax_t bytes) {
  return "env --default-signal=XFSZ prlimit --fsize=" + std::to_string(bytes) + " ";
}

// Runs a script of tests/wizard/scripts.
HostRun runScript(const fs::path& folder, const std::string& script) {
  return runScriptAt(folder, DX_SOURCE_DIR "/tests/wizard/scripts/" + script);
}

size_t count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// The table of the dump: its cell texts by row (block cells and empty cells as ""), and
// its xdata lists by application.
struct DumpedTable {
  std::string handle;
  std::vector<std::vector<std::string>> cells;
  std::map<std::string, std::vector<std::string>> xdata;
  std::vector<std::string> xdataOrder;
};

// Reads a quoted text of the dump at `at` (its escapes undone); `at` ends past it.
std::string unquote(const std::string& line, size_t& at) {
  std::string out;
  if (at >= line.size() || line[at] != '"') return out;
  for (++at; at < line.size() && line[at] != '"'; ++at) {
    if (line[at] == '\\' && at + 1 < line.size()) {
      char next = line[++at];
      out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    } else {
      out += line[at];
    }
  }
  ++at;
  return out;
}

std::vector<DumpedTable> parseDump(const std::string& output) {
  std::vector<DumpedTable> tables;
  std::istringstream in(output);
  std::string line;
  while (std::getline(in, line)) {
    unsigned rows = 0, columns = 0;
    char handle[32] = {};
    if (std::sscanf(line.c_str(), "Table %31s at", handle) == 1) {
      size_t size = line.find("style ");
      size = line.find(", ", size);
      if (size == std::string::npos || std::sscanf(line.c_str() + size, ", %u rows x %u columns", &rows, &columns) != 2)
        continue;
      tables.push_back(
          {handle, std::vector<std::vector<std::string>>(rows, std::vector<std::string>(columns)), {}, {}});
      continue;
    }
    if (tables.empty()) continue;
    DumpedTable& table = tables.back();
    unsigned r = 0, c = 0;
    int used = 0;
    if (std::sscanf(line.c_str(), "  (%u,%u) %n", &r, &c, &used) == 2 && used > 0) {
      size_t at = static_cast<size_t>(used);
      if (r < table.cells.size() && c < table.cells[r].size() && line[at] == '"') table.cells[r][c] = unquote(line, at);
      continue;
    }
    if (line.rfind("  xdata ", 0) == 0) {
      size_t colon = line.find(':');
      std::string app = line.substr(8, colon - 8);
      table.xdataOrder.push_back(app);
      std::vector<std::string>& list = table.xdata[app];
      for (size_t at = colon + 1; at < line.size();) {
        if (line[at] == '"') list.push_back(unquote(line, at));
        else ++at;
      }
    }
  }
  return tables;
}

std::string hexLines(const std::vector<std::vector<std::string>>& rows) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (const auto& row : rows) {
    for (size_t c = 0; c < row.size(); ++c) {
      std::string hex;
      for (unsigned char b : row[c]) {
        hex += digits[b >> 4];
        hex += digits[b & 15];
      }
      out += (c ? " " : "") + (hex.empty() ? std::string("-") : hex);
    }
    out += "\n";
  }
  return out;
}

std::string readCsvHex(const fs::path& path) {
  CommandResult read = runCommand(pythonScript("support/read_csv.py", {path.string(), ",", "latin-1"}));
  EXPECT_EQ(read.status, 0) << read.output;
  return read.output;
}

// The CSV file's records, each field as readCsvHex gives it.
std::vector<std::vector<std::string>> readCsvCells(const fs::path& path) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(readCsvHex(path));
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    rows.emplace_back(std::istream_iterator<std::string>(words), std::istream_iterator<std::string>());
  }
  return rows;
}

std::string readXlsHex(const fs::path& path) {
  CommandResult read = runCommand(pythonScript("wizard/update_read_xls.py", {path.string()}));
  EXPECT_EQ(read.status, 0) << read.output;
  return read.output;
}

// The six link lists in the order the wizard writes them, then the table's layout; spelled
// out as drawings store them, so that a renamed list shows here.
const std::vector<std::string> kLinkLists = {"obj_handles", "original_names", "display_names", "obj_types",
                                             "groupby_pr",  "tb_headers",     "table_layout"};

TEST(EndToEnd, WizardOutputsThenTheUpdateRefreshesAndExports) {
  fs::path folder = freshFolder("wizard_then_update");
  HostRun run = runScript(folder, "wizard_then_update.scr");
  ASSERT_EQ(run.status, 0) << run.output;

  // The command line: the wizard's outputs, then the three update commands.
  const std::string& out = run.output;
  EXPECT_NE(out.find("\nPlease input table insertion point :"), std::string::npos) << out;
  EXPECT_NE(out.find("\nCSV export done to : wizard.csv"), std::string::npos) << out;
  EXPECT_NE(out.find("\nFinished QDX export to : wizard.qdx"), std::string::npos) << out;
  EXPECT_EQ(count(out, "Please select the data table"), 3u) << out;
  EXPECT_NE(out.find("Please select the data table\nTable already up to date."), std::string::npos) << out;
  EXPECT_NE(out.find("\nCSV export done to : update.csv"), std::string::npos) << out;
  EXPECT_NE(out.find("\nFinished XLS exportation to : update.xls"), std::string::npos) << out;
  EXPECT_EQ(out.find("failed"), std::string::npos) << out;

  // One table, linked to its objects by its lists, in the order the wizard writes them.
  std::vector<DumpedTable> tables = parseDump(out);
  ASSERT_EQ(tables.size(), 1u) << out;
  const DumpedTable& table = tables[0];
  EXPECT_EQ(table.xdataOrder, kLinkLists);
  ASSERT_GE(table.cells.size(), 3u);
  EXPECT_EQ(table.xdata.at("groupby_pr"), std::vector<std::string>{""});
  EXPECT_EQ(table.xdata.at("tb_headers"), table.cells[1]);
  EXPECT_EQ(table.xdata.at("original_names").size(), table.xdata.at("display_names").size());
  EXPECT_EQ(table.xdata.at("obj_handles").size(), table.cells.size() - 2);

  // The update's files hold the table's cells under its title, as the table holds them.
  std::vector<std::vector<std::string>> cells(table.cells.begin() + 1, table.cells.end());
  EXPECT_EQ(readCsvHex(folder / "update.csv"), hexLines(cells));
  EXPECT_EQ(readXlsHex(folder / "update.xls"), hexLines(cells));

  // The wizard's CSV file starts with the same header line; the settings file is XML.
  std::string wizardCsv = readCsvHex(folder / "wizard.csv");
  EXPECT_EQ(wizardCsv.substr(0, wizardCsv.find('\n') + 1), hexLines({table.cells[1]}));
  CommandResult lint = runCommand("xmllint --noout " + shellQuoted((folder / "wizard.qdx").string()));
  EXPECT_EQ(lint.status, 0) << lint.output;
}

// The names in a folder that start with a dot (where a writer's new files hide), or all.
std::set<std::string> namesIn(const fs::path& folder, bool hiddenOnly = false) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    std::string name = entry.path().filename().string();
    if (!hiddenOnly || name[0] == '.') names.insert(name);
  }
  return names;
}

std::string fileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string withPath(std::string text, const std::string& path) {
  size_t at = text.find("%s");
  return at == std::string::npos ? text : text.replace(at, 2, path);
}

// Each file the two commands write, as a user chooses it: the wizard over two doors (its
// settings file smaller than a write buffer), or the update command's export of the table
// the wizard inserted over them; "%s" stands for the file's path.
struct WrittenFile {
  const char* name;
  bool byUpdate;
  const char* choice;  // the answers that choose the file
  const char* done;    // how the line that reports success starts
  const char* failed;  // the line that reports failure
};

std::string scriptWriting(const WrittenFile& file, const std::string& path) {
  std::string wizard = "DATAEXTRACTION\n> click 1\n> click 1002\n> pick handles 18 1C\n> click 1\n> click 1\n";
  if (!file.byUpdate) return wizard + withPath(file.choice, path) + "> click 1\n";
  return wizard + "> click 1031\n> point 30,0\n> click 1\nDATAEXTRACTIONUPDATE\n> click 1054\n> pick all\n" +
         withPath(file.choice, path);
}

const WrittenFile kWrittenFiles[] = {
    {"wizard.csv", false, "> click 1029\n> file-filter 1 %s\n", "CSV export done", "\nCSV export to : %s failed."},
    {"wizard.xls", false, "> click 1029\n> file-filter 2 %s\n", "Finished XLS exportation",
     "\nXLS export to : %s failed."},
    {"wizard.qdx", false, "> click 1003\n> file %s\n", "Finished QDX export", "\nQDX exportation failed !"},
    {"update.csv", true, "> file-filter 1 %s\n", "CSV export done", "\nCSV export to : %s failed."},
    {"update.xls", true, "> file-filter 2 %s\n", "Finished XLS exportation", "\nXLS export to : %s failed."},
};

// A write that fails, of each file of both commands: under a file-size limit that lets half
// of the new file through (its signal at the default that ends a program, as a shell starts
// one), and to a full disk. The failure is reported and the success never; the earlier file
// stays byte for byte, and nothing else is left beside it.
TEST(EndToEnd, AFailedWriteIsReportedAndKeepsTheEarlierFile) {
  const std::string earlier = "an earlier file, kept until a new one is complete\n";
  for (const WrittenFile& file : kWrittenFiles) {
    SCOPED_TRACE(file.name);
    fs::path folder = freshFolder(std::string("failed_write_") + file.name);
    std::ofstream(folder / "write.scr") << scriptWriting(file, file.name);
    std::ofstream(folder / "full.scr") << scriptWriting(file, "/dev/full");
    HostRun unhindered = runScriptAt(folder, "write.scr");
    ASSERT_NE(unhindered.output.find(file.done), std::string::npos) << unhindered.output;
    const std::uintmax_t limit = fs::file_size(folder / file.name) / 2;
    std::ofstream(folder / file.name, std::ios::binary) << earlier;
    const std::set<std::string> names = namesIn(folder), hiddenDevices = namesIn("/dev", true);

    struct Failure {
      const char* kind;
      std::string path;
      HostRun run;
    };
    const Failure failures[] = {
        {"size limit", file.name, runScriptAt(folder, "write.scr", sizeLimit(limit))},
        {"full disk", "/dev/full", runScriptAt(folder, "full.scr")},
    };
    for (const Failure& failure : failures) {
      SCOPED_TRACE(failure.kind);
      EXPECT_NE(failure.run.output.find(withPath(file.failed, failure.path)), std::string::npos) << failure.run.output;
      EXPECT_EQ(failure.run.output.find(file.done), std::string::npos) << failure.run.output;
    }
    EXPECT_TRUE(fileBytes(folder / file.name) == earlier) << "now " << fs::file_size(folder / file.name) << " bytes";
    EXPECT_EQ(namesIn(folder), names);
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    EXPECT_EQ(namesIn("/dev", true), hiddenDevices);
  }
}

// Each file of both commands named by a symbolic link that names no file yet, through a
// second link, each relative to its own folder: the file that the last link names is made,
// as an ordinary open makes it, the same as a plain file of that name; both links stay.
TEST(EndToEnd, AFileNamedByADanglingLinkIsMadeWhereTheLinkPoints) {
  for (const WrittenFile& file : kWrittenFiles) {
    SCOPED_TRACE(file.name);
    fs::path folder = freshFolder(std::string("dangling_link_") + file.name);
    fs::create_directories(folder / "links");
    fs::create_directories(folder / "real");
    const fs::path first = fs::path("links") / "next", second = fs::path("..") / "real" / file.name;
    fs::create_symlink(first, folder / file.name);
    fs::create_symlink(second, folder / first);
    const std::string plain = std::string("plain_") + file.name;
    std::ofstream(folder / "plain.scr") << scriptWriting(file, plain);
    std::ofstream(folder / "linked.scr") << scriptWriting(file, file.name);
    ASSERT_NE(runScriptAt(folder, "plain.scr").output.find(file.done), std::string::npos);

    HostRun run = runScriptAt(folder, "linked.scr");
    EXPECT_NE(run.output.find(file.done), std::string::npos) << run.output;
    EXPECT_TRUE(fs::is_symlink(folder / file.name) && fs::read_symlink(folder / file.name) == first);
    EXPECT_TRUE(fs::is_symlink(folder / first) && fs::read_symlink(folder / first) == second);
    EXPECT_TRUE(fs::is_regular_file(folder / "real" / file.name));
    EXPECT_TRUE(fileBytes(folder / "real" / file.name) == fileBytes(folder / plain));
  }
}

// A folder that takes no new file from the host program for as long as it lives: read-only,
// and for a privileged user (whom permissions do not stop) the host program runs without
// the privilege to pass over them.
struct ClosedFolder {
  explicit ClosedFolder(fs::path folder) : path(std::move(folder)) {
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  }
  ~ClosedFolder() { fs::permissions(path, fs::perms::owner_all, fs::perm_options::add); }
  static std::string unprivileged() {
    return geteuid() == 0 ? "setpriv --bounding-set=-dac_override,-dac_read_search " : "";
  }
  fs::path path;
};

// Each file of both commands in a folder that takes no new file, the file itself writable:
// it is written in place. Under a file-size limit that lets half of the new file through,
// the failure is reported and the earlier bytes are put back exactly, whether the earlier
// file was shorter than the limit or longer than the new one; an earlier file larger than
// what is kept in memory is refused, untouched; an unhindered write leaves the new file
// alone, where the workbook's compound-file writer, which needs a new file of its own,
// fails without touching the earlier one.
TEST(EndToEnd, AFileWrittenInPlaceGetsItsEarlierBytesBackWhenTheWriteFails) {
  for (const WrittenFile& file : kWrittenFiles) {
    SCOPED_TRACE(file.name);
    fs::path folder = freshFolder(std::string("in_place_") + file.name);
    fs::create_directories(folder / "closed");
    const std::string target = std::string("closed/") + file.name;
    std::ofstream(folder / "write.scr") << scriptWriting(file, target);
    HostRun unhindered = runScriptAt(folder, "write.scr");
    ASSERT_NE(unhindered.output.find(file.done), std::string::npos) << unhindered.output;
    const std::string written = fileBytes(folder / target);
    const std::string limited = sizeLimit(written.size() / 2);
    std::string longer;
    while (longer.size() <= written.size()) longer += "a longer earlier file, written over and put back; ";
    const std::string earlierFiles[] = {"a short earlier file\n", longer};

    for (const std::string& earlier : earlierFiles) {
      std::ofstream(folder / target, std::ios::binary) << earlier;
      ClosedFolder closed(folder / "closed");
      HostRun run = runScriptAt(folder, "write.scr", limited + ClosedFolder::unprivileged());
      EXPECT_NE(run.output.find(withPath(file.failed, target)), std::string::npos) << run.output;
      EXPECT_EQ(run.output.find(file.done), std::string::npos) << run.output;
      EXPECT_TRUE(fileBytes(folder / target) == earlier) << "now " << fs::file_size(folder / target) << " bytes";
    }

    const std::uintmax_t tooLarge = (std::uintmax_t(64) << 20) + 1;
    std::ofstream(folder / target, std::ios::binary) << "a large earlier file";
    fs::resize_file(folder / target, tooLarge);
    {
      ClosedFolder closed(folder / "closed");
      HostRun run = runScriptAt(folder, "write.scr", ClosedFolder::unprivileged());
      EXPECT_NE(run.output.find(withPath(file.failed, target)), std::string::npos) << run.output;
      EXPECT_EQ(fs::file_size(folder / target), tooLarge);
      std::string start(21, 'x');
      std::ifstream(folder / target, std::ios::binary).read(start.data(), 21);
      EXPECT_EQ(start, std::string("a large earlier file") + '\0');
    }

    std::ofstream(folder / target, std::ios::binary) << longer;
    ClosedFolder closed(folder / "closed");
    HostRun run = runScriptAt(folder, "write.scr", ClosedFolder::unprivileged());
    const bool workbook = fs::path(file.name).extension() == ".xls";
    EXPECT_NE(run.output.find(workbook ? withPath(file.failed, target) : file.done), std::string::npos) << run.output;
    EXPECT_TRUE(fileBytes(folder / target) == (workbook ? longer : written));
  }
}

TEST(EndToEnd, TheUpdateReplacesTheTablesSelection) {
  fs::path before = freshFolder("wizard_table");
  HostRun wizard = runScript(before, "wizard_table.scr");
  ASSERT_EQ(wizard.status, 0) << wizard.output;
  std::vector<DumpedTable> made = parseDump(wizard.output);
  ASSERT_EQ(made.size(), 1u) << wizard.output;

  fs::path after = freshFolder("replace_selection");
  HostRun run = runScript(after, "replace_selection.scr");
  ASSERT_EQ(run.status, 0) << run.output;
  // Finish before a pick and the cancelled pick change nothing and print no result.
  EXPECT_EQ(count(run.output, "Please select the data table"), 2u) << run.output;
  EXPECT_EQ(count(run.output, "\nYour new selection"), 1u) << run.output;
  // Every object of the drawing is what the table was made from: the wizard over them with
  // the table's choices makes the same table, so nothing changes.
  EXPECT_EQ(count(run.output, "\nTable updated."), 0u) << run.output;
  EXPECT_EQ(count(run.output, "Your new selection\nTable already up to date."), 1u) << run.output;
  std::vector<DumpedTable> replaced = parseDump(run.output);
  ASSERT_EQ(replaced.size(), 1u) << run.output;
  const DumpedTable& table = replaced[0];
  EXPECT_EQ(table.handle, made[0].handle);
  EXPECT_EQ(table.xdataOrder, kLinkLists);
  EXPECT_EQ(table.cells, made[0].cells);
  for (const std::string& list : kLinkLists) EXPECT_EQ(table.xdata.at(list), made[0].xdata.at(list)) << list;
}

TEST(EndToEnd, ObjectsAddedToALinesTableAndARefreshAfterwards) {
  fs::path folder = freshFolder("add_objects");
  HostRun run = runScript(folder, "add_objects.scr");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("Please select new objects\nTable updated."), std::string::npos) << run.output;
  // Nothing changed after the addition: the refresh finds the table as it is.
  EXPECT_NE(run.output.find("Please select the data table\nTable already up to date.\n"), std::string::npos)
      << run.output;
  std::vector<DumpedTable> tables = parseDump(run.output);
  ASSERT_EQ(tables.size(), 1u) << run.output;
  const DumpedTable& table = tables[0];
  EXPECT_EQ(table.xdataOrder, kLinkLists);
  // Every kind, in the order the wizard lists them; the lines' columns keep their places
  // and the other kinds' columns follow; the header list names every column.
  const std::vector<std::string> kinds = {"Line",     "Polyline", "Arc",   "Circle", "Solid",
                                          "3D Solid", "Point",    "MText", "Block"};
  EXPECT_EQ(table.xdata.at("obj_types"), kinds);
  ASSERT_GE(table.cells.size(), 3u);
  EXPECT_EQ(table.cells[1][0], "Object type");
  EXPECT_EQ(table.cells[1][1], "Quantity");
  EXPECT_EQ(table.cells[1][2], "Color");
  EXPECT_EQ(std::multiset<std::string>(table.xdata.at("tb_headers").begin(), table.xdata.at("tb_headers").end()),
            std::multiset<std::string>(table.cells[1].begin(), table.cells[1].end()));
  // The rows show objects of the added kinds.
  auto type = std::find(table.cells[1].begin(), table.cells[1].end(), "Object type");
  ASSERT_NE(type, table.cells[1].end());
  std::set<std::string> shown;
  for (size_t r = 2; r < table.cells.size(); ++r) shown.insert(table.cells[r][type - table.cells[1].begin()]);
  EXPECT_EQ(shown, std::set<std::string>(kinds.begin(), kinds.end()));
  EXPECT_GE(table.xdata.at("obj_handles").size(), table.cells.size() - 2);
}

// A person's moves in the preview, scripted: a column heading dropped on another and a row
// dragged above another in the grid whose first column is hidden. The file follows them.
TEST(EndToEnd, ScriptsMoveThePreviewsColumnsAndRows) {
  fs::path folder = freshFolder("preview_moves");
  HostRun run = runScript(folder, "preview_moves.scr");
  ASSERT_EQ(run.status, 0) << run.output;
  auto plain = readCsvCells(folder / "plain.csv");
  ASSERT_EQ(plain.size(), 3u);
  ASSERT_GE(plain[0].size(), 4u);
  EXPECT_NE(plain[1], plain[2]);
  std::vector<std::vector<std::string>> expected = {plain[0], plain[2], plain[1]};
  for (auto& row : expected) std::rotate(row.begin(), row.begin() + 1, row.begin() + 3);
  EXPECT_EQ(readCsvCells(folder / "moved.csv"), expected);
}

// A heading beyond the preview's right edge: the script scrolls the list to it and the
// click reaches the grid, which sorts the lines (12, 8, 12, 8 and 5 long) by their length.
TEST(EndToEnd, AScriptClicksAHeadingScrolledOutOfView) {
  fs::path folder = freshFolder("heading_out_of_view");
  HostRun run = runScript(folder, "heading_out_of_view.scr");
  ASSERT_EQ(run.status, 0) << run.output;
  auto hex = [](const std::string& text) {
    std::string line = hexLines({{text}});
    return line.substr(0, line.size() - 1);
  };
  auto rows = readCsvCells(folder / "sorted.csv");
  ASSERT_FALSE(rows.empty());
  auto length = std::find(rows[0].begin(), rows[0].end(), hex("Length"));
  ASSERT_NE(length, rows[0].end());
  std::vector<std::string> lengths;
  for (const auto& row : rows) lengths.push_back(row.at(static_cast<size_t>(length - rows[0].begin())));
  EXPECT_EQ(lengths, (std::vector<std::string>{hex("Length"), hex("5"), hex("8"), hex("8"), hex("12"), hex("12")}));
}

// A script chooses the properties one by one on the properties page's check images.
TEST(EndToEnd, ScriptsCheckAndUncheckSingleProperties) {
  fs::path folder = freshFolder("chosen_properties");
  HostRun run = runScript(folder, "chosen_properties.scr");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(readCsvHex(folder / "chosen.csv"), hexLines({{"Object type", "Quantity", "Layer", "Length"},
                                                         {"Line", "1", "Walls", "12"},
                                                         {"Line", "1", "Walls", "8"}}));
}

// A renamed block preview column still shows each row's block, in the wizard's table and
// after a refresh.
TEST(EndToEnd, ARenamedBlockPreviewColumnShowsTheBlocks) {
  fs::path folder = freshFolder("renamed_preview");
  HostRun run = runScript(folder, "renamed_preview.scr");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(count(run.output, "(1,3) \"Picture\""), 1u) << run.output;
  EXPECT_EQ(count(run.output, "(2,3) block Door"), 1u) << run.output;
  EXPECT_EQ(count(run.output, "(3,3) block Door"), 1u) << run.output;
  EXPECT_EQ(count(run.output, "Table already up to date."), 1u) << run.output;
}

// Settings files that no run of the wizard writes, chosen on the first page: one nested
// 40,000 elements deep and one of 8 MB are refused as unreadable, as a plain one is not.
TEST(EndToEnd, SettingsFilesTooDeepOrTooLargeAreRefusedAsUnreadable) {
  fs::path folder = freshFolder("settings_files");
  const std::string head = "<?xml version=\"1.0\" ?><KtDataExtraction><State><Property name=\"Layer\" />";
  const std::string tail = "</State><ExOptions /><KtTable title=\"T\" /></KtDataExtraction>";
  std::string deep;
  for (int level = 0; level < 40000; ++level) deep += "<x>";
  for (int level = 0; level < 40000; ++level) deep += "</x>";
  std::ofstream(folder / "deep.qdx") << head << deep << tail;
  std::ofstream(folder / "large.qdx") << head << "<!--" << std::string(8 << 20, 'x') << "-->" << tail;
  std::ofstream(folder / "plain.qdx") << head << tail;
  HostRun run = runScript(folder, "settings_files.scr");
  EXPECT_EQ(run.status, 0) << run.output.substr(0, 2000);
  EXPECT_EQ(count(run.output, "\nIncorrect Qdx data format, please export again.\n"), 2u) << run.output.substr(0, 2000);
}

}  // namespace
