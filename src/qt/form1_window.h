#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

#include "core/form1.h"
#include "core/form1_events.h"
#include "core/shown_caption.h"
#include "platform/controls.h"
#include "posix/posix_folders.h"
#include "qt/dir_list_box.h"
#include "qt/drive_list_box.h"
#include "qt/file_list_box.h"
#include "qt/interval_timer.h"
#include "qt/option_button.h"
#include "qt/popup_menu.h"
#include "qt/preview_box.h"
#include "qt/shape_box.h"
#include "qt/twips.h"

namespace plimex::qt {

// The main window, built from the layout table. Every user action on it
// reaches one handler of the program, until the program unloads it.
class QtForm1Window : public QWidget, public MainWindow {
  public:
    // diagnostics: told of an event that reaches no handler.
    QtForm1Window(const AnsiCodePage& codePage, Twips& twips, Diagnostics& diagnostics,
                  const std::vector<std::string>& volumes);

    Form1Controls Controls(AboutWindow& form2);
    void Connect(Form1& form);
    // What a click on the tray icon asks for.
    void RaiseTrayRequest(TrayIntent intent);
    // Unloads the program's window unless it is gone already.
    void RequestUnload();
    // Without a notification area a hidden window could never come back:
    // hiding then minimizes it instead, and the window manager is told that
    // the window may be minimized (GNOME refuses otherwise).
    void SetReachableFromTray(bool reachable);

    void Show() override;
    void Hide() override;
    MenuItem PopupMenu() override;
    void Unload() override;
    // The folder and drive lists are made, the controls placed, their fonts
    // and the window's icon loaded and the window centred the first time it
    // shows, however it is shown.
    void setVisible(bool visible) override;

    // The widgets, for the program's tests.
    QtDriveListBox& drive1() { return drive1_; }
    QtDirListBox& dir1() { return dir1_; }
    QtFileListBox& lstFic() { return lstFic_; }
    QPushButton& cmdSel() { return cmdSel_; }
    QLabel& lblPap() { return lblPap_; }
    QGroupBox& fraInt() { return fraInt_; }
    QPushButton& command1() { return command1_; }
    QPushButton& command2() { return command2_; }
    QPushButton& command4() { return command4_; }
    QRadioButton& option(int number);
    QLabel& label1() { return label1_; }
    QtPreviewBox& image1() { return image1_; }
    QtShapeBox& shape1() { return shape1_; }
    QtShapeBox& shape2() { return shape2_; }
    QtIntervalTimer& tmr() { return tmr_; }
    QMenu& menu() { return menu_.menu(); }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void Raise(std::string_view control, ControlEvent event);
    void PlaceControls();
    void SetOptionTabStops();
    void CentreOnScreen();

    Twips& twips_;
    Diagnostics& diagnostics_;
    // The program, from Connect until it unloads the window.
    Form1* form_ = nullptr;
    bool placed_ = false;
    bool hideMinimizes_ = false;

    posix::PosixFolders folders_;
    // Containers come before their contents: members are destroyed in reverse.
    QtDriveListBox drive1_;
    QtDirListBox dir1_;
    QtFileListBox lstFic_;
    QPushButton cmdSel_;
    QLabel lblPap_;
    QGroupBox fraInt_;
    QPushButton command1_;
    QPushButton command2_;
    QPushButton command4_;
    QRadioButton option1_;
    QRadioButton option2_;
    QRadioButton option3_;
    QRadioButton option4_;
    QRadioButton option5_;
    QLabel label1_;
    QtPreviewBox image1_;
    QtShapeBox shape2_;
    QtShapeBox shape1_;

    QtIntervalTimer tmr_;
    qt::PopupMenu menu_;

    ShownCaption lblPapCaption_;
    ShownCaption command1Caption_;
    QtOptionButton optionButtons_[5];
};

}  // namespace plimex::qt
