#include "core/tray_message.h"
#include "fakes/form1_fixture.h"

namespace plimex::testing {
namespace {

class TrayTest : public Form1Test {
  protected:
    void StartWithState(const std::string& state) {
        AddFolder("C:\\Windows\\", {"a.bmp"});
        WriteOptions("[options]\r\nRep=C:\\Windows\\\r\nTps=1\r\nEtat=" + state + "\r\n");
        form.Form_Load();
    }
    void Report(std::int32_t message) {
        form.Form_MouseMove(0, 0, static_cast<float>(message) * screen.twipsPerPixel, 0.0f);
    }
    static std::wstring PaddedTip(const std::wstring& text) {
        return text + L'\0' + std::wstring(64 - text.size() - 1, L' ');
    }
    static std::wstring Tip(const TrayIconRecord& record) {
        return {record.szTip.begin(), record.szTip.end()};
    }
};

TEST_F(TrayTest, StartUpAddsTheOnIconWithTheSixFieldsAndTheTitleTip) {
    StartWithState("1");
    ASSERT_EQ(tray.calls.size(), 1u);
    EXPECT_EQ(tray.calls[0].add, true);
    const TrayIconRecord& record = TrayCall(0);
    EXPECT_EQ(record.cbSize, 88u);
    EXPECT_EQ(record.hWnd, FakeMainWindow::kHwnd);
    EXPECT_EQ(record.uID, 1u);
    EXPECT_EQ(record.uFlags, 7u);
    EXPECT_EQ(record.uCallbackMessage, 512u);
    EXPECT_EQ(record.hIcon, kAppIcon);
    EXPECT_EQ(Tip(record), PaddedTip(L"Plimex 2000"));
}

TEST_F(TrayTest, OffStateShowsTheIconMadeFromTheImageList) {
    StartWithState("0");
    EXPECT_EQ(imageList1.extracted, std::vector<std::int16_t>{1});
    EXPECT_EQ(image3.picture, FakeImageList::kExtracted);
    EXPECT_EQ(TrayCall(0).hIcon, FakeImageList::kExtracted);
    EXPECT_LT(log.IndexOf("Image3.SetPicture"), log.IndexOf("NIM_ADD"));
}

TEST_F(TrayTest, AnUndecidedStateAddsANullIconAndTheFirstToggleSwitchesOn) {
    StartWithState("2");
    EXPECT_EQ(TrayCall(0).hIcon, 0u);
    EXPECT_FALSE(tmr.enabled);
    EXPECT_EQ(command1.caption, L"&Activer");
    EXPECT_TRUE(desktop.wallpapers.empty());

    form.Activer_Click();
    EXPECT_EQ(form.activeState(), L"1");
    EXPECT_TRUE(tmr.enabled);
    EXPECT_EQ(TrayCall(2).hIcon, kAppIcon);
}

TEST_F(TrayTest, ToggleRemovesThenAddsTheIconWithTheNewPictureAndTip) {
    StartWithState("1");
    form.Activer_Click();
    ASSERT_EQ(tray.calls.size(), 3u);
    EXPECT_EQ(tray.calls[1].add, false);
    EXPECT_EQ(TrayCall(1).cbSize, 88u);
    EXPECT_EQ(TrayCall(1).uID, 1u);
    EXPECT_EQ(tray.calls[2].add, true);
    EXPECT_EQ(TrayCall(2).hIcon, FakeImageList::kExtracted);
    EXPECT_EQ(Tip(TrayCall(2)), PaddedTip(L"Icône dans le system tray"));

    form.Command1_Click();
    EXPECT_EQ(TrayCall(4).hIcon, kAppIcon);
    EXPECT_EQ(Tip(TrayCall(4)), PaddedTip(L"Icône dans le system tray"));
}

TEST_F(TrayTest, BothTogglesKeepTheFiveLinkedThingsTogetherAndOnlyTheButtonSaves) {
    StartWithState("1");
    const int writesAtStart = fs.writes;
    form.Activer_Click();
    EXPECT_EQ(form.activeState(), L"0");
    EXPECT_FALSE(tmr.enabled);
    EXPECT_EQ(command1.caption, L"&Activer");
    EXPECT_EQ(activer.caption, L"&Activer");
    EXPECT_EQ(tray.calls.back().record.hIcon, image3.picture);
    EXPECT_EQ(fs.writes, writesAtStart);

    form.Command1_Click();
    EXPECT_EQ(form.activeState(), L"1");
    EXPECT_TRUE(tmr.enabled);
    EXPECT_EQ(activer.caption, L"&Désactiver");
    EXPECT_EQ(tray.calls.back().record.hIcon, image2.picture);
    EXPECT_NE(SavedOptions().find("Etat=1\r\n"), std::string::npos);

    form.Command1_Click();
    EXPECT_NE(SavedOptions().find("Etat=0\r\n"), std::string::npos);
    EXPECT_EQ(desktop.wallpapers.size(), 1u);  // only the start-up rotation: toggles change none
}

TEST_F(TrayTest, DoubleClickShowsAndRightButtonUpOpensTheMenuOtherReportsDoNothing) {
    StartWithState("1");
    for (std::int32_t message : {512, 513, 514, 516, 518, 519, 520, 521}) {
        Report(message);
    }
    EXPECT_FALSE(window.visible);
    EXPECT_EQ(window.popups, 0);

    Report(515);
    EXPECT_TRUE(window.visible);
    Report(515);
    EXPECT_TRUE(window.visible);

    Report(517);
    EXPECT_EQ(window.popups, 1);
    EXPECT_FALSE(form.trayBusy());
}

TEST_F(TrayTest, TwipsAreRoundedToTheEvenPixelOnAHalf) {
    EXPECT_EQ(DecodeTrayMessage(515.0f * 15, 15), 515);
    EXPECT_EQ(DecodeTrayMessage(514.5f * 15, 15), 514);  // half-up would give 515
    EXPECT_EQ(DecodeTrayMessage(515.5f * 15, 15), 516);
    EXPECT_EQ(DecodeTrayMessage(517.0f * 12, 12), 517);  // 120 dots per inch
    EXPECT_EQ(DecodeTrayMessage(515.4f * 15, 15), 515);
    EXPECT_EQ(DecodeTrayMessage(1e30f, 15), 0);
    EXPECT_EQ(DecodeTrayMessage(std::nanf(""), 15), 0);

    StartWithState("1");
    form.Form_MouseMove(0, 0, 514.5f * 15, 0);
    EXPECT_EQ(form.trayMessage(), 514);
    EXPECT_FALSE(window.visible);
}

TEST_F(TrayTest, ReportsWhileTheMenuIsOpenAreRecordedButOpenNothing) {
    StartWithState("1");
    window.whileMenuOpen = [this]() -> std::string_view {
        Report(517);
        Report(515);
        EXPECT_EQ(form.trayMessage(), 515);
        EXPECT_TRUE(form.trayBusy());
        return "Activer";
    };
    Report(517);
    EXPECT_EQ(window.popups, 1);
    EXPECT_FALSE(window.visible);
    EXPECT_EQ(form.activeState(), L"0");  // the picked item still runs
    EXPECT_FALSE(form.trayBusy());
}

TEST_F(TrayTest, MenuItemsOpenTheWindowAndQuit) {
    StartWithState("1");
    window.whileMenuOpen = [] { return std::string_view("Ouvrir"); };
    Report(517);
    EXPECT_TRUE(window.visible);

    window.whileMenuOpen = [] { return std::string_view("Quitter"); };
    Report(517);
    EXPECT_TRUE(window.unloaded);
    EXPECT_FALSE(form.trayBusy());
    EXPECT_LT(log.IndexOf("NIM_DELETE"), log.IndexOf("ReplaceFile Plimex.ini"));
}

// A notification area that reports requests, not mouse messages: the same
// busy guard holds while the menu is open.
TEST_F(TrayTest, RequestsOpenTheWindowOrTheMenuUnderTheSameBusyGuard) {
    StartWithState("1");
    window.whileMenuOpen = [this]() -> std::string_view {
        form.TrayRequest(TrayIntent::ShowMenu);
        form.TrayRequest(TrayIntent::OpenWindow);
        return "Quitter";
    };
    form.TrayRequest(TrayIntent::None);
    EXPECT_EQ(window.popups, 0);
    form.TrayRequest(TrayIntent::ShowMenu);
    EXPECT_EQ(window.popups, 1);
    EXPECT_FALSE(window.visible);
    EXPECT_TRUE(window.unloaded);
    EXPECT_FALSE(form.trayBusy());
    EXPECT_EQ(form.trayMessage(), 0);
}

TEST(TrayIconRecord, ATipTooLongForTheRecordIsCutSoThatItsNulFits) {
    TrayIconRecord record;
    record.SetTip(std::wstring(70, L'x'));
    EXPECT_EQ(record.Tip(), std::wstring(63, L'x'));
}

}  // namespace
}  // namespace plimex::testing
