#include <array>

#include "core/form1.h"
#include "core/options_file.h"
#include "core/texts.h"

namespace plimex {
namespace {

// Only the first four lines matter; this bounds what a stray huge file costs.
constexpr std::size_t kOptionsReadLimit = 1 << 20;

}  // namespace

void Form1::LoadOptions() {
    ImageFolder = platform_.fileSystem.DefaultImageFolder();
    IntervalCode = L"1";
    ActiveState = L"1";

    const std::string name(texts::kOptionsFileName);
    if (platform_.fileSystem.IsOrdinaryFile(name)) {
        const auto contents = platform_.fileSystem.ReadFile(name, kOptionsReadLimit);
        if (contents && IsUnderstoodOptionsText(*contents, kOptionsReadLimit)) {
            const OptionsFileValues values = ParseOptionsFile(*contents);
            const AnsiCodePage& codePage = platform_.codePage;
            if (values.rep) ImageFolder = codePage.FromAnsi(*values.rep);
            if (values.tps) IntervalCode = codePage.FromAnsi(*values.tps);
            if (values.etat) ActiveState = codePage.FromAnsi(*values.etat);
        } else {
            keepOptionsFile_ = true;
            platform_.diagnostics.ReportFailure(
                "LoadOptions", name,
                contents ? "the file is not text this program writes (UTF-16, a null byte, or a "
                           "first line longer than 1 MB); the defaults are used and the file is "
                           "left untouched in this run"
                         : "the file exists but cannot be read; the defaults are used and the "
                           "file is left untouched in this run");
        }
    }
    RememberFolderIfStorable();
    SelectIntervalOption();
    SetActivationControls();
}

void Form1::SelectIntervalOption() {
    struct IntervalOption {
        std::wstring_view code;
        OptionButton& button;
        void (Form1::*click)();
    };
    const std::array<IntervalOption, 5> intervalOptions{{
        {L"1", c_.Option1, &Form1::Option1_Click},
        {L"2", c_.Option2, &Form1::Option2_Click},
        {L"3", c_.Option3, &Form1::Option3_Click},
        {L"4", c_.Option4, &Form1::Option4_Click},
        {L"5", c_.Option5, &Form1::Option5_Click},
    }};
    for (const IntervalOption& option : intervalOptions) {
        if (IntervalCode == option.code) {
            option.button.Select();
            (this->*option.click)();
        }
    }
}

void Form1::SetActivationControls() {
    if (ActiveState == L"0") {
        c_.Tmr.SetEnabled(false);
        c_.Command1.SetCaption(std::wstring(texts::kActiver));
        c_.Activer.SetCaption(std::wstring(texts::kActiver));
    }
    if (ActiveState == L"1") {
        c_.Tmr.SetEnabled(true);
        c_.Command1.SetCaption(std::wstring(texts::kDesactiver));
        c_.Activer.SetCaption(std::wstring(texts::kDesactiver));
    }
}

void Form1::RememberFolderIfStorable() {
    const std::string folder = Ansi(ImageFolder);
    if (IsStorableOptionValue(folder)) {
        storableFolder_ = folder;
    }
}

void Form1::SaveOptions() {
    const std::string name(texts::kOptionsFileName);
    if (keepOptionsFile_) {
        platform_.diagnostics.ReportFailure(
            "SaveOptions", name, "not saved: the file could not be read or understood at start-up");
        return;
    }
    if (const std::string kept = platform_.fileSystem.WhyKeptAsItIs(name); !kept.empty()) {
        platform_.diagnostics.ReportFailure("SaveOptions", name, "not saved: the file is " + kept);
        return;
    }
    const std::string folder = Ansi(ImageFolder);
    if (!IsStorableOptionValue(folder)) {
        platform_.diagnostics.ReportFailure(
            "SaveOptions", folder,
            "a folder name with a line break or a null byte cannot be stored; the last folder "
            "that could be is saved instead");
    } else if (folder != storableFolder_) {
        platform_.diagnostics.ReportFailure(
            "SaveOptions", storableFolder_,
            "the saved folder could not be shown in this run; it stays saved until the user "
            "chooses another");
    }
    // A failed write leaves the previous file whole; the program runs on.
    if (!platform_.fileSystem.ReplaceFile(
            name, FormatOptionsFile(storableFolder_, Ansi(IntervalCode), Ansi(ActiveState)))) {
        platform_.diagnostics.ReportFailure("SaveOptions", name,
                                            "the file could not be replaced; the old one is kept");
    }
}

}  // namespace plimex
