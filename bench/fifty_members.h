// The project the project benchmarks open, save, calculate and export: fifty braces of
// a building, as an engineer would enter them.
#pragma once

#include <cstdint>
#include <string>

#include "catalogue/angle_catalogue.h"
#include "window/project.h"

namespace kneebrace::window {

// Fifty braces of a building as an engineer would enter them: each rafter end its own
// section, grade, arrangement and size, with names and texts of ordinary length.
inline Project FiftyMembers() {
    Project p;
    p.name = "某厂房钢结构门式刚架";
    p.designer = "张三";
    const auto& sizes = AngleCatalogue();
    for (int i = 0; i < 50; ++i) {
        Member m;
        m.name = "YC-" + std::to_string(i + 1) + " 刚架梁" + std::to_string(i / 2 + 1) +
                 (i % 2 == 0 ? "左端" : "右端");
        m.texts.Text1 = std::to_string(400 + 10 * i) + "x200x6x" + std::to_string(10 + i % 6);
        m.gradeCode = static_cast<std::int16_t>(1 + i % 2);
        m.layoutCode = static_cast<std::int16_t>(1 + i / 25);
        m.angleSize = std::string(sizes[static_cast<std::size_t>(i) % 20].designation);
        AddMember(p, m);
    }
    return p;
}

}  // namespace kneebrace::window
