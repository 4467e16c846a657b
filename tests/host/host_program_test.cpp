#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <span>
#include <string>

#include "platform/win/codepage.h"
#include "res/resource_ids.h"
#include "res/string_tables.h"

#include "tests/support/run_command.h"
#include "tests/support/test_output.h"

namespace {

using HostRun = CommandResult;

// Runs the host program with the given arguments and standard input; stdout and stderr
// together. Its settings go to a profile in the test output folder, never the user's own.
HostRun runHost(const std::string& arguments, const std::string& input) {
  std::string dir = testOutputFolder().string();
  static int runs = 0;
  std::string inputFile = dir + "/host_input_" + std::to_string(getpid()) + "_" + std::to_string(++runs) + ".txt";
  std::ofstream(inputFile) << input;
  std::string profile = shellQuoted(dir + "/host_program.ini");
  return runCommand(shellQuoted(DX_HOST_PROGRAM) + " --profile " + profile + " " + arguments + " < " +
                    shellQuoted(inputFile));
}

}  // namespace

TEST(HostProgram, RunsRegisteredCommandsAndReportsUnknownOnes) {
  HostRun run = runHost("", "DATAEXTRACTION\n> click 2\n; a comment\n\nNOSUCHCOMMAND\n");
  EXPECT_NE(run.output.find("Command: DATAEXTRACTION"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("Unknown command \"NOSUCHCOMMAND\"."), std::string::npos) << run.output;
  EXPECT_EQ(run.status, 1);
  HostRun clean = runHost("", "dataextractionupdate\n> click 2\n");
  EXPECT_EQ(clean.status, 0) << clean.output;
}

TEST(HostProgram, RefusesModulesItCannotUse) {
  HostRun missing = runHost("--module /nonexistent/Missing.ovx", "");
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.output.find("cannot load the module"), std::string::npos) << missing.output;

  std::string bogus = testOutputFolder().string() + "/NotAModule_" + std::to_string(getpid()) + ".ovx";
  std::ofstream(bogus) << "this is text, not a module";
  HostRun garbage = runHost("--module " + shellQuoted(bogus), "");
  EXPECT_EQ(garbage.status, 2);
  EXPECT_NE(garbage.output.find("cannot load the module"), std::string::npos) << garbage.output;

  HostRun wrongVersion = runHost("--module " + shellQuoted(DX_WRONG_VERSION_MODULE), "DATAEXTRACTION\n");
  EXPECT_EQ(wrongVersion.status, 3);
  EXPECT_NE(wrongVersion.output.find("0x07E10000"), std::string::npos) << wrongVersion.output;
  EXPECT_EQ(wrongVersion.output.find("Command:"), std::string::npos);

  HostRun badOption = runHost("--luprec many", "");
  EXPECT_EQ(badOption.status, 2);
  EXPECT_NE(badOption.output.find("--luprec"), std::string::npos);
}

TEST(HostProgram, AScriptThatCannotBeReadIsAFailure) {
  HostRun folder = runHost("--script " + shellQuoted(testOutputFolder().string()), "");
  EXPECT_EQ(folder.status, 4) << folder.output;
  EXPECT_NE(folder.output.find("cannot be read"), std::string::npos) << folder.output;
}

// The interface language as a user sets it, by the option or by LANG in any of its spellings:
// French and Spanish users of every region get their texts, everyone else English.
TEST(HostProgram, TheLanguageSettingPicksTheTextsOfItsLanguage) {
  auto text = [](std::span<const StringTableEntry> table) {
    for (const StringTableEntry& entry : table)
      if (entry.id == IDS_SELECT_DATA_TABLE) return WideToUtf8(entry.text);
    return std::string("no such text");
  };
  const std::string english = text(englishStringTable()), french = text(frenchStringTable()),
                    spanish = text(spanishStringTable());
  const std::pair<const char*, const std::string*> cases[] = {
      {"--lang fr-FR", &french},        {"--lang fr_CA.UTF-8", &french}, {"--lang fr_FR@euro", &french},
      {"--lang fr-LU", &french},        {"--lang es-ES", &spanish},      {"--lang es_AR", &spanish},
      {"--lang es_CO.UTF-8", &spanish}, {"--lang en-US", &english},      {"--lang en_NZ.UTF-8", &english},
      {"--lang de_DE.UTF-8", &english}, {"--lang C", &english},          {"--lang pt_BR", &english},
  };
  for (const auto& [option, expected] : cases) {
    // The update command asks for the table on the command line; the pick is cancelled.
    HostRun run = runHost(option, "DATAEXTRACTIONUPDATE\n> click 1051\n> cancel\n");
    EXPECT_EQ(run.status, 0) << option << ": " << run.output;
    EXPECT_NE(run.output.find("\n" + *expected + "\n"), std::string::npos) << option << ": " << run.output;
  }
}
