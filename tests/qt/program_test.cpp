#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "active_popup.h"
#include "program_under_test.h"

namespace plimex::qt {
namespace {

using testing::PressInActivePopup;

class ProgramTest : public ::testing::Test, protected testing::ProgramUnderTest {
  protected:
    ProgramTest() {
        pictures.Write("b.bmp");
        pictures.Write("A.bmp");
        pictures.Write("notes.txt");
        WriteOptions(2, 0);
    }

    std::string Options() const { return *fileSystem.ReadFile(cwd / "Plimex.ini", 1000); }
};

TEST_F(ProgramTest, StartsHiddenOnTheSavedFolderWithItsBitmapsSorted) {
    form.Form_Load();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(form.imageFolder(), codePage.FromAnsi(pictures.Folder()));
    ASSERT_EQ(window.lstFic().ListCount(), 2);
    EXPECT_EQ(window.lstFic().List(0), L"A.bmp");
    EXPECT_TRUE(window.option(2).isChecked());
    EXPECT_FALSE(window.tmr().timer().isActive());
    EXPECT_EQ(window.command1().text(), "&Activer");
}

TEST_F(ProgramTest, ASavedFolderThatIsGoneFallsBackToTheDefaultFolder) {
    cwd.Write("Plimex.ini", "[options]\r\nRep=/nowhere/at/all/\r\nTps=1\r\nEtat=0\r\n");
    form.Form_Load();
    EXPECT_EQ(form.imageFolder(), fileSystem.DefaultImageFolder());
}

TEST_F(ProgramTest, TheButtonTogglesBothCaptionsTheTimerAndSavesAtOnce) {
    form.Form_Load();
    window.command1().click();
    EXPECT_EQ(window.command1().text(), "&Désactiver");
    EXPECT_EQ(window.menu().actions()[0]->text(), "&Désactiver");
    EXPECT_TRUE(window.tmr().timer().isActive());
    EXPECT_NE(Options().find("Etat=1\r\n"), std::string::npos);

    window.command1().click();
    EXPECT_EQ(window.command1().text(), "&Activer");
    EXPECT_EQ(window.menu().actions()[0]->text(), "&Activer");
    EXPECT_FALSE(window.tmr().timer().isActive());
}

TEST_F(ProgramTest, TheTraysContextRequestOpensTheMenuAndRunsThePickedItem) {
    form.Form_Load();
    PressInActivePopup(Qt::Key_A);
    window.RaiseTrayRequest(TrayIntent::ShowMenu);
    EXPECT_EQ(window.command1().text(), "&Désactiver");
    EXPECT_EQ(form.activeState(), L"1");
    EXPECT_FALSE(form.trayBusy());

    PressInActivePopup(Qt::Key_O);
    window.RaiseTrayRequest(TrayIntent::ShowMenu);
    EXPECT_TRUE(window.isVisible());
}

// A desktop that draws the exported menu triggers the item's action; the
// program's own popup reports its pick instead. Either way it runs once.
TEST_F(ProgramTest, AnItemPickedFromTheMenuRunsOnceWhoeverDrewTheMenu) {
    form.Form_Load();
    window.menu().actions()[0]->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(form.activeState(), L"1");

    PressInActivePopup(Qt::Key_D);
    window.RaiseTrayRequest(TrayIntent::ShowMenu);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.activeState(), L"0");
}

TEST_F(ProgramTest, WithoutATrayCacherMinimizesAWindowThatAllowsIt) {
    program.Start(false);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    window.command4().click();
    EXPECT_TRUE(window.isMinimized());
    program.NotificationAreaChanged(true);
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
}

TEST_F(ProgramTest, TheTraysDoubleClickShowsTheWindowAndCacherHidesIt) {
    form.Form_Load();
    window.RaiseTrayRequest(TrayIntent::OpenWindow);
    EXPECT_TRUE(window.isVisible());
    window.command4().click();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ProgramTest, AccessKeysPressTheButtonsTheirCaptionsMark) {
    form.Form_Load();
    window.Show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    // A button answers its access key with an animated click: wait for it.
    const auto press = [&](Qt::Key key, auto done) {
        QTest::keyClick(window.windowHandle(), key, Qt::AltModifier);
        return QTest::qWaitFor(done, 2000);
    };
    EXPECT_TRUE(press(Qt::Key_A, [&] { return form.activeState() == L"1"; }));
    EXPECT_EQ(window.command1().text(), "&Désactiver");
    EXPECT_TRUE(press(Qt::Key_D, [&] { return form.activeState() == L"0"; }));
    EXPECT_EQ(window.command1().text(), "&Activer");
    EXPECT_TRUE(press(Qt::Key_C, [&] { return !window.isVisible(); }));
}

TEST_F(ProgramTest, PickingAVolumeThenAFolderListsTheirBitmaps) {
    form.Form_Load();
    window.Show();
    EXPECT_EQ(window.drive1().Drive(), L"/");

    window.drive1().box()->setCurrentIndex(1);
    emit window.drive1().box()->activated(1);
    EXPECT_EQ(form.imageFolder(), codePage.FromAnsi(cwd.Folder()));
    EXPECT_EQ(window.lstFic().ListCount(), 0);

    QTreeWidget& dirs = *window.dir1().view();
    emit dirs.itemActivated(dirs.currentItem()->parent(), 0);
    const QString picturesName =
        QString::fromStdString(std::filesystem::path(pictures.Folder()).parent_path().filename());
    QTreeWidgetItem* picturesItem = nullptr;
    for (int child = 0; child < dirs.currentItem()->childCount(); ++child) {
        if (dirs.currentItem()->child(child)->text(0) == picturesName) {
            picturesItem = dirs.currentItem()->child(child);
        }
    }
    ASSERT_NE(picturesItem, nullptr);
    emit dirs.itemActivated(picturesItem, 0);
    EXPECT_EQ(form.imageFolder(), codePage.FromAnsi(pictures.Folder()));
    EXPECT_EQ(window.lstFic().ListCount(), 2);
}

TEST_F(ProgramTest, ChoosingAnEntryPreviewsItAndSelectMakesItTheWallpaper) {
    form.Form_Load();
    window.cmdSel().click();
    EXPECT_TRUE(desktop.wallpapers.empty());

    QtFileListBox& list = window.lstFic();
    list.selectionModel()->select(list.model()->index(1, 0), QItemSelectionModel::ClearAndSelect);
    window.cmdSel().click();
    ASSERT_EQ(desktop.wallpapers.size(), 1u);
    EXPECT_EQ(desktop.wallpapers[0], pictures / "b.bmp");
    EXPECT_EQ(window.lblPap().text().toStdString(), pictures / "b.bmp");
}

TEST_F(ProgramTest, ClosingTheWindowUnloadsLikeQuitter) {
    form.Form_Load();
    window.Show();
    form.Option4_Click();
    QCloseEvent close;
    QApplication::sendEvent(&window, &close);
    EXPECT_FALSE(window.isVisible());
    EXPECT_NE(Options().find("Tps=4\r\n"), std::string::npos);
    // Gone for good: later events reach no handler.
    window.command1().click();
    EXPECT_EQ(Options().find("Etat=1"), std::string::npos);
}

TEST(AboutWindowTest, OpensAfreshEachTimeAndClosesOnlyByItsButton) {
    const Twips twips(96);
    QtForm2Dialog launcher(twips);
    for (int opening = 0; opening < 2; ++opening) {
        bool checked = false;
        QTimer::singleShot(0, [&] {
            auto* form2 = dynamic_cast<Form2Window*>(QApplication::activeModalWidget());
            ASSERT_NE(form2, nullptr);
            EXPECT_EQ(form2->size(), QSize(320, 394));
            EXPECT_EQ(form2->windowTitle(), "Plimex 2000");
            EXPECT_EQ(form2->picture1().geometry(), QRect(8, 8, 146, 154));
            EXPECT_EQ(form2->picture2().geometry(), QRect(168, 8, 146, 154));
            EXPECT_EQ(form2->picture1().pixmap().size(), QSize(142, 150));
            EXPECT_EQ(form2->label2().text(), "Version 1.0   -   Décembre 1999");
            EXPECT_TRUE(form2->label1().font().bold());
            EXPECT_EQ(form2->label1().font().pointSize(), 12);
            EXPECT_EQ(form2->command1().text(), "&Fermer");
            for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
                QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
                QApplication::sendEvent(form2, &press);
            }
            EXPECT_TRUE(form2->isVisible());
            checked = true;
            form2->command1().click();
        });
        launcher.ShowModal();
        EXPECT_TRUE(checked);
    }
}

}  // namespace
}  // namespace plimex::qt
