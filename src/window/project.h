// A project: the braces of one building, each kept with everything that decides its
// report, and the names that sign the calculation book. The window adds, replaces and
// orders members here; project_file.h saves and reopens a project.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/calculation_run.h"

namespace kneebrace::window {

// One knee brace of the building, as the window held it when it was added: the boxes'
// texts exactly as typed (a text the run reads loosely must give the same report when
// reopened), the option codes and the size picked. The defaults are the window's
// start-up values.
struct Member {
    std::string name{};  // "YC-1 刚架梁1左端"
    InputTexts texts = StartupInputTexts();
    bool gapUnlocked = false;          // Check1 ticked: only whether the gap box can be edited
    std::int16_t gradeCode = 1;        // H-beam steel: 1 = Q235, 2 = Q345
    std::int16_t layoutCode = 1;       // braces: 1 = both sides (双侧), 2 = one side (单侧)
    std::string angleSize = "L45X3";   // a catalogue designation, exactly
    std::string purlinWebText = "2";   // Text10, purlin web thickness tp in mm, as typed
    std::int16_t purlinSteelCode = 1;  // purlin steel: 1 = Q235, 2 = Q345
    bool supplementary = true;         // Check2: the section to the current codes

    friend bool operator==(const Member& a, const Member& b);
};

struct Project {
    std::string name{};      // 工程名称
    std::string designer{};  // 计算
    std::string checker{};   // 校对
    std::string reviewer{};  // 审核
    std::vector<Member> members{};

    friend bool operator==(const Project& a, const Project& b) = default;
};

// The member list's commands. Each returns whether the project changed; a place
// outside the list, or a move past either end, changes nothing.
std::size_t AddMember(Project& p, Member m);  // at the end; returns its place
bool ReplaceMember(Project& p, std::size_t index, Member m);
bool RenameMember(Project& p, std::size_t index, std::string name);
bool DeleteMember(Project& p, std::size_t index);
bool MoveMemberUp(Project& p, std::size_t index);
bool MoveMemberDown(Project& p, std::size_t index);

}  // namespace kneebrace::window
