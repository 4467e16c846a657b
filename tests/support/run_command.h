// Running other programs from a test: the host program and the independent readers (Python
// scripts, xmllint), with their output and exit status.
#pragma once
#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

struct CommandResult {
  int status = -1;     // the exit status; -1 when the command could not run or did not exit
  std::string output;  // standard output and standard error together
};

inline CommandResult runCommand(const std::string& command) {
  CommandResult result;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return result;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, n);
  int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

// The text as one shell word.
inline std::string shellQuoted(const std::string& text) {
  std::string out = "'";
  for (char ch : text) out += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
  return out + "'";
}

// The command that runs a Python script of the tests folder (the path relative to tests/)
// with the arguments, each one shell word, with the Python that has the readers' modules.
inline std::string pythonScript(const std::string& script, const std::vector<std::string>& arguments = {}) {
  std::string command = shellQuoted(DX_PYTHON) + " " + shellQuoted(DX_SOURCE_DIR "/tests/" + script);
  for (const std::string& argument : arguments) command += " " + shellQuoted(argument);
  return command;
}
