#pragma once

#include <QPixmap>
#include <QWidget>

#include "platform/controls.h"

namespace plimex::qt {

// Image1: the selected bitmap stretched to the box, proportions ignored.
class QtPreviewBox : public QWidget, public plimex::PreviewBox {
  public:
    bool ShowPicture(DecodedBitmap bitmap) override;
    const QPixmap& picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap picture_;
};

}  // namespace plimex::qt
