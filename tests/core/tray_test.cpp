#include "core/tray_icon_record.h"
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
    static std::string PaddedTip(const std::string& text) {
        return text + '\0' + std::string(64 - text.size() - 1, ' ');
    }
};

TEST_F(TrayTest, StartUpAddsTheOnIconWithTheSixFieldsAndTheTitleTip) {
    StartWithState("1");
    ASSERT_EQ(tray.calls.size(), 1u);
    EXPECT_EQ(tray.calls[0].first, NotificationArea::kNimAdd);
    const NotifyIconBuffer& record = TrayCall(0);
    EXPECT_EQ(Field(record, 0), 88u);
    EXPECT_EQ(Field(record, 1), FakeMainWindow::kHwnd);
    EXPECT_EQ(Field(record, 2), 1u);
    EXPECT_EQ(Field(record, 3), 7u);
    EXPECT_EQ(Field(record, 4), 512u);
    EXPECT_EQ(Field(record, 5), kAppIcon);
    EXPECT_EQ(Tip(record), PaddedTip("Plimex 2000"));
}

TEST_F(TrayTest, OffStateShowsTheIconMadeFromTheImageList) {
    StartWithState("0");
    EXPECT_EQ(imageList1.extracted, std::vector<std::int16_t>{1});
    EXPECT_EQ(image3.picture, FakeImageList::kExtracted);
    EXPECT_EQ(Field(TrayCall(0), 5), FakeImageList::kExtracted);
    EXPECT_LT(log.IndexOf("Image3.SetPicture"), log.IndexOf("NIM_ADD"));
}

TEST_F(TrayTest, AnUndecidedStateAddsANullIconAndTheFirstToggleSwitchesOn) {
    StartWithState("2");
    EXPECT_EQ(Field(TrayCall(0), 5), 0u);
    EXPECT_FALSE(tmr.enabled);
    EXPECT_EQ(command1.caption, L"&Activer");
    EXPECT_TRUE(desktop.spis.empty());

    form.Activer_Click();
    EXPECT_EQ(form.activeState(), L"1");
    EXPECT_TRUE(tmr.enabled);
    EXPECT_EQ(Field(TrayCall(2), 5), kAppIcon);
}

TEST_F(TrayTest, ToggleRemovesThenAddsTheIconWithTheNewPictureAndTip) {
    StartWithState("1");
    form.Activer_Click();
    ASSERT_EQ(tray.calls.size(), 3u);
    EXPECT_EQ(tray.calls[1].first, NotificationArea::kNimDelete);
    EXPECT_EQ(Field(TrayCall(1), 0), 88u);
    EXPECT_EQ(Field(TrayCall(1), 2), 1u);
    EXPECT_EQ(tray.calls[2].first, NotificationArea::kNimAdd);
    EXPECT_EQ(Field(TrayCall(2), 5), FakeImageList::kExtracted);
    // "ô" is the single byte 0xF4 of Windows-1252.
    EXPECT_EQ(Tip(TrayCall(2)), PaddedTip("Ic\xF4ne dans le system tray"));

    form.Command1_Click();
    EXPECT_EQ(Field(TrayCall(4), 5), kAppIcon);
    EXPECT_EQ(Tip(TrayCall(4)), PaddedTip("Ic\xF4ne dans le system tray"));
}

TEST_F(TrayTest, BothTogglesKeepTheFiveLinkedThingsTogetherAndOnlyTheButtonSaves) {
    StartWithState("1");
    const int writesAtStart = fs.writes;
    form.Activer_Click();
    EXPECT_EQ(form.activeState(), L"0");
    EXPECT_FALSE(tmr.enabled);
    EXPECT_EQ(command1.caption, L"&Activer");
    EXPECT_EQ(activer.caption, L"&Activer");
    EXPECT_EQ(Field(tray.calls.back().second, 5), image3.picture);
    EXPECT_EQ(fs.writes, writesAtStart);

    form.Command1_Click();
    EXPECT_EQ(form.activeState(), L"1");
    EXPECT_TRUE(tmr.enabled);
    EXPECT_EQ(activer.caption, L"&Désactiver");
    EXPECT_EQ(Field(tray.calls.back().second, 5), image2.picture);
    EXPECT_NE(SavedOptions().find("Etat=1\r\n"), std::string::npos);

    form.Command1_Click();
    EXPECT_NE(SavedOptions().find("Etat=0\r\n"), std::string::npos);
    EXPECT_EQ(desktop.spis.size(), 1u);  // only the start-up rotation: toggles change none
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
    window.whileMenuOpen = [this] {
        Report(517);
        Report(515);
        EXPECT_EQ(form.trayMessage(), 515);
        EXPECT_TRUE(form.trayBusy());
        return MenuItem::Activer;
    };
    Report(517);
    EXPECT_EQ(window.popups, 1);
    EXPECT_FALSE(window.visible);
    EXPECT_EQ(form.activeState(), L"0");  // the picked item still runs
    EXPECT_FALSE(form.trayBusy());
}

TEST_F(TrayTest, MenuItemsOpenTheWindowAndQuit) {
    StartWithState("1");
    window.whileMenuOpen = [] { return MenuItem::Ouvrir; };
    Report(517);
    EXPECT_TRUE(window.visible);

    window.whileMenuOpen = [] { return MenuItem::Quitter; };
    Report(517);
    EXPECT_TRUE(window.unloaded);
    EXPECT_FALSE(form.trayBusy());
    EXPECT_LT(log.IndexOf("NIM_DELETE"), log.IndexOf("ReplaceFile Plimex.ini"));
}

// A multi-byte code page, as a UTF-8 locale is on Linux.
class Utf8Latin1CodePage : public AnsiCodePage {
  public:
    std::string ToAnsi(std::wstring_view text) const override {
        std::string bytes;
        for (wchar_t c : text) {
            if (c < 0x80) {
                bytes += static_cast<char>(c);
            } else {
                bytes += static_cast<char>(0xC0 | (c >> 6));
                bytes += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        return bytes;
    }
    std::wstring FromAnsi(std::string_view) const override { return L""; }
};

TEST(TrayIconRecord, TipIsCutToWholeCharactersSoThatItsNulAlwaysFits) {
    TrayIconRecord record;
    record.SetTip(std::wstring(70, L'x'));
    EXPECT_EQ(Form1Test::Tip(record.ToBuffer(Cp1252CodePage())), std::string(63, 'x') + '\0');

    record.SetTip(L"Icône dans le system tray");
    const std::string utf8 = Form1Test::Tip(record.ToBuffer(Utf8Latin1CodePage()));
    EXPECT_EQ(utf8.substr(0, 26), "Ic\xC3\xB4ne dans le system tray");
    EXPECT_EQ(utf8[26], '\0');
    EXPECT_EQ(utf8.substr(27), std::string(37, ' '));

    record.SetTip(std::wstring(40, L'é'));
    const std::string cut = Form1Test::Tip(record.ToBuffer(Utf8Latin1CodePage()));
    EXPECT_EQ(cut.find('\0'), 62u);  // 31 two-byte characters, never half of one
}

}  // namespace
}  // namespace plimex::testing
