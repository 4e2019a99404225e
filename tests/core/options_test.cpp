#include "core/options_file.h"
#include "fakes/form1_fixture.h"

namespace plimex::testing {
namespace {

using OptionsTest = Form1Test;

TEST_F(OptionsTest, NoFileGivesTheDefaultsAndSwitchesTheRotationOn) {
    form.Form_Load();
    EXPECT_EQ(form.imageFolder(), L"C:\\Windows\\");
    EXPECT_EQ(form.intervalCode(), L"1");
    EXPECT_EQ(form.activeState(), L"1");
    EXPECT_EQ(options.selected, 1);
    EXPECT_TRUE(tmr.enabled);
    EXPECT_EQ(command1.caption, L"&Désactiver");
    EXPECT_EQ(activer.caption, L"&Désactiver");
}

TEST_F(OptionsTest, DefaultsAreSavedAsExactly43Bytes) {
    form.Form_Load();
    form.Unload();
    EXPECT_EQ(SavedOptions(), "[options]\r\nRep=C:\\Windows\\\r\nTps=1\r\nEtat=1\r\n");
    EXPECT_EQ(SavedOptions().size(), 43u);
}

TEST_F(OptionsTest, KeysAreRecognisedInAnyCaseAndValuesKeepTheirCase) {
    AddFolder("D:\\Mes Images\\", {});
    WriteOptions("[OPTIONS]\r\nREP=D:\\Mes Images\\\r\nTPS=3\r\nETAT=0\r\n");
    form.Form_Load();
    EXPECT_EQ(form.imageFolder(), L"D:\\Mes Images\\");
    EXPECT_EQ(form.intervalCode(), L"3");
    EXPECT_EQ(form.activeState(), L"0");
    EXPECT_EQ(options.selected, 3);
    EXPECT_FALSE(tmr.enabled);
    EXPECT_EQ(command1.caption, L"&Activer");
}

TEST_F(OptionsTest, EachLineIsCheckedOnlyAgainstTheKeyOfItsPosition) {
    // Without the header every line sits one place too early.
    WriteOptions("Rep=D:\\X\\\r\nTps=2\r\nEtat=0\r\n");
    form.Form_Load();
    EXPECT_EQ(form.imageFolder(), L"C:\\Windows\\");
    EXPECT_EQ(form.intervalCode(), L"1");
    EXPECT_EQ(form.activeState(), L"1");

    const OptionsFileValues swapped =
        ParseOptionsFile("[options]\r\nTps=2\r\nRep=D:\\X\\\r\nEtat=0\r\n");
    EXPECT_FALSE(swapped.rep);
    EXPECT_FALSE(swapped.tps);
    EXPECT_EQ(swapped.etat, "0");
}

TEST_F(OptionsTest, ShortAndMissingLinesKeepTheirDefaults) {
    EXPECT_FALSE(ParseOptionsFile("").rep);
    const OptionsFileValues twoLines = ParseOptionsFile("whatever\r\nRep=E:\\");
    EXPECT_EQ(twoLines.rep, "E:\\");
    EXPECT_FALSE(twoLines.tps);
    EXPECT_FALSE(twoLines.etat);
    const OptionsFileValues shortLines = ParseOptionsFile("[options]\r\nRe\r\nTps\r\nEtat");
    EXPECT_FALSE(shortLines.rep);
    EXPECT_FALSE(shortLines.tps);
    EXPECT_FALSE(shortLines.etat);
}

TEST_F(OptionsTest, UnknownIntervalIsKeptSelectsNoOptionAndIsSavedBack) {
    WriteOptions("[options]\r\nRep=C:\\Windows\\\r\nTps=7\r\nEtat=1\r\n");
    form.Form_Load();
    EXPECT_EQ(form.intervalCode(), L"7");
    EXPECT_EQ(options.selected, 0);
    form.Unload();
    EXPECT_EQ(SavedOptions(), "[options]\r\nRep=C:\\Windows\\\r\nTps=7\r\nEtat=1\r\n");
}

TEST_F(OptionsTest, EmptyStateLeavesTheTimerOffAndBothCaptionsActiver) {
    WriteOptions("[options]\r\nRep=C:\\Windows\\\r\nTps=1\r\nEtat=\r\n");
    form.Form_Load();
    EXPECT_EQ(form.activeState(), L"");
    EXPECT_FALSE(tmr.enabled);
    EXPECT_EQ(command1.caption, L"&Activer");
    EXPECT_EQ(activer.caption, L"&Activer");
}

TEST_F(OptionsTest, AccentedFolderWithCommasAndSpacesRoundTrips) {
    const std::string folder = "D:\\Vacances, \xE9t\xE9 1999\\";  // é in Windows-1252
    AddFolder(folder, {});
    WriteOptions("[options]\r\nRep=" + folder + "\r\nTps=2\r\nEtat=0\r\n");
    form.Form_Load();
    EXPECT_EQ(form.imageFolder(), L"D:\\Vacances, été 1999\\");
    form.Unload();
    EXPECT_EQ(SavedOptions(), "[options]\r\nRep=" + folder + "\r\nTps=2\r\nEtat=0\r\n");
}

TEST_F(OptionsTest, OnlyTheFirstFourLinesAreReadAndFourAreWritten) {
    WriteOptions("[options]\r\nRep=C:\\Windows\\\r\nTps=4\r\nEtat=0\r\nTps=5\r\nextra\r\n");
    form.Form_Load();
    EXPECT_EQ(form.intervalCode(), L"4");
    form.Unload();
    EXPECT_EQ(SavedOptions(), "[options]\r\nRep=C:\\Windows\\\r\nTps=4\r\nEtat=0\r\n");
}

TEST_F(OptionsTest, LoneLineFeedsAndCarriageReturnsEndLinesToo) {
    const OptionsFileValues lf = ParseOptionsFile("[options]\nRep=A\\\nTps=2\nEtat=0\n");
    EXPECT_EQ(lf.rep, "A\\");
    EXPECT_EQ(lf.tps, "2");
    EXPECT_EQ(lf.etat, "0");
    const OptionsFileValues cr = ParseOptionsFile("[options]\rRep=A\\\rTps=2\rEtat=0");
    EXPECT_EQ(cr.etat, "0");
}

TEST_F(OptionsTest, SavingTwiceWritesTheSameBytes) {
    form.Form_Load();
    form.Command1_Click();
    const std::string first = SavedOptions();
    form.Command1_Click();
    form.Command1_Click();
    EXPECT_EQ(SavedOptions(), first);
}

TEST_F(OptionsTest, AFailedWriteKeepsTheOldFileAndTheProgramRunning) {
    const std::string old = "[options]\r\nRep=C:\\Windows\\\r\nTps=2\r\nEtat=1\r\n";
    WriteOptions(old);
    form.Form_Load();
    fs.failWrites = true;
    form.Command1_Click();
    EXPECT_EQ(SavedOptions(), old);
    EXPECT_EQ(diagnostics.lines.size(), 1u);
    EXPECT_EQ(form.activeState(), L"0");
    form.Tmr_Timer();
    EXPECT_EQ(form.tickCount(), 1);
}

TEST_F(OptionsTest, AFolderNameThatCannotBeStoredKeepsTheLastOneThatCould) {
    AddFolder("D:\\Images\\", {});
    AddFolder("D:\\Images\\a\nb\\", {});
    WriteOptions("[options]\r\nRep=D:\\Images\\\r\nTps=3\r\nEtat=0\r\n");
    form.Form_Load();
    dir1.SetPath(L"D:\\Images\\a\nb\\");
    form.Dir1_Change();
    form.Unload();
    EXPECT_EQ(SavedOptions(), "[options]\r\nRep=D:\\Images\\\r\nTps=3\r\nEtat=0\r\n");
    EXPECT_EQ(diagnostics.lines.size(), 1u);

    // A hand-made null byte makes the value count as missing, never written back.
    using namespace std::string_literals;
    const std::string withNull = "[options]\r\nRep=D:\\Images\\\0x\r\nTps=3\r\nEtat=0\r\n"s;
    EXPECT_FALSE(ParseOptionsFile(withNull).rep);
    EXPECT_EQ(ParseOptionsFile(withNull).etat, "0");
}

TEST_F(OptionsTest, AFileThatExistsButCannotBeReadIsNeverOverwrittenAndTheLogSaysWhy) {
    WriteOptions("[options]\r\nRep=C:\\Windows\\\r\nTps=3\r\nEtat=0\r\n");
    fs.unreadable.insert("Plimex.ini");
    form.Form_Load();
    form.Command1_Click();
    form.Unload();
    EXPECT_EQ(fs.writes, 0);
    ASSERT_FALSE(diagnostics.lines.empty());
    EXPECT_NE(diagnostics.lines[0].find("Plimex.ini: the file exists but cannot be read"),
              std::string::npos);
}

}  // namespace
}  // namespace plimex::testing
