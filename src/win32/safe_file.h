// Files of the user's on Win32: a project file is written whole or not at all. The bytes
// go to a temporary file in the target's folder, every write's count checked and the file
// flushed to the disk, and only then does it take the target's name (ReplaceFileW, or
// MoveFileExW when there is no file yet). Any failure removes the temporary file, and a
// file already at the path keeps its bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kneebrace::win32 {

// False when anything failed; the old file at `path` is then as it was.
bool WriteWholeFile(const std::wstring& path, std::string_view bytes);

// The file's whole contents; nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::wstring& path);

}  // namespace kneebrace::win32
