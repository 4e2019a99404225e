#pragma once

#include <QColor>
#include <QWidget>

#include "platform/controls.h"
#include "qt/twips.h"

namespace plimex::qt {

// Shape1 and Shape2: a rectangle drawn over the window. The widget spans the
// widest the rectangle may become; only the drawn width changes.
class QtShapeBox : public QWidget, public Shape {
  public:
    enum class Style { Outline, Filled };

    QtShapeBox(const Twips& twips, Style style, QColor fill = {});

    // Repaints only a visible shape, and only when its width in pixels changed.
    void SetWidth(float twips) override;
    void SetShapeGeometry(const QRect& shape, int widest);
    int drawnWidth() const { return drawnWidth_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const Twips& twips_;
    Style style_;
    QColor fill_;
    int drawnWidth_ = 0;
    // A width the program set before the shape was placed outlasts the placing.
    bool widthSet_ = false;
};

}  // namespace plimex::qt
