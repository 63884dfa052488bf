// The window's keyboard: Enter calculates from every input box and only there, and the
// focus starts where a new section is typed.
#include <gtest/gtest.h>

#include "window/control_table.h"
#include "window/keyboard.h"

namespace {

using namespace kneebrace::window;

TEST(Keyboard, EnterCalculatesFromTheInputBoxesAndSettlesATypedSize) {
    struct Row {
        const char* control;
        EnterKey enter;
    };
    const Row rows[] = {
        {"Text1", EnterKey::Calculates}, {"Text2", EnterKey::Calculates},
        {"Text3", EnterKey::Calculates}, {"Text4", EnterKey::Calculates},
        {"Text5", EnterKey::Calculates}, {"Text6", EnterKey::Calculates},
        {"Text9", EnterKey::Calculates}, {"Combo1", EnterKey::CommitsSize},
        {"Option1", EnterKey::Ignored},  {"Option4", EnterKey::Ignored},
        {"Check1", EnterKey::Ignored},   {"Text7", EnterKey::Ignored},
        {"Text8", EnterKey::Ignored},    {"Command1", EnterKey::Ignored},
        {"Command3", EnterKey::Ignored}, {"Picture1", EnterKey::Ignored},
    };
    for (const Row& r : rows) {
        const ControlRow* c = FindControl(r.control);
        ASSERT_NE(c, nullptr) << r.control;
        EXPECT_EQ(EnterIn(c->kind), r.enter) << r.control;
    }
    // Nothing that cannot hold the focus reacts to a key.
    for (const ControlRow& c : Form15Controls()) {
        if (!TakesFocus(c.kind)) {
            EXPECT_EQ(EnterIn(c.kind), EnterKey::Ignored) << c.name;
        }
    }
}

TEST(Keyboard, FocusStartsInTheDesignationBox) {
    const ControlRow& first = StartFocus();
    EXPECT_EQ(first.name, "Text1");
    EXPECT_EQ(first.kind, ControlKind::InputBox);  // a box whose text can start selected
    EXPECT_FALSE(first.disabledAtStart);
}

}  // namespace
