#include <gtest/gtest.h>
#include <windows.h>

#include "LocateLibraries.h"
#include "StdioFile.h"
#include "Utf8.h"
#include "WideText.h"
#include "Win32ChineseDecoder.h"
#include "Win32FileSystem.h"
#include "Win32SystemView.h"
#include "support/TableText.h"

namespace emb {
namespace {

using testing::Bytes;

std::u16string TempFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return FromWide(temp);
}

// Names outside the Chinese code page; a read-only file and one another program holds open
// without sharing, as Windows refuses them.
TEST(Win32FileSystem, OpensWideNamesAndRefusesWhatWindowsRefuses) {
    const std::u16string folder = TempFolder() + u"词库한글";
    const std::u16string path = folder + u"\\简한.EMB", copy = folder + u"\\备份한.EMB";
    Win32FileSystem files;
    files.CreateFolder(folder);
    const Bytes image = testing::ImageOf({{u"wq", u"你们"}});
    std::unique_ptr<RandomAccessFile> made = files.CreateNew(path);
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->WriteAt(0, image) && made->Close());
    EXPECT_EQ(files.CreateNew(path), nullptr);
    for (const bool held : {false, true}) {
        SetFileAttributesW(AsWide(path), held ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY);
        const HANDLE holder = held ? CreateFileW(AsWide(path), GENERIC_READ, 0, nullptr,
                                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
                                   : INVALID_HANDLE_VALUE;
        EXPECT_EQ(files.OpenForUpdate(path), nullptr);
        EXPECT_EQ(files.CreateNew(path), nullptr);
        EXPECT_EQ(files.OpenForReading(path) == nullptr, held);
        EXPECT_EQ(files.CopyReplacing(path, copy), !held);
        if (held) {
            CloseHandle(holder);
        }
        Bytes stored(image.size() + 1);
        stored.resize(files.OpenForReading(copy)->ReadAt(0, stored));
        EXPECT_EQ(stored, image);
        SetFileAttributesW(AsWide(copy), FILE_ATTRIBUTE_NORMAL);
    }
    SetFileAttributesW(AsWide(path), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(AsWide(path));
    DeleteFileW(AsWide(copy));
    RemoveDirectoryW(AsWide(folder));
}

// A 32-bit installer of the input method puts its table where a 64-bit program's system32 is
// not: the 64-bit program looks there too.
TEST(Win32System, DecodesGb18030ProbesWideNamesAndFindsAnEditionInThe32BitSystemFolder) {
    const std::pair<std::string, std::optional<std::u16string>> cases[] = {
        {"", u""},
        {"wq \xC4\xE3\xC3\xC7\r\n\x81\x40\xA1\xA1", u"wq 你们\r\n丂\x3000"},
        // Four bytes each, where the system has GB18030 (Wine has not: GBK refuses them).
        {"\x81\x39\xEE\x39\x95\x32\x82\x36",
         ::IsValidCodePage(54936) ? std::optional<std::u16string>(u"\u3400\U00020000")
                                  : std::nullopt},
        {"\xD6\xD0\xB9", std::nullopt},      // a lead byte at the end
        {"\xD6\x0A\xB9\xFA", std::nullopt},  // a lead byte before a line end
        {"\xE4\xB8\xAD", std::nullopt},      // UTF-8 of 中: its last byte leads nothing
    };
    for (const auto& [bytes, text] : cases) {
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
        EXPECT_EQ(Win32ChineseDecoder().Decode(std::span(data, bytes.size())), text) << bytes;
    }
    Win32SystemView system([](const std::u16string& text) { ADD_FAILURE() << ToUtf8(text); });
    const std::u16string folder = TempFolder() + u"探测한글";
    system.CreateFolder(folder);
    EXPECT_EQ(ProbePath(system, folder), PathKind::Directory);
    EXPECT_EQ(ProbePath(system, folder + u"\\none"), PathKind::None);
    RemoveDirectoryW(AsWide(folder));
    if (sizeof(void*) == 8) {
        // None of the window tests' editions may come first.
        for (const std::u16string& folder :
             {system.WindowsDirectory() + u"\\system32", system.OtherSystemDirectory()}) {
            for (const char16_t* edition : {u"EDNQB", u"EDNQA", u"EDNBX", u"EDNAX"}) {
                DeleteFileW(AsWide(folder + u"\\" + edition + u".MB"));
            }
        }
        const std::u16string table = system.OtherSystemDirectory() + u"\\EDNBX.MB";
        CreateDirectoryW(AsWide(system.OtherSystemDirectory()), nullptr);  // Wine may lack it
        CloseHandle(CreateFileW(AsWide(table), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
        EXPECT_EQ(ProbePath(system, table), PathKind::File);
        LibraryPaths paths;
        EXPECT_EQ(LocateLibraries(system, paths), LocateStatus::Found);
        DeleteFileW(AsWide(table));
        EXPECT_EQ(paths.simplifiedPath, ImeFolderOf(system.ProfileFolder()) + u"EDNAX\\EDNAX.EMB");
        EXPECT_EQ(ProbePath(system, paths.simplifiedFolder), PathKind::Directory);
    }
}

}  // namespace
}  // namespace emb
