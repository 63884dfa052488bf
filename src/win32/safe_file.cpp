#include "win32/safe_file.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <string_view>

namespace kneebrace::win32 {

namespace {

// Closes the handle when it goes; Close() says whether closing succeeded.
class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return h_; }
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    bool Close() {
        if (!valid()) return true;
        const bool closed = CloseHandle(h_) != FALSE;
        h_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE h_;
};

// Every byte written, counted chunk by chunk: a full disk shows as a short or failed
// write, never silently.
bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1U << 20));
        DWORD written = 0;
        if (WriteFile(file, bytes.data(), chunk, &written, nullptr) == FALSE || written != chunk)
            return false;
        bytes.remove_prefix(chunk);
    }
    return true;
}

bool SystemReplace(const wchar_t* target, const wchar_t* temporary, const wchar_t* backup) {
    return ReplaceFileW(target, temporary, backup, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                        nullptr) != FALSE;
}

ReplaceCall g_replace = SystemReplace;

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongUncPrefix = L"\\\\?\\UNC\\";

// The folder of `path` as a full path ending in a backslash, in the \\?\ form, so that the
// names made in it may be longer than MAX_PATH although the target's is not. Empty when
// the path has no folder.
std::wstring LongFolderOf(const std::wstring& path) {
    std::wstring full(GetFullPathNameW(path.c_str(), 0, nullptr, nullptr), L'\0');
    if (full.empty()) return {};
    const DWORD size =
        GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (size == 0 || size >= full.size()) return {};
    full.resize(size);
    const std::size_t slash = full.find_last_of(L'\\');
    if (slash == std::wstring::npos) return {};
    full.resize(slash + 1);
    if (full.starts_with(kLongPrefix) || full.starts_with(L"\\\\.\\")) return full;
    if (full.starts_with(L"\\\\")) return std::wstring(kLongUncPrefix) + full.substr(2);
    return std::wstring(kLongPrefix) + full;
}

// A name made by LongFolderOf as the user would write it.
std::wstring Displayed(const std::wstring& path) {
    if (path.starts_with(kLongUncPrefix)) return L"\\\\" + path.substr(kLongUncPrefix.size());
    if (path.starts_with(kLongPrefix)) return path.substr(kLongPrefix.size());
    return path;
}

// A new temporary file in `folder`, open for writing, and beside it a backup name that no
// file has; invalid when none could be made.
HANDLE CreateTemporary(const std::wstring& folder, std::wstring& temporary, std::wstring& backup) {
    const DWORD seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
    for (DWORD i = 0; i < 64; ++i) {
        wchar_t stem[16] = {};
        swprintf(stem, 16, L"kbp%08lx", static_cast<unsigned long>(seed + i * 7919));
        temporary = folder + stem + L".tmp";
        backup = folder + stem + L".bak";
        if (Exists(backup)) continue;
        const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) return file;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS &&
            error != ERROR_ACCESS_DENIED)
            break;
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

ReplaceCall SetReplaceCall(ReplaceCall call) {
    const ReplaceCall before = g_replace;
    g_replace = call != nullptr ? call : SystemReplace;
    return before;
}

bool WriteWholeFile(const std::wstring& path, std::string_view bytes, FilesAside* aside) {
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return false;
    // The temporary file sits beside the target, so that taking its name is a rename on
    // the same volume.
    const std::wstring folder = LongFolderOf(path);
    if (folder.empty()) return false;
    std::wstring temporary, backup;
    bool written = false;
    {
        FileHandle file(CreateTemporary(folder, temporary, backup));
        if (!file.valid()) return false;
        written =
            WriteAll(file.get(), bytes) && FlushFileBuffers(file.get()) != FALSE && file.Close();
    }
    if (!written) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    // ReplaceFileW keeps the old file's attributes and security; it needs an old file.
    // Given a backup name, a failure leaves both files under their names (1176,
    // ERROR_UNABLE_TO_MOVE_REPLACEMENT) or the old one under the backup name (1177).
    if (g_replace(path.c_str(), temporary.c_str(), backup.c_str())) {
        DeleteFileW(backup.c_str());
        return true;
    }
    const DWORD error = GetLastError();
    // Whatever the code, a backup without a file at the target holds the old bytes.
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 || (Exists(backup) && !IsFile(path))) {
        // The old file is aside: the new file takes the target's name, or else the old
        // one goes back. Should neither manage, both stay where they are: the temporary
        // file holds the only copy of the new bytes.
        if (MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE) {
            DeleteFileW(backup.c_str());
            return true;
        }
        if (MoveFileExW(backup.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE) {
            DeleteFileW(temporary.c_str());
            return false;
        }
        if (aside != nullptr) *aside = {Displayed(backup), Displayed(temporary)};
        return false;
    }
    // The old file, if any, is in its place: no old file yet, or a file system where
    // ReplaceFileW does not work. A rename over it is the second way.
    if (MoveFileExW(temporary.c_str(), path.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE) {
        DeleteFileW(backup.c_str());
        return true;
    }
    DeleteFileW(temporary.c_str());
    DeleteFileW(backup.c_str());  // a copy, if ReplaceFileW made one: the old file is in place
    return false;
}

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return std::nullopt;
    LARGE_INTEGER size{};
    // A project file is a few hundred bytes a member; anything near 2 GB is not one.
    if (GetFileSizeEx(file.get(), &size) == FALSE || size.QuadPart > (1LL << 30))
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && (ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                    &read, nullptr) == FALSE ||
                           read != bytes.size()))
        return std::nullopt;
    return bytes;
}

}  // namespace kneebrace::win32
