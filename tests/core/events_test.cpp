#include "core/form1_events.h"
#include "core/layout.h"
#include "fakes/form1_fixture.h"

namespace plimex::testing {
namespace {

// Both backends report their controls' events by the layout's names: every
// button and menu item of the layout must raise a handler, and nothing else.
TEST_F(Form1Test, EveryButtonAndMenuItemOfTheLayoutRaisesItsHandler) {
    form.Form_Load();
    for (const layout::Control& control : layout::MainWindow().controls) {
        const bool button = control.kind == layout::Kind::CommandButton ||
                            control.kind == layout::Kind::OptionButton;
        EXPECT_EQ(RaiseEvent(form, control.name, ControlEvent::Click),
                  button || control.kind == layout::Kind::ListBox)
            << control.name;
    }
    for (const layout::MenuEntry& entry : layout::PopupMenu()) {
        EXPECT_TRUE(RaiseEvent(form, entry.name, ControlEvent::Click)) << entry.name;
    }
    EXPECT_TRUE(window.unloaded);                             // Quitter ran
    EXPECT_FALSE(RaiseEvent(form, "", ControlEvent::Click));  // a menu closed without a pick
}

TEST_F(Form1Test, AnEventRaisesTheHandlerWiredToItAndNoOther) {
    form.Form_Load();
    const std::wstring before = command1.caption;
    ASSERT_TRUE(RaiseEvent(form, "Command1", ControlEvent::Click));
    const std::wstring toggled = command1.caption;
    EXPECT_NE(toggled, before);
    EXPECT_FALSE(RaiseEvent(form, "Command1", ControlEvent::DblClick));
    EXPECT_EQ(command1.caption, toggled);
}

}  // namespace
}  // namespace plimex::testing
