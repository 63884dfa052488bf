// A project file on Win32 is written whole or not at all: a new file, one replaced, a
// folder that does not exist and a path naming a folder, each in a folder whose name has
// Chinese characters and blanks; nothing but the target is ever left behind. ReplaceFileW
// failing half way as Windows may: the old file kept or put back, or, when neither file can
// take the name, both left and named. A folder whose name leaves no room for a temporary
// name under MAX_PATH.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "win32/safe_file.h"
#include "window_driver.h"

namespace {

using kneebrace::win32::FilesAside;
using kneebrace::win32::ReadWholeFile;
using kneebrace::win32::WriteWholeFile;

TEST(SafeFile, WritesWholeOrLeavesTheOldFile) {
    const std::wstring folder = win32test::NewTemporaryFolder(L"工程 文件夹");
    ASSERT_FALSE(folder.empty());
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

// ReplaceFileW failing as Windows documents it when given a backup name: 1176 with both
// files under their own names, 1177 with the old file moved to the backup name; and what
// else happens to the files at that moment.
enum class Meanwhile { Nothing, TargetHeldOpen, TemporaryTaken, FolderMadeAtTarget };
DWORD g_error = 0;
Meanwhile g_meanwhile = Meanwhile::Nothing;
HANDLE g_held = INVALID_HANDLE_VALUE;

bool FailingReplace(const wchar_t* target, const wchar_t* temporary, const wchar_t* backup) {
    if (g_error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        EXPECT_TRUE(backup != nullptr && MoveFileW(target, backup));
    }
    switch (g_meanwhile) {
        case Meanwhile::Nothing: break;
        case Meanwhile::TargetHeldOpen:
            g_held = CreateFileW(target, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
            EXPECT_NE(g_held, INVALID_HANDLE_VALUE);
            break;
        case Meanwhile::TemporaryTaken: EXPECT_TRUE(DeleteFileW(temporary)); break;
        case Meanwhile::FolderMadeAtTarget: EXPECT_TRUE(CreateDirectoryW(target, nullptr)); break;
    }
    SetLastError(g_error);
    return false;
}

TEST(SafeFile, ReplaceFailingHalfWayLosesNoFile) {
    const std::wstring folder = win32test::NewTemporaryFolder(L"半途 失败");
    ASSERT_FALSE(folder.empty());
    const std::wstring path = folder + L"\\旧 工程.kbproj";
    const std::string old = "the engineer's earlier project", fresh = "the project as saved";
    struct Row {
        const char* name;
        DWORD error;
        Meanwhile meanwhile;
        bool written;
        const std::string* atTarget;  // null: a folder is there, both files aside
    };
    const Row rows[] = {
        // Nothing moved: a rename over the old file takes over.
        {"1176", ERROR_UNABLE_TO_MOVE_REPLACEMENT, Meanwhile::Nothing, true, &fresh},
        {"1176, target held open", ERROR_UNABLE_TO_MOVE_REPLACEMENT, Meanwhile::TargetHeldOpen,
         false, &old},
        // The old file aside: the new one takes the free name, else the old one goes back.
        {"1177", ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, Meanwhile::Nothing, true, &fresh},
        {"1177, temporary file taken", ERROR_UNABLE_TO_MOVE_REPLACEMENT_2,
         Meanwhile::TemporaryTaken, false, &old},
        {"1177, the name taken", ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, Meanwhile::FolderMadeAtTarget,
         false, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(WriteWholeFile(path, old));
        g_error = row.error;
        g_meanwhile = row.meanwhile;
        FilesAside aside;
        const auto system = kneebrace::win32::SetReplaceCall(FailingReplace);
        EXPECT_EQ(WriteWholeFile(path, fresh, &aside), row.written);
        kneebrace::win32::SetReplaceCall(system);
        if (g_held != INVALID_HANDLE_VALUE)
            CloseHandle(std::exchange(g_held, INVALID_HANDLE_VALUE));
        if (row.atTarget != nullptr) {
            EXPECT_TRUE(aside.oldFile.empty() && aside.newFile.empty());
            EXPECT_EQ(ReadWholeFile(path), std::optional<std::string>(*row.atTarget));
            EXPECT_EQ(win32test::Listing(folder), std::vector<std::wstring>{L"旧 工程.kbproj"});
            continue;
        }
        // Both files whole beside the folder in the way, named for the user.
        EXPECT_EQ(ReadWholeFile(aside.oldFile), std::optional<std::string>(old));
        EXPECT_EQ(ReadWholeFile(aside.newFile), std::optional<std::string>(fresh));
        EXPECT_EQ(aside.oldFile.rfind(folder + L"\\", 0), 0U);
        EXPECT_EQ(win32test::Listing(folder).size(), 3U);
        DeleteFileW(aside.oldFile.c_str());
        DeleteFileW(aside.newFile.c_str());
        RemoveDirectoryW(path.c_str());
    }
    DeleteFileW(path.c_str());
    EXPECT_TRUE(RemoveDirectoryW(folder.c_str()));
}

// A folder of 247 characters, as long as CreateDirectoryW makes them, and a project file
// whose whole path is within MAX_PATH: the temporary file beside it has a longer one.
TEST(SafeFile, WritesInAFolderOfTheLongestName) {
    constexpr std::size_t kLength = 247;
    const std::wstring top = win32test::NewTemporaryFolder(L"长 文件夹");
    ASSERT_FALSE(top.empty());
    std::wstring folder = top;
    while (folder.size() < kLength) {
        const std::size_t room = kLength - folder.size() - 1;
        folder += L"\\" + std::wstring(room > 61 ? 50 : room, L'深');
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr)) << folder.size();
    }
    ASSERT_EQ(folder.size(), kLength);
    const std::wstring path = folder + L"\\工.kbp";
    ASSERT_LT(path.size(), std::size_t{MAX_PATH});
    for (const std::string bytes : {"first", "second, over the first"}) {
        EXPECT_TRUE(WriteWholeFile(path, bytes));
        EXPECT_EQ(ReadWholeFile(path), std::optional<std::string>(bytes));
        EXPECT_EQ(win32test::Listing(folder), std::vector<std::wstring>{L"工.kbp"});
    }
    DeleteFileW(path.c_str());
    while (folder.size() > top.size()) {
        EXPECT_TRUE(RemoveDirectoryW(folder.c_str()));
        folder.resize(folder.find_last_of(L'\\'));
    }
    EXPECT_TRUE(RemoveDirectoryW(top.c_str()));
}

}  // namespace
