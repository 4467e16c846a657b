#include <gtest/gtest.h>

#include "extraction/module/module_entry.h"
#include "extraction/res_strings.h"
#include "platform/host/doc_manager.h"
#include "platform/host/rx_class.h"
#include "platform/win/module_loader.h"
#include "res/resource_ids.h"
#include "res/string_tables.h"

namespace {

OvEdCommandStack* commandStack() { return OvEdCommandStack::cast(ovrxSysRegistry()->at(L"OVIS_REGISTERED_COMMANDS")); }

OvRxDynamicLinker* linker() { return OvRxDynamicLinker::cast(ovrxSysRegistry()->at(L"DynamicLinker")); }

// The built module, loaded the way the host loads it.
class LoadedModule : public ::testing::Test {
protected:
  using Entry = int (*)(int, void*);
  using Version = unsigned (*)();

  void SetUp() override {
    linker()->calls.clear();  // the linker lives as long as the process; each test sees its own calls
    librariesBefore = LiveDynLinkLibraries();
    module = LoadLibraryW(L"" DX_BINARY_DIR "/DataExtraction.ovx");
    ASSERT_NE(module, nullptr) << LastLoaderError();
    entry = reinterpret_cast<Entry>(GetProcAddress(module, "ovrxEntryPoint"));
    version = reinterpret_cast<Version>(GetProcAddress(module, "ovrxGetApiVersion"));
    ASSERT_NE(entry, nullptr);
    ASSERT_NE(version, nullptr);
  }
  void TearDown() override {
    if (module) {
      EXPECT_TRUE(FreeLibrary(module));
    }
    EXPECT_EQ(LiveDynLinkLibraries(), librariesBefore);
  }

  HMODULE module = nullptr;
  Entry entry = nullptr;
  Version version = nullptr;
  int librariesBefore = 0;
};

}  // namespace

TEST_F(LoadedModule, AttachJoinsTheResourceChainAndAnswersItsVersion) {
  EXPECT_EQ(LiveDynLinkLibraries(), librariesBefore + 1);
  EXPECT_EQ(version(), 0x07E20000u);
  ASSERT_FALSE(AfxGetModuleState()->m_libraryList.empty());
  EXPECT_EQ(AfxGetModuleState()->m_libraryList.front()->m_hModule, module);
}

TEST_F(LoadedModule, InitialiseDeclaresTheApplicationAndRegistersBothCommands) {
  HINSTANCE resourceBefore = AfxGetResourceHandle();
  void* appId = reinterpret_cast<void*>(0x1234);
  EXPECT_EQ(entry(1, appId), 0);

  ASSERT_EQ(linker()->calls.size(), 2u);
  EXPECT_EQ(linker()->calls[0].operation, L"registerApplication");
  EXPECT_EQ(linker()->calls[1].operation, L"registerApplicationMdiAware");
  EXPECT_EQ(linker()->calls[0].appId, appId);
  EXPECT_EQ(linker()->calls[1].appId, appId);

  const OvEdCommand* wizard = commandStack()->lookupCommand(L"DATAEXTRACTION");
  const OvEdCommand* update = commandStack()->lookupCommand(L"DATAEXTRACTIONUPDATE");
  ASSERT_NE(wizard, nullptr);
  ASSERT_NE(update, nullptr);
  EXPECT_EQ(wizard->group, L"OVX_DATA_EXTRACT");
  EXPECT_EQ(wizard->globalName, wizard->localName);
  EXPECT_EQ(wizard->flags, 0);
  EXPECT_EQ(wizard->resourceHandle, module);
  EXPECT_EQ(wizard->functionCode, -1);
  EXPECT_EQ(update->group, L"OVX_DATA_EXTRACT");
  EXPECT_EQ(update->globalName, update->localName);
  EXPECT_EQ(update->flags, 1);
  EXPECT_EQ(update->resourceHandle, nullptr);
  // The resource handle pushed for the registration was popped again.
  EXPECT_EQ(ovDocManagerPtr()->pushedResourceHandles(), 0);
  EXPECT_EQ(AfxGetResourceHandle(), resourceBefore);

  EXPECT_EQ(entry(2, appId), 0);
  EXPECT_EQ(commandStack()->lookupCommand(L"DATAEXTRACTION"), nullptr);
  EXPECT_EQ(commandStack()->lookupCommand(L"DATAEXTRACTIONUPDATE"), nullptr);
}

TEST_F(LoadedModule, OtherMessagesChangeNothingAndUnloadAlwaysRemovesTheGroup) {
  EXPECT_EQ(entry(3, nullptr), 0);
  EXPECT_EQ(entry(-7, nullptr), 0);
  EXPECT_TRUE(commandStack()->commands().empty());
  EXPECT_TRUE(linker()->calls.empty());
  int removals = commandStack()->removeGroupCalls;
  EXPECT_EQ(entry(2, nullptr), 0);  // unload without an earlier initialise
  EXPECT_EQ(commandStack()->removeGroupCalls, removals + 1);
}

TEST_F(LoadedModule, FailedRegistrationStillPopsTheResourceHandle) {
  auto other = [] {};
  ASSERT_EQ(commandStack()->addCommand(L"OTHER", L"DATAEXTRACTION", L"DATAEXTRACTION", 0, other), Ovis::eOk);
  EXPECT_EQ(entry(1, nullptr), 0);
  EXPECT_EQ(commandStack()->lookupCommand(L"DATAEXTRACTION")->group, L"OTHER");  // the clash is not reported
  EXPECT_NE(commandStack()->lookupCommand(L"DATAEXTRACTIONUPDATE"), nullptr);
  EXPECT_EQ(ovDocManagerPtr()->pushedResourceHandles(), 0);
  entry(2, nullptr);
  commandStack()->removeGroup(L"OTHER");
}

TEST_F(LoadedModule, MissingRegistryServicesAreSkipped) {
  OvRxObject* commands = ovrxSysRegistry()->at(L"OVIS_REGISTERED_COMMANDS");
  OvRxObject* dynamicLinker = ovrxSysRegistry()->at(L"DynamicLinker");
  ovrxSysRegistry()->remove(L"OVIS_REGISTERED_COMMANDS");
  ovrxSysRegistry()->atPut(L"DynamicLinker", commands);  // the wrong class: the check fails
  EXPECT_EQ(entry(1, nullptr), 0);
  EXPECT_EQ(entry(2, nullptr), 0);
  EXPECT_EQ(ovDocManagerPtr()->pushedResourceHandles(), 0);
  ovrxSysRegistry()->atPut(L"OVIS_REGISTERED_COMMANDS", commands);
  ovrxSysRegistry()->atPut(L"DynamicLinker", dynamicLinker);
  EXPECT_TRUE(commandStack()->commands().empty());
}

TEST(ExtensionModuleRecord, SecondAttachDoesNothingAndDetachLeavesTheChain) {
  int before = LiveDynLinkLibraries();
  HINSTANCE instance = RegisterModuleInstance(L"linked-in", nullptr);
  ExtensionModule record;
  EXPECT_TRUE(record.attachInstance(instance));
  EXPECT_EQ(record.instance, instance);
  EXPECT_EQ(LiveDynLinkLibraries(), before + 1);
  EXPECT_FALSE(record.attachInstance(instance));
  EXPECT_EQ(LiveDynLinkLibraries(), before + 1);
  record.detachInstance();
  EXPECT_FALSE(record.attached);
  EXPECT_EQ(LiveDynLinkLibraries(), before);
  ExtensionModule failing;
  EXPECT_FALSE(failing.attachInstance(nullptr));
  EXPECT_EQ(DllMain(nullptr, DLL_PROCESS_ATTACH, nullptr), TRUE);  // the entry answers TRUE even so
  EXPECT_EQ(DllMain(nullptr, DLL_THREAD_ATTACH, nullptr), TRUE);
  UnregisterModuleInstance(instance);
}

TEST_F(LoadedModule, TextsAreFoundThroughTheResourceChainInTheInterfaceLanguage) {
  EXPECT_EQ(LoadResString(IDS_CSV_EXPORT_DONE), L"\nCSV export done to : %1");
  EXPECT_EQ(LoadResFormat(IDS_CSV_EXPORT_DONE, CString(L"C:\\out\\50%1 off.csv")),
            L"\nCSV export done to : C:\\out\\50%1 off.csv");
  EXPECT_EQ(LoadResFormat(IDS_TABLE_UPDATED), L"\nTable updated.");
  EXPECT_EQ(LoadResString(kFirstStringId - 1), L"???");
  EXPECT_EQ(LoadResFormat(kLastStringId + 1, L"x"), L"???");
  SetUserInterfaceLanguage(0x040C);
  CString french = LoadResString(IDS_TABLE_UPDATED);
  SetUserInterfaceLanguage(0x0407);
  CString german = LoadResString(IDS_TABLE_UPDATED);
  SetUserInterfaceLanguage(0x0409);
  EXPECT_NE(french, L"\nTable updated.");
  EXPECT_EQ(french.Left(1), L"\n");
  EXPECT_EQ(german, L"\nTable updated.");
}

// A host that loads the module a second time (another application asking for it) gets the
// same module; freeing that second load leaves the first one working: its resources stay in
// the chain and its commands keep finding their texts.
TEST_F(LoadedModule, LoadingTwiceSharesTheModuleUntilTheLastFree) {
  HMODULE again = LoadLibraryW(L"" DX_BINARY_DIR "/DataExtraction.ovx");
  ASSERT_NE(again, nullptr) << LastLoaderError();
  EXPECT_EQ(again, module);
  EXPECT_EQ(LiveDynLinkLibraries(), librariesBefore + 1);
  EXPECT_TRUE(FreeLibrary(again));
  EXPECT_EQ(LiveDynLinkLibraries(), librariesBefore + 1) << "the first load is still attached";
  EXPECT_EQ(GetProcAddress(module, "ovrxEntryPoint"), reinterpret_cast<FARPROC>(entry));
  EXPECT_EQ(LoadResString(IDS_TABLE_UPDATED), L"\nTable updated.");
}
