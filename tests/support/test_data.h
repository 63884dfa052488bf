// The files in tests/data: reference scenarios and golden reports.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace testsupport {

// The whole file, byte for byte; throws std::runtime_error when it cannot be read.
std::string ReadFile(const std::string& path);

// The "cases" array of tests/data/reference-cases.json, read once.
const nlohmann::json& ReferenceCases();

}  // namespace testsupport
