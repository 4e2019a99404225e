#include "core/form1_events.h"

#include <array>

#include "core/form1.h"

namespace plimex {
namespace {

struct Wire {
    std::string_view control;
    ControlEvent event;
    void (Form1::*handler)();
};

constexpr std::array kWiring{
    Wire{"Drive1", ControlEvent::Change, &Form1::Drive1_Change},
    Wire{"LstFic", ControlEvent::Click, &Form1::LstFic_Click},
    Wire{"LstFic", ControlEvent::DblClick, &Form1::LstFic_DblClick},
    Wire{"CmdSel", ControlEvent::Click, &Form1::CmdSel_Click},
    Wire{"Command1", ControlEvent::Click, &Form1::Command1_Click},
    Wire{"Command2", ControlEvent::Click, &Form1::Command2_Click},
    Wire{"Command4", ControlEvent::Click, &Form1::Command4_Click},
    Wire{"Option1", ControlEvent::Click, &Form1::Option1_Click},
    Wire{"Option2", ControlEvent::Click, &Form1::Option2_Click},
    Wire{"Option3", ControlEvent::Click, &Form1::Option3_Click},
    Wire{"Option4", ControlEvent::Click, &Form1::Option4_Click},
    Wire{"Option5", ControlEvent::Click, &Form1::Option5_Click},
    Wire{"Tmr", ControlEvent::Timer, &Form1::Tmr_Timer},
    Wire{"Activer", ControlEvent::Click, &Form1::Activer_Click},
    Wire{"Ouvrir", ControlEvent::Click, &Form1::Ouvrir_Click},
    Wire{"Quitter", ControlEvent::Click, &Form1::Quitter_Click},
};

}  // namespace

bool RaiseEvent(Form1& form, std::string_view control, ControlEvent event) {
    for (const Wire& wire : kWiring) {
        if (wire.control == control && wire.event == event) {
            (form.*wire.handler)();
            return true;
        }
    }
    return false;
}

}  // namespace plimex
