#pragma once

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>
#include <map>
#include <string_view>
#include <vector>

#include "core/layout.h"
#include "qt/twips.h"

namespace plimex::qt {

// Puts a window's widgets where its layout table says, with the table's
// caption, inside the table's container, in the table's tab order.
class LayoutPlacer {
  public:
    LayoutPlacer(QWidget& window, const layout::Window& table, const Twips& twips);

    QRect Geometry(std::string_view name) const;
    void Place(QWidget& widget, std::string_view name);
    void Place(QAbstractButton& button, std::string_view name);
    void Place(QLabel& label, std::string_view name);
    void Place(QGroupBox& frame, std::string_view name);
    // Chains the placed widgets that take focus by their tab index.
    void ApplyTabOrder() const;

  private:
    QRect Geometry(const layout::Control& control) const;
    // Parents and places the widget; the control it was placed as.
    const layout::Control& PlaceWidget(QWidget& widget, std::string_view name);

    QWidget& window_;
    const layout::Window& table_;
    const Twips& twips_;
    std::map<std::string_view, QWidget*> placed_;
};

QString CaptionText(std::wstring_view caption);

}  // namespace plimex::qt
