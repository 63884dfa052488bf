// The files in tests/data: reference scenarios and golden reports.
#pragma once

#include <string>

namespace testsupport {

// The whole file, byte for byte; throws std::runtime_error when it cannot be read.
std::string ReadFile(const std::string& path);

}  // namespace testsupport
