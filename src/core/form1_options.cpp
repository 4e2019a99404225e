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
        if (const auto contents = platform_.fileSystem.ReadFile(name, kOptionsReadLimit)) {
            const OptionsFileValues values = ParseOptionsFile(*contents);
            const AnsiCodePage& codePage = platform_.codePage;
            if (values.rep) ImageFolder = codePage.FromAnsi(*values.rep);
            if (values.tps) IntervalCode = codePage.FromAnsi(*values.tps);
            if (values.etat) ActiveState = codePage.FromAnsi(*values.etat);
        }
    }
    SelectIntervalOption();
    SetActivationControls();
}

void Form1::SelectIntervalOption() {
    if (IntervalCode == L"1") {
        c_.Option1.Select();
        Option1_Click();
    }
    if (IntervalCode == L"2") {
        c_.Option2.Select();
        Option2_Click();
    }
    if (IntervalCode == L"3") {
        c_.Option3.Select();
        Option3_Click();
    }
    if (IntervalCode == L"4") {
        c_.Option4.Select();
        Option4_Click();
    }
    if (IntervalCode == L"5") {
        c_.Option5.Select();
        Option5_Click();
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

void Form1::SaveOptions() {
    // A failed write leaves the previous file whole; the program runs on.
    platform_.fileSystem.ReplaceFile(
        std::string(texts::kOptionsFileName),
        FormatOptionsFile(Ansi(ImageFolder), Ansi(IntervalCode), Ansi(ActiveState)));
}

}  // namespace plimex
