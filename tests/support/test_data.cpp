#include "support/test_data.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testsupport {

std::string ReadFile(const std::string& path) {
    // The path is UTF-8; on Windows a plain narrow path would be read in the system code
    // page and miss a checkout under a Chinese user name.
    const std::filesystem::path fsPath(
        std::u8string(reinterpret_cast<const char8_t*>(path.data()), path.size()));
    std::ifstream in(fsPath, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

const nlohmann::json& ReferenceCases() {
    static const nlohmann::json doc =
        nlohmann::json::parse(ReadFile(std::string(KNEEBRACE_TEST_DATA) + "/reference-cases.json"));
    return doc.at("cases");
}

}  // namespace testsupport
