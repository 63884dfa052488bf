// Files of the user's on Win32: a project file is written whole or not at all. The bytes
// go to a temporary file in the target's folder, every write's count checked and the file
// flushed to the disk, and only then does it take the target's name (ReplaceFileW, or
// MoveFileExW when there is no file yet). Any failure removes the temporary file and
// leaves a file already at the path as it was, unless Windows moved the old file aside
// half way and neither file could then take the name: both stay, and the caller learns
// where.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kneebrace::win32 {

// Where the files are after a write that failed half way: the old file under another name
// beside the target, the new bytes whole in the temporary file. Neither is deleted.
struct FilesAside {
    std::wstring oldFile;
    std::wstring newFile;
};

// False when anything failed; the old file at `path` is then as it was, unless `aside`
// has been filled (when given): the old file was moved to another name and could not
// take its own again.
bool WriteWholeFile(const std::wstring& path, std::string_view bytes, FilesAside* aside = nullptr);

// The call that puts the temporary file in the target's place, keeping the old one under
// `backup` until it succeeds: ReplaceFileW. False on failure, the reason in
// GetLastError(). Tests put in one that fails as Windows may, with files moved or not.
using ReplaceCall = bool (*)(const wchar_t* target, const wchar_t* temporary,
                             const wchar_t* backup);
// Returns the call in use before; null puts back the system's.
ReplaceCall SetReplaceCall(ReplaceCall call);

// The file's whole contents; nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::wstring& path);

}  // namespace kneebrace::win32
