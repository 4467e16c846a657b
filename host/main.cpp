// The host program: loads a plug-in module the way the CAD host does, declares it,
// runs commands read from a script file or standard input through the command stack,
// and unloads the module at the end.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <new>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/host/db_database.h"
#include "platform/host/doc_manager.h"
#include "platform/host/drawing_dump.h"
#include "platform/host/editor.h"
#include "platform/host/rx_class.h"
#include "platform/host/sample_drawing.h"
#include "platform/host/script_input.h"
#include "platform/mfc/win_app.h"
#include "platform/win/codepage.h"
#include "platform/win/module_loader.h"
#include "platform/win/resources.h"

namespace {

constexpr unsigned kApiVersion = 0x07E20000;

// The exit statuses (README, "The host program").
constexpr int kExitDone = 0;
constexpr int kExitUnknownCommands = 1;  // a command name the command stack does not know
constexpr int kExitCannotStart = 2;      // a bad option, no script, no module
constexpr int kExitWrongVersion = 3;     // a module built for another host interface version
constexpr int kExitScriptError = 4;      // the script lacks an answer or gives one that does not fit
constexpr int kExitOutOfMemory = 5;      // memory ran out in the host's own work, outside a command

struct Options {
  std::string module = DX_DEFAULT_MODULE;
  std::string script;  // empty: standard input
  std::string language;
  std::string verlan;
  int luprec = -1000;
  std::string drawing = "sample";
  std::string profile;  // the application's profile strings (grid layouts); default ~/.ovhost.ini
  bool dump = false;
  bool help = false;
};

void usage() {
  std::puts(
      "usage: ovhost [--module FILE] [--script FILE] [--drawing sample|empty] [--dump]\n"
      "              [--lang LANG] [--verlan LANG] [--luprec N]\n"
      "  --module FILE  the plug-in module to load (default: the built DataExtraction.ovx)\n"
      "  --script FILE  command names, one a line; default: standard input\n"
      "  --drawing D    the drawing the commands work on: the built-in sample floor plan\n"
      "                 (default) or an empty drawing\n"
      "  --dump         after the commands, print the drawing's tables and their xdata\n"
      "  --profile FILE the file that keeps the application's settings (default ~/.ovhost.ini)\n"
      "  --lang LANG    the interface language, e.g. fr-FR, es-ES, en-US (default: from LANG)\n"
      "  --verlan LANG  the host's VERLAN variable (default en-US)\n"
      "  --luprec N     the drawing's linear precision LUPREC (default 4)");
}

bool parseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "ovhost: %s needs a value\n", arg.c_str());
        return false;
      }
      out = argv[++i];
      return true;
    };
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--module") {
      if (!value(options.module)) return false;
    } else if (arg == "--script") {
      if (!value(options.script)) return false;
    } else if (arg == "--drawing") {
      if (!value(options.drawing)) return false;
      if (options.drawing != "sample" && options.drawing != "empty") {
        std::fprintf(stderr, "ovhost: --drawing takes 'sample' or 'empty', not '%s'\n", options.drawing.c_str());
        return false;
      }
    } else if (arg == "--profile") {
      if (!value(options.profile)) return false;
    } else if (arg == "--dump") {
      options.dump = true;
    } else if (arg == "--lang") {
      if (!value(options.language)) return false;
    } else if (arg == "--verlan") {
      if (!value(options.verlan)) return false;
    } else if (arg == "--luprec") {
      std::string n;
      if (!value(n)) return false;
      char* end = nullptr;
      long v = std::strtol(n.c_str(), &end, 10);
      if (n.empty() || *end || v < -32768 || v > 32767) {
        std::fprintf(stderr, "ovhost: --luprec takes a whole number, not '%s'\n", n.c_str());
        return false;
      }
      options.luprec = static_cast<int>(v);
    } else {
      std::fprintf(stderr, "ovhost: unknown option '%s' (see --help)\n", arg.c_str());
      return false;
    }
  }
  return true;
}

// Says that memory ran out, without asking for more; the exit status that tells it.
int reportOutOfMemory() {
  std::fflush(stdout);
  std::fputs("\novhost: out of memory\n", stderr);
  return kExitOutOfMemory;
}

std::wstring widen(const std::string& text) {
  std::wstring out;
  if (!Utf8ToWide(text, out)) out = AnsiToWide(text);
  return out;
}

void setInterfaceLanguage(const Options& options) {
  std::string name = options.language;
  if (name.empty()) {
    const char* env = std::getenv("LANG");
    name = env ? env : "";
  }
  LANGID id = LanguageIdFromName(widen(name));
  SetUserInterfaceLanguage(id ? id : 0x0409);
}

// A module loaded for the host's run: freed when the run ends early (the normal end unloads
// it in its own order).
class LoadedModule {
public:
  explicit LoadedModule(HMODULE module) : module_(module) {}
  ~LoadedModule() {
    if (module_) FreeLibrary(module_);
  }
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;
  HMODULE get() const { return module_; }
  void free() { FreeLibrary(std::exchange(module_, nullptr)); }

private:
  HMODULE module_;
};

// Loads the module, opens the drawing and runs the script; the exit status.
int runHost(int argc, char** argv) {
  Options options;
  if (!parseOptions(argc, argv, options)) return kExitCannotStart;
  if (options.help) {
    usage();
    return kExitDone;
  }
  setInterfaceLanguage(options);
  if (!options.verlan.empty()) HostEditor::setVariable(L"VERLAN", widen(options.verlan));
  if (options.luprec != -1000) HostEditor::setVariable(L"LUPREC", static_cast<short>(options.luprec));

  std::ifstream scriptFile;
  if (!options.script.empty()) {
    scriptFile.open(options.script);
    if (!scriptFile) {
      std::fprintf(stderr, "ovhost: cannot open the script '%s'\n", options.script.c_str());
      return kExitCannotStart;
    }
  }

  LoadedModule module(LoadLibraryW(widen(options.module).c_str()));
  if (!module.get()) {
    std::fprintf(stderr, "ovhost: cannot load the module '%s': %s\n", options.module.c_str(),
                 WideToUtf8(LastLoaderError()).c_str());
    return kExitCannotStart;
  }
  using VersionFunction = unsigned (*)();
  using EntryFunction = int (*)(int, void*);
  auto version = reinterpret_cast<VersionFunction>(GetProcAddress(module.get(), "ovrxGetApiVersion"));
  auto entry = reinterpret_cast<EntryFunction>(GetProcAddress(module.get(), "ovrxEntryPoint"));
  if (!version || !entry) {
    std::fprintf(stderr, "ovhost: '%s' is not a host module: it lacks %s\n", options.module.c_str(),
                 version ? "ovrxEntryPoint" : "ovrxGetApiVersion");
    return kExitCannotStart;
  }
  if (version() != kApiVersion) {
    std::fprintf(stderr, "ovhost: '%s' was built for host interface version 0x%08X, this host has 0x%08X\n",
                 options.module.c_str(), version(), kApiVersion);
    return kExitWrongVersion;
  }
  CWinApp application(L"ovhost");
  if (options.profile.empty() && std::getenv("HOME"))
    options.profile = std::string(std::getenv("HOME")) + "/.ovhost.ini";
  application.SetProfileFile(CString(widen(options.profile).c_str()));

  std::unique_ptr<OvDbDatabase> drawing(options.drawing == "sample" ? buildSampleDrawing() : new OvDbDatabase());
  ovdbHostApplicationServices()->setWorkingDatabase(drawing.get());
  ovDocManagerPtr()->curDocument()->setFileName(options.drawing == "sample" ? L"FloorPlan.dwg" : L"Drawing1.dwg");

  void* appId = module.get();
  entry(1, appId);

  auto* commands = OvEdCommandStack::cast(ovrxSysRegistry()->at(L"OVIS_REGISTERED_COMMANDS"));
  std::istream& in = options.script.empty() ? std::cin : scriptFile;
  int status = kExitDone;
  try {  // the script answers the commands' dialogs, picks and points (host/SCRIPTS.md)
    HostScript::ScriptSession script(in, options.script.empty() ? "standard input" : options.script);
    script.Run([&](const std::string& command) {
      std::wstring name = widen(command);
      ovutPrintf(L"\nCommand: %s\n", name.c_str());
      if (!commands || !commands->runCommand(name.c_str())) {
        ovutPrintf(L"\nUnknown command \"%s\".", name.c_str());
        status = kExitUnknownCommands;
      }
    });
  } catch (const std::bad_alloc&) {  // the host's own work between the commands
    status = reportOutOfMemory();
  } catch (const std::exception& error) {
    std::fflush(stdout);
    std::fprintf(stderr, "\novhost: %s\n", error.what());
    status = kExitScriptError;
  }
  ovutPrintf(L"\n");
  if (options.dump) {
    std::wostringstream text;
    text.exceptions(std::ios::badbit);  // memory run out is not kept within the stream: no dump is cut short
    dumpDrawingTables(drawing.get(), text);
    std::string bytes = WideToUtf8(text.str());
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  }

  entry(2, appId);
  module.free();
  ovdbHostApplicationServices()->setWorkingDatabase(nullptr);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  // A write past a file-size limit fails with an error that its writer reports, keeping the
  // earlier file, rather than ending the program half way through the file.
  std::signal(SIGXFSZ, SIG_IGN);
  try {
    return runHost(argc, argv);
  } catch (const std::bad_alloc&) {  // at the start, or while the drawing is dumped or the module unloaded
    return reportOutOfMemory();
  }
}
