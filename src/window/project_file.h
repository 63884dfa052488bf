// The project file (.kbproj): UTF-8 JSON with a format marker and version. Texts are
// kept as typed, byte for byte, so a reopened member gives the same report. A file
// that cannot be taken as it is (damaged, of a newer version, naming a size or an
// option code this program does not have) is refused whole, with a message that says
// what is wrong; nothing of it is half taken.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "window/project.h"

namespace kneebrace::window {

inline constexpr std::string_view kProjectFileExtension = ".kbproj";
inline constexpr std::string_view kProjectFileFormat = "kneebrace-project";
// The version this program writes and the newest it reads. Version 1 holds the purlin
// inputs and the supplementary check box from the start.
inline constexpr int kProjectFileVersion = 1;

struct ProjectReadResult {
    std::optional<Project> project;  // the project, when the file was taken
    std::string message;             // otherwise why not, in Chinese; empty when taken
};

// Reads a whole file's bytes. No exception leaves this call.
ProjectReadResult ReadProject(std::string_view bytes);

// The file's bytes for the project: indented JSON ending in a newline. The window's
// texts are valid UTF-8; should one not be, its bad bytes are written as U+FFFD rather
// than the save failing.
std::string WriteProject(const Project& p);

}  // namespace kneebrace::window
