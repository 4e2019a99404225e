#include "qt/form1_window.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include "core/layout.h"
#include "qt/layout_placer.h"
#include "qt/pictures.h"

namespace plimex::qt {
namespace {

QColor FromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

QColor ColourOf(std::string_view name) {
    return FromBgr(layout::Get(layout::MainWindow(), name).colourBgr);
}

}  // namespace

QtForm1Window::QtForm1Window(const AnsiCodePage& codePage, Twips& twips, Diagnostics& diagnostics,
                             const std::vector<std::string>& volumes)
    : twips_(twips),
      diagnostics_(diagnostics),
      folders_(codePage),
      drive1_(folders_, codePage, volumes),
      dir1_(folders_),
      lstFic_(codePage),
      shape2_(twips, QtShapeBox::Style::Outline),
      shape1_(twips, QtShapeBox::Style::Filled, ColourOf("Shape1")),
      tmr_(layout::kTimerIntervalMs),
      lblPapCaption_(L"", [this](const std::wstring& text) { lblPap_.setText(CaptionText(text)); }),
      command1Caption_(std::wstring(layout::Get(layout::MainWindow(), "Command1").caption),
                       [this](const std::wstring& text) { command1_.setText(CaptionText(text)); }),
      optionButtons_{QtOptionButton(option1_), QtOptionButton(option2_), QtOptionButton(option3_),
                     QtOptionButton(option4_), QtOptionButton(option5_)} {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    // Each control in its container, so that the options exclude each other
    // and every caption set before the window is placed shows once it is.
    for (QWidget* control : std::initializer_list<QWidget*>{
             &lstFic_, &cmdSel_, &lblPap_, &fraInt_, &command1_, &command2_, &command4_, &label1_,
             &image1_, &shape2_, &shape1_}) {
        control->setParent(this);
    }
    for (int number = 1; number <= 5; ++number) {
        option(number).setParent(&fraInt_);
    }

    for (int number = 1; number <= 5; ++number) {
        connect(&option(number), &QRadioButton::toggled, this, [this] { SetOptionTabStops(); });
    }
}

Form1Controls QtForm1Window::Controls(AboutWindow& form2) {
    return Form1Controls{
        drive1_,
        dir1_,
        lstFic_,
        lblPapCaption_,
        tmr_,
        optionButtons_[0],
        optionButtons_[1],
        optionButtons_[2],
        optionButtons_[3],
        optionButtons_[4],
        command1Caption_,
        menu_.activerCaption(),
        shape1_,
        image1_,
        *this,
        form2,
    };
}

void QtForm1Window::Connect(Form1& form) {
    form_ = &form;
    drive1_.OnChanged([this] { Raise("Drive1", ControlEvent::Change); });
    dir1_.OnOpened([this](const std::wstring& path) {
        if (form_ != nullptr) form_->Dir1_Open(path);
    });
    lstFic_.OnSelectionChanged([this] { Raise("LstFic", ControlEvent::Click); });
    lstFic_.OnDoubleClicked([this] { Raise("LstFic", ControlEvent::DblClick); });
    const std::pair<std::string_view, QAbstractButton*> buttons[] = {
        {"CmdSel", &cmdSel_},     {"Command1", &command1_}, {"Command2", &command2_},
        {"Command4", &command4_}, {"Option1", &option1_},   {"Option2", &option2_},
        {"Option3", &option3_},   {"Option4", &option4_},   {"Option5", &option5_}};
    for (const auto& [name, button] : buttons) {
        connect(button, &QAbstractButton::clicked, this,
                [this, name] { Raise(name, ControlEvent::Click); });
    }
    connect(&tmr_.timer(), &QTimer::timeout, this, [this] { Raise("Tmr", ControlEvent::Timer); });
    menu_.OnPickedElsewhere([this](MenuItem item) {
        if (form_ != nullptr) form_->Menu_Click(item);
    });
}

void QtForm1Window::Raise(std::string_view control, ControlEvent event) {
    if (form_ != nullptr && !RaiseEvent(*form_, control, event)) {
        diagnostics_.ReportFailure("Form1Window", control, "the event reaches no handler");
    }
}

void QtForm1Window::RequestUnload() {
    if (form_ != nullptr) {
        form_->Unload();
    }
}

void QtForm1Window::RaiseTrayRequest(TrayIntent intent) {
    if (form_ != nullptr) {
        form_->TrayRequest(intent);
    }
}

QRadioButton& QtForm1Window::option(int number) {
    QRadioButton* buttons[] = {&option1_, &option2_, &option3_, &option4_, &option5_};
    return *buttons[number - 1];
}

// Tab enters the interval group at its selected button, and the arrow keys
// move within the group, as with the frame's option buttons on Windows.
void QtForm1Window::SetOptionTabStops() {
    bool anySelected = false;
    for (int number = 1; number <= 5; ++number) {
        anySelected = anySelected || option(number).isChecked();
    }
    for (int number = 1; number <= 5; ++number) {
        QRadioButton& button = option(number);
        const bool tabStop = !anySelected || button.isChecked();
        button.setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void QtForm1Window::CentreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void QtForm1Window::PlaceControls() {
    LayoutPlacer placer(*this, layout::MainWindow(), twips_);
    placer.Place(drive1_.Build(*this), "Drive1");
    placer.Place(dir1_.Build(*this), "Dir1");
    placer.Place(lstFic_, "LstFic");
    placer.Place(cmdSel_, "CmdSel");
    placer.Place(lblPap_, "LblPap");
    placer.Place(fraInt_, "FraInt");
    placer.Place(command1_, "Command1");
    placer.Place(command2_, "Command2");
    placer.Place(command4_, "Command4");
    placer.Place(option1_, "Option1");
    placer.Place(option2_, "Option2");
    placer.Place(option3_, "Option3");
    placer.Place(option4_, "Option4");
    placer.Place(option5_, "Option5");
    placer.Place(label1_, "Label1");
    placer.Place(image1_, "Image1");
    placer.Place(shape2_, "Shape2");
    placer.Place(shape1_, "Shape1");
    placer.ApplyTabOrder();

    const QRect bar = placer.Geometry("Shape1");
    shape2_.SetShapeGeometry(placer.Geometry("Shape2"), 0);
    shape1_.SetShapeGeometry(bar, width() - bar.x());
    // The captions the program wrote while the window was unplaced.
    lblPapCaption_.SetCaption(lblPapCaption_.Caption());
    command1Caption_.SetCaption(command1Caption_.Caption());
}

// Placing the controls lays them out and measures their texts, which loads
// the fonts: a program that only ever waits in the tray never does it.
void QtForm1Window::setVisible(bool visible) {
    if (visible && !placed_) {
        placed_ = true;
        setWindowIcon(IconFromIconFile(pictures::kAppIcon));
        PlaceControls();
        CentreOnScreen();
    }
    QWidget::setVisible(visible);
}

void QtForm1Window::Show() {
    showNormal();
    raise();
    activateWindow();
}

void QtForm1Window::SetReachableFromTray(bool reachable) {
    hideMinimizes_ = !reachable;
    const Qt::WindowFlags flags = windowFlags().setFlag(Qt::WindowMinimizeButtonHint, !reachable);
    // Not setWindowFlags, which would hide a shown window.
    overrideWindowFlags(flags);
    if (windowHandle() != nullptr) {
        windowHandle()->setFlags(flags);
    }
}

void QtForm1Window::Hide() {
    if (!hideMinimizes_) {
        hide();
    } else if (isVisible()) {
        showMinimized();
    }
}

MenuItem QtForm1Window::PopupMenu() {
    return menu_.Exec(QCursor::pos());
}

void QtForm1Window::Unload() {
    form_ = nullptr;
    tmr_.SetEnabled(false);
    hide();
    QCoreApplication::quit();
}

void QtForm1Window::closeEvent(QCloseEvent* event) {
    // Closing the window quits, through the same unload as Quitter.
    event->ignore();
    if (form_ == nullptr) {
        // No program (yet, or any more) to run the unload: just hide.
        hide();
    }
    RequestUnload();
}

}  // namespace plimex::qt
