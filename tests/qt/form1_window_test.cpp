#include "qt/form1_window.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <cstdio>
#include <filesystem>

#include "active_popup.h"
#include "fakes/fake_platform.h"
#include "posix/bitmap_file.h"
#include "posix/locale_code_page.h"
#include "posix/scratch_folder.h"

namespace plimex::qt {
namespace {

using plimex::ScratchFolder;
using testing::PressInActivePopup;

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int paints = 0;

  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return false;
    }
};

class Form1WindowTest : public ::testing::Test {
  protected:
    posix::LocaleCodePage codePage;
    Twips twips{96};
    plimex::testing::FakeDiagnostics diagnostics;
    QtForm1Window window{codePage, twips, diagnostics, {"/", "/home/lea/"}};
};

TEST_F(Form1WindowTest, PlacesEveryControlFromTheLayoutAt15TwipsAPixel) {
    window.show();
    EXPECT_EQ(window.size(), QSize(423, 502));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_EQ(window.drive1().box()->geometry(), QRect(8, 8, 153, 21));
    EXPECT_EQ(window.dir1().view()->geometry(), QRect(8, 32, 153, 186));
    EXPECT_EQ(window.lstFic().geometry(), QRect(168, 8, 129, 212));
    EXPECT_EQ(window.cmdSel().geometry(), QRect(304, 8, 113, 25));
    EXPECT_EQ(window.lblPap().geometry(), QRect(64, 232, 233, 17));
    EXPECT_EQ(window.fraInt().geometry(), QRect(304, 256, 113, 217));
    EXPECT_EQ(window.command4().geometry(), QRect(304, 104, 113, 25));
    EXPECT_EQ(window.image1().geometry(), QRect(8, 256, 289, 217));
    EXPECT_EQ(window.option(3).geometry(), QRect(16, 104, 81, 25));
    EXPECT_EQ(window.option(3).parentWidget(), &window.fraInt());
    EXPECT_EQ(window.label1().geometry(), QRect(8, 232, 57, 17));
    EXPECT_EQ(window.shape2().geometry(), QRect(8, 480, 409, 17));
    // The bar starts 6040 twips wide, and its widget leaves room to grow.
    EXPECT_EQ(window.shape1().pos(), QPoint(12, 483));
    EXPECT_EQ(window.shape1().height(), 12);
    EXPECT_EQ(window.shape1().drawnWidth(), 403);
    EXPECT_GE(window.shape1().width(), 6315 / 15 - 12);
}

TEST(Form1WindowScaleTest, PlacesControlsByTheScreensLogicalResolution) {
    const posix::LocaleCodePage codePage;
    Twips twips(192);
    plimex::testing::FakeDiagnostics diagnostics;
    QtForm1Window window(codePage, twips, diagnostics, {"/"});
    window.show();
    EXPECT_EQ(window.size(), QSize(846, 1004));
    EXPECT_EQ(window.lstFic().geometry(), QRect(336, 16, 258, 424));
}

TEST_F(Form1WindowTest, ShowsTheLayoutsCaptions) {
    window.show();
    EXPECT_EQ(window.windowTitle(), "Plimex 2000");
    EXPECT_EQ(window.cmdSel().text(), "&Sélectionner");
    EXPECT_EQ(window.command1().text(), "&Activer");
    EXPECT_EQ(window.command2().text(), "A &propos");
    EXPECT_EQ(window.command4().text(), "&Cacher");
    EXPECT_EQ(window.fraInt().title(), "Intervalle  ");
    EXPECT_EQ(window.label1().text(), "En cours : ");
    EXPECT_EQ(window.lblPap().text(), "");
    const char* options[] = {"1 minute", "5 minutes", "15 minutes", "30 minutes", "45 minutes"};
    for (int number = 1; number <= 5; ++number) {
        EXPECT_EQ(window.option(number).text(), options[number - 1]);
        EXPECT_FALSE(window.option(number).isChecked());
    }
}

TEST_F(Form1WindowTest, TabFollowsTheLayoutsOrderAndEntersTheOptionsAtTheSelectedOne) {
    QtOptionButton(window.option(4)).Select();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.drive1().box()->setFocus();
    std::vector<QWidget*> visited;
    for (int step = 0; step < 7; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget());
    }
    const std::vector<QWidget*> expected{
        window.dir1().view(), &window.lstFic(),   &window.cmdSel(), &window.command1(),
        &window.command2(),   &window.command4(), &window.option(4)};
    EXPECT_EQ(visited, expected);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_TRUE(window.option(5).isChecked());
    EXPECT_EQ(QApplication::focusWidget(), &window.option(5));
}

class NoAboutWindow : public AboutWindow {
  public:
    void ShowModal() override {}
};

// The lists are made and the controls placed when the window first shows:
// what the program set while it waited in the tray is what shows then.
TEST_F(Form1WindowTest, WhatTheProgramSetBeforeTheFirstShowIsWhatShows) {
    ScratchFolder folder;
    std::filesystem::create_directory(folder / "sub");
    NoAboutWindow about;
    const Form1Controls controls = window.Controls(about);
    controls.Command1.SetCaption(L"&Désactiver");
    controls.LblPap.SetCaption(L"/images/été.bmp");
    controls.Option3.Select();
    controls.Shape1.SetWidth(3000.0f);
    ASSERT_TRUE(controls.Dir1.Show(*controls.Dir1.Read(codePage.FromAnsi(folder.Folder()))));
    ASSERT_TRUE(controls.Drive1.SetDrive(L"/home/lea/x/"));
    EXPECT_EQ(window.dir1().view(), nullptr);
    EXPECT_EQ(window.drive1().box(), nullptr);

    window.show();
    EXPECT_EQ(window.command1().text(), "&Désactiver");
    EXPECT_EQ(window.lblPap().text(), "/images/été.bmp");
    EXPECT_TRUE(window.option(3).isChecked());
    EXPECT_EQ(window.shape1().drawnWidth(), 200);
    ASSERT_NE(window.dir1().view()->currentItem(), nullptr);
    EXPECT_EQ(window.dir1().view()->currentItem()->childCount(), 1);
    EXPECT_EQ(window.drive1().box()->currentText(), "/home/lea/");
}

TEST_F(Form1WindowTest, ThePopupMenuListsItsItemsWithQuitterAsDefault) {
    const QList<QAction*> actions = window.menu().actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions[0]->text(), "&Activer");
    EXPECT_EQ(actions[1]->text(), "&Ouvrir");
    EXPECT_EQ(actions[2]->text(), "&Quitter");
    EXPECT_EQ(window.menu().defaultAction(), actions[2]);
}

TEST_F(Form1WindowTest, ThePopupMenuReportsTheItemPickedByItsAccessKey) {
    PressInActivePopup(Qt::Key_O);
    EXPECT_EQ(window.PopupMenu(), MenuItem::Ouvrir);
    PressInActivePopup(Qt::Key_Q);
    EXPECT_EQ(window.PopupMenu(), MenuItem::Quitter);
    PressInActivePopup(Qt::Key_Escape);
    EXPECT_EQ(window.PopupMenu(), MenuItem::None);
}

TEST_F(Form1WindowTest, TheFileListSortsIgnoringCaseAndIndexesTheSortedOrder) {
    QtFileListBox& list = window.lstFic();
    list.AddItems({"b.bmp", "A.bmp", "c.bmp"});
    ASSERT_EQ(list.ListCount(), 3);
    EXPECT_EQ(list.List(0), L"A.bmp");
    EXPECT_EQ(list.List(1), L"b.bmp");
    EXPECT_EQ(list.List(2), L"c.bmp");
    EXPECT_EQ(list.List(3), L"");
    EXPECT_EQ(list.List(-1), L"");
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.model()->index(0, 0).data().toString(), "A.bmp");

    list.AddItems({"B.bmp", "a.bmp"});
    EXPECT_EQ(list.List(0), L"A.bmp");
    EXPECT_EQ(list.List(1), L"a.bmp");
    EXPECT_EQ(list.List(2), L"B.bmp");
    EXPECT_EQ(list.List(3), L"b.bmp");

    list.Clear();
    EXPECT_EQ(list.ListCount(), 0);
    list.AddItems({"a.bmp", "b.bmp", "A.bmp", "B.bmp"});
    EXPECT_EQ(list.List(0), L"A.bmp");
    EXPECT_EQ(list.List(1), L"a.bmp");
}

TEST_F(Form1WindowTest, OnlyTheUsersSelectionRaisesTheListsHandler) {
    QtFileListBox& list = window.lstFic();
    int raised = 0;
    list.OnSelectionChanged([&] { ++raised; });
    list.AddItems({"x.bmp", "y.bmp"});
    EXPECT_EQ(raised, 0);
    list.selectionModel()->select(list.model()->index(1, 0), QItemSelectionModel::ClearAndSelect);
    EXPECT_EQ(raised, 1);
    EXPECT_EQ(list.ListIndex(), 1);
    list.Clear();
    list.AddItems({"z.bmp"});
    EXPECT_EQ(raised, 1);
    EXPECT_EQ(list.ListIndex(), -1);
}

TEST_F(Form1WindowTest, ThePreviewStretchesAnyBitmapOverTheWholeBox) {
    window.show();
    ScratchFolder folder;
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    picture.setPixel(1, 0, qRgb(0, 0, 255));
    const std::string name = folder / "pr\xe9view.bmp";  // not valid UTF-8
    ASSERT_TRUE(
        picture.save(QString::fromLatin1("%1/tmp.bmp").arg(folder.Folder().c_str()), "BMP"));
    std::rename((folder / "tmp.bmp").c_str(), name.c_str());

    window.image1().ShowPicture(posix::ReadBitmapFile(name, kOpaqueArgb32));
    const QImage shown = window.image1().grab().toImage();
    ASSERT_EQ(shown.size(), QSize(289, 217));
    EXPECT_EQ(QColor(shown.pixel(2, 2)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(shown.pixel(2, 214)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(shown.pixel(286, 2)), QColor(0, 0, 255));
    EXPECT_EQ(QColor(shown.pixel(286, 214)), QColor(0, 0, 255));

    window.image1().ShowPicture(posix::ReadBitmapFile(folder / "absent.bmp", kOpaqueArgb32));
    EXPECT_TRUE(window.image1().picture().isNull());
    ASSERT_EQ(::mkfifo((folder / "fifo.bmp").c_str(), 0600), 0);
    window.image1().ShowPicture(posix::ReadBitmapFile(folder / "fifo.bmp", kOpaqueArgb32));
    EXPECT_TRUE(window.image1().picture().isNull());
}

TEST_F(Form1WindowTest, TheProgressBarRepaintsOnlyWhenShownAndItsPixelsChange) {
    QtShapeBox& bar = window.shape1();
    window.show();
    QApplication::processEvents();
    PaintCounter counter(bar);

    bar.SetWidth(6040.0f);  // the 403 pixels it has
    bar.SetWidth(6045.0f);
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);

    bar.SetWidth(6135.0f);
    QApplication::processEvents();
    EXPECT_GE(counter.paints, 1);
    EXPECT_EQ(bar.drawnWidth(), 409);

    window.hide();
    counter.paints = 0;
    bar.SetWidth(0.0f);
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
    EXPECT_EQ(bar.drawnWidth(), 0);
}

TEST_F(Form1WindowTest, TheDriveListHoldsPathsByTheirDeepestVolume) {
    window.show();
    QtDriveListBox& drives = window.drive1();
    QComboBox& box = *drives.box();
    EXPECT_EQ(box.count(), 2);
    EXPECT_EQ(drives.Drive(), L"/");
    EXPECT_TRUE(drives.SetDrive(L"/home/lea/Images/"));
    EXPECT_EQ(drives.Drive(), L"/home/lea/");
    EXPECT_FALSE(drives.SetDrive(L"/home/lea/Other/"));

    int raised = 0;
    drives.OnChanged([&] { ++raised; });
    box.setCurrentIndex(0);
    EXPECT_EQ(raised, 0);
    emit box.activated(0);
    EXPECT_EQ(raised, 1);
    EXPECT_EQ(drives.Drive(), L"/");
}

TEST_F(Form1WindowTest, TheFolderListShowsAncestorsThenSortedSubfolders) {
    ScratchFolder folder;
    for (const char* name : {"b", "A", ".hidden", "c\xe9"}) {
        std::filesystem::create_directory(folder / name);
    }
    folder.Write("x.bmp");
    window.show();
    QtDirListBox& dirs = window.dir1();
    QTreeWidget& view = *dirs.view();
    std::vector<std::string> opened;
    dirs.OnOpened([&](const std::wstring& path) { opened.push_back(codePage.ToAnsi(path)); });
    const auto setPath = [&](const std::string& path) {
        std::optional<FolderTree> tree = dirs.Read(codePage.FromAnsi(path));
        return tree && dirs.Show(std::move(*tree));
    };

    ASSERT_TRUE(setPath(folder.Folder()));
    const std::string shown = folder.Folder().substr(0, folder.Folder().size() - 1);
    EXPECT_EQ(dirs.Path(), codePage.FromAnsi(shown));
    EXPECT_FALSE(setPath(shown));
    EXPECT_FALSE(setPath(folder / "absent"));
    EXPECT_FALSE(setPath(folder / "x.bmp"));
    EXPECT_FALSE(setPath(folder / "b/../"));

    QTreeWidgetItem* current = view.currentItem();
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->text(0).toStdString(), std::filesystem::path(shown).filename().string());
    ASSERT_EQ(current->childCount(), 3);
    EXPECT_EQ(current->child(0)->text(0), "A");
    EXPECT_EQ(current->child(1)->text(0), "b");
    EXPECT_EQ(view.topLevelItem(0)->text(0), "/");

    emit view.itemActivated(current->child(2), 0);
    emit view.itemActivated(view.topLevelItem(0), 0);
    EXPECT_EQ(opened, (std::vector<std::string>{folder / "c\xe9", "/"}));
    EXPECT_TRUE(setPath(folder / "./A//../b/"));
    EXPECT_EQ(codePage.ToAnsi(dirs.Path()), folder / "b");
}

}  // namespace
}  // namespace plimex::qt
