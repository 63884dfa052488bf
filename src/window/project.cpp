#include "window/project.h"

#include <tuple>
#include <utility>

namespace kneebrace::window {

bool operator==(const Member& a, const Member& b) {
    const auto texts = [](const Member& m) {
        const InputTexts& t = m.texts;
        return std::tie(t.Text1, t.Text2, t.Text3, t.Text4, t.Text5, t.Text6, t.Text9);
    };
    return a.name == b.name && texts(a) == texts(b) && a.gapUnlocked == b.gapUnlocked &&
           a.gradeCode == b.gradeCode && a.layoutCode == b.layoutCode &&
           a.angleSize == b.angleSize && a.purlinWebText == b.purlinWebText &&
           a.purlinSteelCode == b.purlinSteelCode && a.supplementary == b.supplementary;
}

std::size_t AddMember(Project& p, Member m) {
    p.members.push_back(std::move(m));
    return p.members.size() - 1;
}

bool ReplaceMember(Project& p, std::size_t index, Member m) {
    if (index >= p.members.size() || p.members[index] == m) return false;
    p.members[index] = std::move(m);
    return true;
}

bool RenameMember(Project& p, std::size_t index, std::string name) {
    if (index >= p.members.size() || p.members[index].name == name) return false;
    p.members[index].name = std::move(name);
    return true;
}

bool DeleteMember(Project& p, std::size_t index) {
    if (index >= p.members.size()) return false;
    p.members.erase(p.members.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

bool MoveMemberUp(Project& p, std::size_t index) {
    if (index == 0 || index >= p.members.size()) return false;
    std::swap(p.members[index - 1], p.members[index]);
    return true;
}

bool MoveMemberDown(Project& p, std::size_t index) {
    return index + 1 < p.members.size() && MoveMemberUp(p, index + 1);
}

}  // namespace kneebrace::window
