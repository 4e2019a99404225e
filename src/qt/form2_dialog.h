#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "platform/controls.h"
#include "qt/twips.h"

namespace plimex::qt {

// The About window, built from its layout table. Only "Fermer" and the
// title bar's close command close it; Enter and Escape do not.
class Form2Window : public QDialog {
  public:
    explicit Form2Window(const Twips& twips);

    QLabel& picture1() { return picture1_; }
    QLabel& picture2() { return picture2_; }
    QLabel& label1() { return label1_; }
    QLabel& label2() { return label2_; }
    QPushButton& command1() { return command1_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QLabel picture1_;
    QLabel picture2_;
    QLabel label1_;
    QLabel label2_;
    QPushButton command1_;
};

// Form2 exists only while it is open: each opening builds it afresh.
class QtForm2Dialog : public AboutWindow {
  public:
    explicit QtForm2Dialog(const Twips& twips) : twips_(twips) {}
    void ShowModal() override;

  private:
    const Twips& twips_;
};

}  // namespace plimex::qt
