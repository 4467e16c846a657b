#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>
#include <string>

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
  return runCommand(std::string(DX_HOST_PROGRAM) + " --profile " + profile + " " + arguments + " < " +
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
  HostRun garbage = runHost("--module '" + bogus + "'", "");
  EXPECT_EQ(garbage.status, 2);
  EXPECT_NE(garbage.output.find("cannot load the module"), std::string::npos) << garbage.output;

  HostRun wrongVersion = runHost(std::string("--module ") + DX_WRONG_VERSION_MODULE, "DATAEXTRACTION\n");
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
