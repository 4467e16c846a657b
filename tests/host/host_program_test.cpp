#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

struct HostRun {
  int status = -1;
  std::string output;
};

// Runs the host program with the given arguments and standard input; stdout and stderr
// together.
HostRun runHost(const std::string& arguments, const std::string& input) {
  std::string dir = std::getenv("DX_TEST_OUTPUT") ? std::getenv("DX_TEST_OUTPUT") : "/tmp";
  std::system(("mkdir -p '" + dir + "'").c_str());
  static int runs = 0;
  std::string inputFile = dir + "/host_input_" + std::to_string(getpid()) + "_" + std::to_string(++runs) + ".txt";
  std::ofstream(inputFile) << input;
  std::string command = std::string(DX_HOST_PROGRAM) + " " + arguments + " < '" + inputFile + "' 2>&1";
  HostRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
  int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
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

  std::string dir = std::getenv("DX_TEST_OUTPUT") ? std::getenv("DX_TEST_OUTPUT") : "/tmp";
  std::string bogus = dir + "/NotAModule_" + std::to_string(getpid()) + ".ovx";
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
