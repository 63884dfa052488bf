// The project file reader on any bytes: a file either opens or is refused with a
// message, nothing in between. An opened project saved and reopened is the same
// project, saved again the same bytes; and its members calculate (a report or a fault
// message) as the member list does when the project opens.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "valid_utf8.h"
#include "window/member_run.h"
#include "window/project_file.h"

namespace {

using namespace kneebrace;
using namespace kneebrace::window;

// Enough members to reach every kind of member a short input can hold, few enough to
// keep the fuzzer fast on inputs of many.
constexpr std::size_t kMembersCalculated = 8;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ProjectReadResult read = ReadProject(bytes);
    if (!read.project) {
        FUZZ_REQUIRE(!read.message.empty(), "a file refused without a message");
        FUZZ_REQUIRE(fuzz::ValidUtf8(read.message), read.message);
        return 0;
    }
    FUZZ_REQUIRE(read.message.empty(), read.message);
    const Project& project = *read.project;

    const std::string written = WriteProject(project);
    const ProjectReadResult again = ReadProject(written);
    FUZZ_REQUIRE(again.project.has_value(), "the saved project does not open: " + again.message);
    FUZZ_REQUIRE(*again.project == project, written);
    FUZZ_REQUIRE(WriteProject(*again.project) == written, written);

    const std::size_t count = std::min(project.members.size(), kMembersCalculated);
    for (std::size_t i = 0; i < count; ++i) {
        const MemberOutcome out = CalculateMember(project.members[i]);
        if (out.fault) {
            FUZZ_REQUIRE(!out.fault->title.empty() && !out.fault->text.empty(), written);
            FUZZ_REQUIRE(out.report.empty(), out.report);
        } else {
            FUZZ_REQUIRE(!out.report.empty(), written);
        }
    }
    return 0;
}
