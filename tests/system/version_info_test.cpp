#include "system/version_info.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

std::string ProgramPath() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, sizeof(path));
  return path;
}

std::string BesideProgram(const std::string& name) {
  const std::string program = ProgramPath();
  return program.substr(0, program.rfind('\\') + 1) + name;
}

std::string ShippedProgram() {
  std::string program = QOR_CHECKER_EXE;
  for (char& c : program) c = c == '/' ? '\\' : c;
  return program;
}

std::vector<std::string> AllFields(const CVersionInfo& info) {
  std::vector<std::string> fields;
  for (int i = 0; i < CVersionInfo::kFieldCount; ++i) fields.push_back(info.GetField(i));
  return fields;
}

const std::vector<std::string> kOurFields = {
    "",                                                        // Comments
    "ルモラ株式会社",                                          // CompanyName
    "ソラリオ for UT-750",                                     // FileDescription
    "5, 0, 0, 7567",                                           // FileVersion
    "qorChecker.exe",                                          // InternalName
    "Copyright (C) 2010 ルモラ株式会社 All rights reserved.",  // LegalCopyright
    "",                                                        // LegalTrademarks
    "qorChecker.exe",                                          // OriginalFilename
    "",                                                        // PrivateBuild
    "Lumora",                                                  // ProductName
    "7, 0, 0, 0",                                              // ProductVersion
    "",                                                        // SpecialBuild
};

TEST(VersionInfo, OurProgramGivesItsFileVersionTextAndCopyright) {
  const CVersionInfo info;
  EXPECT_STREQ("5, 0, 0, 7567", info.GetFileVersion());
  EXPECT_STREQ("Copyright (C) 2010 ルモラ株式会社 All rights reserved.", info.GetLegalCopyright());
  EXPECT_EQ(kOurFields, AllFields(info));
}

TEST(VersionInfo, TheShippedProgramCarriesTheSameFields) {
  const CVersionInfo info(ShippedProgram().c_str());
  EXPECT_STREQ("5, 0, 0, 7567", info.GetFileVersion());
  EXPECT_EQ(kOurFields, AllFields(info));
}

// The manifest names the same version and asks for no elevation.
TEST(VersionInfo, TheShippedProgramsManifestRunsAsInvokerUnderItsVersion) {
  const HMODULE module = LoadLibraryExA(ShippedProgram().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_TRUE(module);
  const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), reinterpret_cast<LPCSTR>(RT_MANIFEST));
  ASSERT_TRUE(found);
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
  const std::string manifest(bytes, SizeofResource(module, found));
  FreeLibrary(module);
  EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>"), std::string::npos);
  EXPECT_NE(manifest.find("name=\"Lumora.Solario.qorChecker\" version=\"5.0.0.7567\""), std::string::npos) << manifest;
  // The pages are laid out in pixels at every DPI: no stretching by the system.
  EXPECT_NE(manifest.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>"),
            std::string::npos);
}

TEST(VersionInfo, OurResourceHasTheFixedPartAndOneJapaneseTranslation) {
  const std::string path = ProgramPath();
  DWORD handle = 0;
  const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &handle);
  ASSERT_NE(0u, size);
  std::vector<char> block(size);
  ASSERT_TRUE(::GetFileVersionInfoA(path.c_str(), handle, size, block.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_EQ(sizeof(VS_FIXEDFILEINFO), length);
  EXPECT_EQ(0x00050000u, fixed->dwFileVersionMS);
  EXPECT_EQ(7567u, fixed->dwFileVersionLS);
  EXPECT_EQ(0x00070000u, fixed->dwProductVersionMS);
  EXPECT_EQ(0u, fixed->dwProductVersionLS);
  EXPECT_EQ(0x3Fu, fixed->dwFileFlagsMask);
  EXPECT_EQ(0u, fixed->dwFileFlags);
  EXPECT_EQ(static_cast<DWORD>(VOS__WINDOWS32), fixed->dwFileOS);
  EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);

  WORD* translation = nullptr;
  ASSERT_TRUE(::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
  ASSERT_EQ(4u, length);
  EXPECT_EQ(0x0411, translation[0]);
  EXPECT_EQ(0x03A4, translation[1]);
}

TEST(VersionInfo, FilesWithoutAVersionResourceGiveTwelveEmptyFields) {
  char temporary[MAX_PATH];
  ASSERT_NE(0u, ::GetTempPathA(sizeof(temporary), temporary));
  const std::string textFile = std::string(temporary) + "version_info_test.txt";
  HANDLE file = ::CreateFileA(textFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  DWORD written = 0;
  ::WriteFile(file, "FileVersion 5, 0, 0, 7567\r\n", 27, &written, nullptr);
  ::CloseHandle(file);

  const std::string paths[] = {BesideProgram("version_sample_none.dll"), textFile,
                               BesideProgram("no such file.exe"), ""};
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    EXPECT_EQ(std::vector<std::string>(CVersionInfo::kFieldCount), AllFields(CVersionInfo(path)));
  }
  ::DeleteFileA(textFile.c_str());
}

TEST(VersionInfo, OnlyTheFirstListedTranslationIsRead) {
  const CVersionInfo japaneseFirst(BesideProgram("version_sample_two.dll"));
  EXPECT_STREQ("1, 2, 3, 4", japaneseFirst.GetFileVersion());
  EXPECT_STREQ("日本語の版", japaneseFirst.GetField(CVersionInfo::kCompanyName));
  // Present in the second translation only.
  EXPECT_STREQ("", japaneseFirst.GetField(CVersionInfo::kComments));
  EXPECT_STREQ("", japaneseFirst.GetField(CVersionInfo::kPrivateBuild));

  const CVersionInfo englishFirst(BesideProgram("version_sample_two_english_first.dll"));
  EXPECT_STREQ("9, 9, 9, 9", englishFirst.GetFileVersion());
  EXPECT_STREQ("only in the second translation", englishFirst.GetField(CVersionInfo::kComments));
  EXPECT_STREQ("", englishFirst.GetField(CVersionInfo::kLegalTrademarks));
}

TEST(VersionInfo, ALongValueIsCutBeforeTheCharacterThatWouldNotFit) {
  const CVersionInfo info(BesideProgram("version_sample_two.dll"));
  // 600 double-byte characters: 511 of them fill 1022 of the 1023 bytes.
  std::string expected;
  for (int i = 0; i < 511; ++i) expected += "あ";
  EXPECT_EQ(expected, info.GetField(CVersionInfo::kLegalTrademarks));
}

TEST(VersionInfo, PlacesOutsideTheTwelveFieldsAreEmpty) {
  const CVersionInfo info;
  EXPECT_STREQ("", info.GetField(-1));
  EXPECT_STREQ("", info.GetField(CVersionInfo::kFieldCount));
}

}  // namespace
