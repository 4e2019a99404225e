#include "core/layout.h"

#include <array>
#include <stdexcept>
#include <string>

#include "core/texts.h"

namespace plimex::layout {
namespace {

constexpr std::array kMainControls{
    Control{"Drive1", Kind::DriveList, L"", 120, 120, 2295, 315, 0},
    Control{"Dir1", Kind::DirList, L"", 120, 480, 2295, 2790, 1},
    Control{"LstFic", Kind::ListBox, L"", 2520, 120, 1935, 3180, 2},
    Control{"CmdSel", Kind::CommandButton, L"&Sélectionner", 4560, 120, 1695, 375, 3},
    Control{"LblPap", Kind::Label, L"", 960, 3480, 3495, 255, 4},
    Control{"FraInt", Kind::Frame, L"Intervalle  ", 4560, 3840, 1695, 3255, 5},
    Control{"Command1", Kind::CommandButton, texts::kActiver, 4560, 600, 1695, 375, 6},
    Control{"Command2", Kind::CommandButton, L"A &propos", 4560, 1080, 1695, 375, 7},
    Control{"Command4", Kind::CommandButton, L"&Cacher", 4560, 1560, 1695, 375, 8},
    Control{"Option1", Kind::OptionButton, L"1 minute", 240, 360, 1215, 375, 9, "FraInt"},
    Control{"Option2", Kind::OptionButton, L"5 minutes", 240, 960, 1215, 375, 10, "FraInt"},
    Control{"Option3", Kind::OptionButton, L"15 minutes", 240, 1560, 1215, 375, 11, "FraInt"},
    Control{"Option4", Kind::OptionButton, L"30 minutes", 240, 2160, 1215, 375, 12, "FraInt"},
    Control{"Option5", Kind::OptionButton, L"45 minutes", 240, 2760, 1215, 375, 13, "FraInt"},
    Control{"Label1", Kind::Label, L"En cours : ", 120, 3480, 855, 255, 14},
    Control{"Image1", Kind::ImageBox, L"", 120, 3840, 4335, 3255, -1},
    Control{"Shape2", Kind::ShapeOutline, L"", 120, 7200, 6135, 255, -1},
    Control{"Shape1", Kind::ShapeFilled, L"", 180, 7240, 6040, 175, -1, {}, 0x00C00000u},
    Control{"Image2", Kind::HiddenIcon, L"", 480, 120, 480, 480, -1},
    Control{"Image3", Kind::HiddenIcon, L"", 1080, 120, 495, 495, -1},
};

constexpr std::array kAboutControls{
    Control{"Picture1", Kind::PictureBox, L"", 120, 120, 2190, 2310, 0},
    Control{"Picture2", Kind::PictureBox, L"", 2520, 120, 2190, 2310, 1},
    Control{"Label1", Kind::CentredTitle, L"Gestionnaire de fonds d'écran Windows", 120, 2640, 4575,
            375, 2},
    Control{"Label2", Kind::CentredTitle, L"Version 1.0   -   Décembre 1999", 120, 3240, 4575, 375,
            3},
    Control{"Command1", Kind::CommandButton, L"&Fermer", 1560, 5400, 1695, 375, 4},
};

constexpr std::array kMenu{
    MenuEntry{"Activer", MenuItem::Activer, texts::kActiver, false},
    MenuEntry{"Ouvrir", MenuItem::Ouvrir, L"&Ouvrir", false},
    MenuEntry{"Quitter", MenuItem::Quitter, L"&Quitter", true},
};

constexpr Window kMain{"Form1", texts::kAppTitle, 6345, 7530, kMainControls};
constexpr Window kAbout{"Form2", texts::kAppTitle, 4800, 5910, kAboutControls};

}  // namespace

const Window& MainWindow() {
    return kMain;
}
const Window& AboutWindow() {
    return kAbout;
}
std::span<const MenuEntry> PopupMenu() {
    return kMenu;
}

const Control& Get(const Window& window, std::string_view name) {
    for (const Control& control : window.controls) {
        if (control.name == name) {
            return control;
        }
    }
    throw std::logic_error("no control " + std::string(name) + " in " + std::string(window.name));
}

std::size_t MenuIndex(std::string_view name) {
    for (std::size_t i = 0; i < kMenu.size(); ++i) {
        if (kMenu[i].name == name) {
            return i;
        }
    }
    throw std::logic_error("no entry " + std::string(name) + " in the popup menu");
}

}  // namespace plimex::layout
