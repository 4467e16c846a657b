// The structured-storage stand-in: compound files kept in memory, written whole on each
// change, with the naming, sharing and access rules the workbook relies on.
#include "platform/win/structured_storage.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-utils.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "test_support.h"

using sheet_test::scratchPath;

namespace {

constexpr DWORD kCreate = STGM_CREATE | STGM_SHARE_EXCLUSIVE | STGM_READWRITE;
constexpr DWORD kRead = STGM_SHARE_EXCLUSIVE | STGM_READ;
constexpr DWORD kWrite = STGM_SHARE_EXCLUSIVE | STGM_READWRITE;

IStorage* createFile(const std::wstring& path) {
  IStorage* storage = nullptr;
  EXPECT_EQ(StgCreateDocfile(path.c_str(), kCreate, 0, &storage), S_OK);
  return storage;
}

void writeStream(IStorage* storage, const wchar_t* name, const std::string& bytes) {
  IStream* stream = nullptr;
  ASSERT_EQ(storage->CreateStream(name, kCreate, 0, 0, &stream), S_OK);
  ULONG written = 0;
  ASSERT_EQ(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written), S_OK);
  EXPECT_EQ(written, bytes.size());
  stream->Release();
}

std::string readStream(IStorage* storage, const wchar_t* name) {
  IStream* stream = nullptr;
  if (storage->OpenStream(name, nullptr, kRead, 0, &stream) != S_OK) return "<missing>";
  STATSTG stat{};
  EXPECT_EQ(stream->Stat(&stat, STATFLAG_NONAME), S_OK);
  EXPECT_EQ(stat.pwcsName, nullptr);
  std::string bytes(stat.cbSize.QuadPart, '\0');
  ULONG read = 0;
  EXPECT_EQ(stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read), S_OK);
  EXPECT_EQ(read, bytes.size());
  stream->Release();
  return bytes;
}

IStorage* openFile(const std::wstring& path, DWORD mode) {
  IStorage* storage = nullptr;
  EXPECT_EQ(StgOpenStorage(path.c_str(), nullptr, mode, nullptr, 0, &storage), S_OK);
  return storage;
}

}  // namespace

TEST(StructuredStorage, StreamsSurviveReopeningSmallLargeAndEmpty) {
  std::wstring path = widePath(scratchPath("storage_roundtrip.xls"));
  std::string large(100000, '\0');
  for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 7 + 1);
  IStorage* storage = createFile(path);
  ASSERT_NE(storage, nullptr);
  writeStream(storage, L"Workbook", large);
  writeStream(storage, L"Small", "abc");
  writeStream(storage, L"Empty", "");
  storage->Release();

  storage = openFile(path, kRead);
  ASSERT_NE(storage, nullptr);
  EXPECT_EQ(readStream(storage, L"Workbook"), large);
  EXPECT_EQ(readStream(storage, L"Small"), "abc");
  EXPECT_EQ(readStream(storage, L"Empty"), "");
  storage->Release();
}

TEST(StructuredStorage, WrittenBytesReachTheFileAtOnce) {
  std::filesystem::path path = scratchPath("storage_direct.xls");
  IStorage* storage = createFile(widePath(path));
  ASSERT_NE(storage, nullptr);
  writeStream(storage, L"Workbook", "direct-mode-marker");
  std::ifstream file(path, std::ios::binary);
  std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_NE(content.find("direct-mode-marker"), std::string::npos);
  EXPECT_EQ(content.size() % 512, 0u);
  storage->Release();
}

// A stream written whole is not kept in memory: the file gives its bytes back when a
// read, a later write or a change to another stream needs them.
TEST(StructuredStorage, StreamsWrittenWholeComeBackFromTheFile) {
  std::wstring path = widePath(scratchPath("storage_whole.xls"));
  std::string large(70000, '\0');
  for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 13 + 5);
  IStorage* storage = createFile(path);
  ASSERT_NE(storage, nullptr);
  writeStream(storage, L"Workbook", large);
  writeStream(storage, L"Other", "abc");  // the file is written again, with both streams
  EXPECT_EQ(readStream(storage, L"Workbook"), large);

  // Written whole again, then overwritten in part and extended from within.
  writeStream(storage, L"Workbook", large);
  IStream* stream = nullptr;
  ASSERT_EQ(storage->OpenStream(L"Workbook", nullptr, kWrite, 0, &stream), S_OK);
  ULONG moved = 0;
  EXPECT_EQ(stream->Write("HEAD", 4, &moved), S_OK);
  EXPECT_EQ(stream->Write(large.data(), static_cast<ULONG>(large.size()), &moved), S_OK);
  stream->Release();
  std::string expected = "HEAD" + large;
  EXPECT_EQ(readStream(storage, L"Workbook"), expected);
  storage->Release();

  storage = openFile(path, kRead);
  ASSERT_NE(storage, nullptr);
  EXPECT_EQ(readStream(storage, L"Workbook"), expected);
  EXPECT_EQ(readStream(storage, L"Other"), "abc");
  storage->Release();
}

TEST(StructuredStorage, NamesAreCheckedAndComparedIgnoringCase) {
  IStorage* storage = createFile(widePath(scratchPath("storage_names.xls")));
  ASSERT_NE(storage, nullptr);
  IStream* stream = nullptr;
  EXPECT_EQ(storage->CreateStream(std::wstring(31, L'n').c_str(), kCreate, 0, 0, &stream), S_OK);
  stream->Release();
  EXPECT_EQ(storage->CreateStream(std::wstring(32, L'n').c_str(), kCreate, 0, 0, &stream), STG_E_INVALIDNAME);
  EXPECT_EQ(stream, nullptr);
  // A character beyond U+FFFF takes two of the 31 units.
  EXPECT_EQ(storage->CreateStream((std::wstring(30, L'n') + L"\U0001F600").c_str(), kCreate, 0, 0, &stream),
            STG_E_INVALIDNAME);
  for (const wchar_t* name : {L"a/b", L"a\\b", L"a:b", L"a!b", L""})
    EXPECT_EQ(storage->CreateStream(name, kCreate, 0, 0, &stream), STG_E_INVALIDNAME) << name;

  writeStream(storage, L"Workbook", "first");
  EXPECT_EQ(readStream(storage, L"WORKBOOK"), "first");
  EXPECT_EQ(storage->CreateStream(L"workBOOK", STGM_SHARE_EXCLUSIVE | STGM_READWRITE, 0, 0, &stream),
            STG_E_FILEALREADYEXISTS);
  // STGM_CREATE replaces the stream: one stream of that name, now empty.
  ASSERT_EQ(storage->CreateStream(L"workbook", kCreate, 0, 0, &stream), S_OK);
  STATSTG stat{};
  ASSERT_EQ(stream->Stat(&stat, STATFLAG_DEFAULT), S_OK);
  EXPECT_STREQ(stat.pwcsName, L"workbook");
  EXPECT_EQ(stat.cbSize.QuadPart, 0u);
  CoTaskMemFree(stat.pwcsName);
  stream->Release();
  EXPECT_EQ(readStream(storage, L"Workbook"), "");
  storage->Release();
}

TEST(StructuredStorage, AccessModesAreEnforced) {
  std::wstring path = widePath(scratchPath("storage_modes.xls"));
  IStorage* storage = createFile(path);
  ASSERT_NE(storage, nullptr);
  writeStream(storage, L"Workbook", "data");
  IStream* first = nullptr;
  IStream* second = nullptr;
  ASSERT_EQ(storage->OpenStream(L"Workbook", nullptr, kRead, 0, &first), S_OK);
  EXPECT_EQ(storage->OpenStream(L"Workbook", nullptr, kRead, 0, &second), STG_E_ACCESSDENIED);
  ULONG moved = 0;
  EXPECT_EQ(first->Write("x", 1, &moved), STG_E_ACCESSDENIED);
  first->Release();
  EXPECT_EQ(storage->OpenStream(L"Workbook", nullptr, STGM_READ, 0, &second), STG_E_INVALIDFLAG);
  EXPECT_EQ(storage->OpenStream(L"Missing", nullptr, kRead, 0, &second), STG_E_FILENOTFOUND);
  storage->Release();

  storage = openFile(path, kRead);
  ASSERT_NE(storage, nullptr);
  EXPECT_EQ(storage->CreateStream(L"New", kCreate, 0, 0, &second), STG_E_ACCESSDENIED);
  EXPECT_EQ(storage->OpenStream(L"Workbook", nullptr, kWrite, 0, &second), STG_E_ACCESSDENIED);
  storage->Release();

  storage = openFile(path, STGM_SHARE_EXCLUSIVE | STGM_WRITE);
  ASSERT_NE(storage, nullptr);
  EXPECT_EQ(storage->OpenStream(L"Workbook", nullptr, kRead, 0, &second), STG_E_ACCESSDENIED);
  storage->Release();
}

TEST(StructuredStorage, OpenFilesAreSharedExclusively) {
  std::wstring path = widePath(scratchPath("storage_share.xls"));
  IStorage* storage = createFile(path);
  ASSERT_NE(storage, nullptr);
  IStorage* other = nullptr;
  EXPECT_EQ(StgOpenStorage(path.c_str(), nullptr, kRead, nullptr, 0, &other), STG_E_SHAREVIOLATION);
  EXPECT_EQ(StgCreateDocfile(path.c_str(), kCreate, 0, &other), STG_E_SHAREVIOLATION);
  storage->Release();
  other = openFile(path, kRead);
  ASSERT_NE(other, nullptr);
  other->Release();
}

TEST(StructuredStorage, FailuresGiveTheirResults) {
  std::filesystem::path path = scratchPath("storage_failures.xls");
  IStorage* storage = nullptr;
  EXPECT_EQ(StgOpenStorage(widePath(path).c_str(), nullptr, kRead, nullptr, 0, &storage), STG_E_FILENOTFOUND);
  { std::ofstream(path) << "not a compound file, just text that is long enough to have a header"; }
  EXPECT_EQ(StgOpenStorage(widePath(path).c_str(), nullptr, kRead, nullptr, 0, &storage), STG_E_INVALIDHEADER);
  EXPECT_EQ(StgCreateDocfile(widePath(path).c_str(), STGM_SHARE_EXCLUSIVE | STGM_READWRITE, 0, &storage),
            STG_E_FILEALREADYEXISTS);
  EXPECT_EQ(StgCreateDocfile((widePath(path) + L".missing/x.xls").c_str(), kCreate, 0, &storage), STG_E_PATHNOTFOUND);
  EXPECT_EQ(storage, nullptr);
  // The failed attempts leave the file alone.
  std::ifstream file(path);
  std::string first;
  file >> first;
  EXPECT_EQ(first, "not");
}

// A file with a nested storage and a class id, written by another compound-file writer:
// rewriting it through the stand-in keeps both.
TEST(StructuredStorage, RewritingKeepsNestedStoragesAndClassIds) {
  std::filesystem::path path = scratchPath("storage_nested.xls");
  const guint8 clsid[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
  {
    gsf_init();
    GsfOutput* sink = gsf_output_stdio_new(path.c_str(), nullptr);
    ASSERT_NE(sink, nullptr);
    GsfOutfile* root = gsf_outfile_msole_new(sink);
    gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(root), clsid);
    GsfOutput* sub = gsf_outfile_new_child(root, "Sub", TRUE);
    GsfOutput* inner = gsf_outfile_new_child(GSF_OUTFILE(sub), "Inner", FALSE);
    gsf_output_write(inner, 5, reinterpret_cast<const guint8*>("inner"));
    gsf_output_close(inner);
    gsf_output_close(sub);
    GsfOutput* stream = gsf_outfile_new_child(root, "Workbook", FALSE);
    gsf_output_write(stream, 3, reinterpret_cast<const guint8*>("old"));
    gsf_output_close(stream);
    gsf_output_close(GSF_OUTPUT(root));
    for (GsfOutput* o : {inner, sub, stream, GSF_OUTPUT(root), sink}) g_object_unref(o);
  }
  IStorage* storage = openFile(widePath(path), kWrite);
  ASSERT_NE(storage, nullptr);
  IStream* stream = nullptr;
  ASSERT_EQ(storage->OpenStream(L"Workbook", nullptr, kWrite, 0, &stream), S_OK);
  EXPECT_EQ(stream->Write("new", 3, nullptr), S_OK);
  stream->Release();
  EXPECT_EQ(storage->OpenStream(L"Sub", nullptr, kRead, 0, &stream), STG_E_FILENOTFOUND);
  storage->Release();

  GsfInput* input = gsf_input_stdio_new(path.c_str(), nullptr);
  ASSERT_NE(input, nullptr);
  GsfInfile* root = gsf_infile_msole_new(input, nullptr);
  ASSERT_NE(root, nullptr);
  guint8 read[16] = {};
  gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(root), read);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(read), 16), std::string(reinterpret_cast<const char*>(clsid), 16));
  GsfInput* inner = gsf_infile_child_by_vname(root, "Sub", "Inner", nullptr);
  ASSERT_NE(inner, nullptr);
  char bytes[6] = {};
  gsf_input_read(inner, 5, reinterpret_cast<guint8*>(bytes));
  EXPECT_STREQ(bytes, "inner");
  GsfInput* workbook = gsf_infile_child_by_name(root, "Workbook");
  ASSERT_NE(workbook, nullptr);
  gsf_input_read(workbook, 3, reinterpret_cast<guint8*>(bytes));
  EXPECT_EQ(std::string(bytes, 3), "new");
  for (GObject* o : {G_OBJECT(inner), G_OBJECT(workbook), G_OBJECT(root), G_OBJECT(input)}) g_object_unref(o);
}
