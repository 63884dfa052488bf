// A project file on Win32 is written whole or not at all: a new file, one replaced, a
// folder that does not exist and a path naming a folder, each in a folder whose name has
// Chinese characters and blanks; nothing but the target is ever left behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "win32/safe_file.h"
#include "window_driver.h"

namespace {

using kneebrace::win32::ReadWholeFile;
using kneebrace::win32::WriteWholeFile;

TEST(SafeFile, WritesWholeOrLeavesTheOldFile) {
    wchar_t temp[MAX_PATH + 1] = {};
    ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0U);
    const std::wstring folder =
        std::wstring(temp) + L"工程 文件夹 " + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((folder + L"\\子 文件夹").c_str(), nullptr));
    const std::string old = "the engineer's earlier project";
    ASSERT_TRUE(WriteWholeFile(folder + L"\\旧 工程.kbproj", old));

    struct Row {
        const wchar_t* name;  // in the folder
        std::string bytes;
        bool written;
    };
    const Row rows[] = {
        {L"新 工程.kbproj", "{\"format\": \"kneebrace-project\"}\n", true},
        {L"旧 工程.kbproj", std::string(300000, 'x'), true},  // replaces the old file
        {L"空.kbproj", "", true},
        {L"没有的文件夹\\工程.kbproj", "x", false},
        {L"子 文件夹", "x", false},  // the name of a folder
    };
    for (const Row& row : rows) {
        const std::wstring path = folder + L"\\" + row.name;
        const std::vector<std::wstring> before = win32test::Listing(folder);
        EXPECT_EQ(WriteWholeFile(path, row.bytes), row.written);
        if (row.written) {
            EXPECT_EQ(ReadWholeFile(path), std::optional<std::string>(row.bytes));
        } else {
            EXPECT_EQ(win32test::Listing(folder), before);  // no temporary file left over
        }
    }
    EXPECT_EQ(win32test::Listing(folder),
              (std::vector<std::wstring>{L"子 文件夹", L"新 工程.kbproj", L"旧 工程.kbproj",
                                         L"空.kbproj"}));
    EXPECT_EQ(ReadWholeFile(folder + L"\\没有.kbproj"), std::nullopt);
    for (const std::wstring& name : win32test::Listing(folder))
        DeleteFileW((folder + L"\\" + name).c_str());
    RemoveDirectoryW((folder + L"\\子 文件夹").c_str());
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
