#include "qt/form2_dialog.h"

#include <QKeyEvent>

#include "core/layout.h"
#include "qt/layout_placer.h"
#include "qt/pictures.h"

namespace plimex::qt {
namespace {

constexpr int kTitlePointSize = 12;

void ShowPicture(QLabel& box, const QString& path) {
    box.setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box.setLineWidth(2);
    box.setAlignment(Qt::AlignCenter);
    box.setPixmap(QPixmap(path));
    box.setFocusPolicy(Qt::StrongFocus);
}

void ShowTitle(QLabel& label) {
    QFont font(QStringLiteral("Arial"), kTitlePointSize);
    font.setBold(true);
    label.setFont(font);
    label.setAlignment(Qt::AlignCenter);
}

}  // namespace

Form2Window::Form2Window(const Twips& twips) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(IconFromIconFile(pictures::kAppIcon));
    LayoutPlacer placer(*this, layout::AboutWindow(), twips);
    placer.Place(picture1_, "Picture1");
    placer.Place(picture2_, "Picture2");
    placer.Place(label1_, "Label1");
    placer.Place(label2_, "Label2");
    placer.Place(command1_, "Command1");
    placer.ApplyTabOrder();

    ShowPicture(picture1_, pictures::kAbout1);
    ShowPicture(picture2_, pictures::kAbout2);
    ShowTitle(label1_);
    ShowTitle(label2_);
    command1_.setAutoDefault(false);
    command1_.setDefault(false);
    connect(&command1_, &QPushButton::clicked, this, &QDialog::accept);
    picture1_.setFocus();
}

void Form2Window::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

void QtForm2Dialog::ShowModal() {
    Form2Window form2(twips_);
    form2.exec();
}

}  // namespace plimex::qt
