#include "win32/safe_file.h"

#include <windows.h>

#include <algorithm>

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

}  // namespace

bool WriteWholeFile(const std::wstring& path, std::string_view bytes) {
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return false;
    // The temporary file sits beside the target, so that taking its name is a rename on
    // the same volume.
    const std::size_t slash = path.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"." : path.substr(0, slash + 1);
    wchar_t temporary[MAX_PATH + 1] = {};
    if (folder.size() >= MAX_PATH - 14 ||
        GetTempFileNameW(folder.c_str(), L"kbp", 0, temporary) == 0)
        return false;

    bool written = false;
    {
        FileHandle file(CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        written = file.valid() && WriteAll(file.get(), bytes) &&
                  FlushFileBuffers(file.get()) != FALSE && file.Close();
    }
    // ReplaceFileW keeps the old file's attributes and security; it needs an old file.
    if (written && (ReplaceFileW(path.c_str(), temporary, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                 nullptr, nullptr) != FALSE ||
                    MoveFileExW(temporary, path.c_str(),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE))
        return true;
    DeleteFileW(temporary);
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
