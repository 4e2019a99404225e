#include "qt/layout_placer.h"

#include <algorithm>
#include <string>

namespace plimex::qt {
namespace {

// The tables were drawn for 8-point captions: a larger default font would cut
// "15 minutes" and "En cours : " off at the controls' fixed widths.
constexpr qreal kLayoutPointSize = 8;

}  // namespace

QString CaptionText(std::wstring_view caption) {
    return QString::fromStdWString(std::wstring(caption));
}

LayoutPlacer::LayoutPlacer(QWidget& window, const layout::Window& table, const Twips& twips)
    : window_(window), table_(table), twips_(twips) {
    window_.setWindowTitle(CaptionText(table.caption));
    QFont font = window_.font();
    if (font.pointSizeF() > kLayoutPointSize) {
        font.setPointSizeF(kLayoutPointSize);
        window_.setFont(font);
    }
    window_.setFixedSize(twips_.ToPixels(table.clientWidth), twips_.ToPixels(table.clientHeight));
}

QRect LayoutPlacer::Geometry(const layout::Control& control) const {
    return twips_.ToPixels(control.left, control.top, control.width, control.height);
}

QRect LayoutPlacer::Geometry(std::string_view name) const {
    return Geometry(layout::Get(table_, name));
}

const layout::Control& LayoutPlacer::PlaceWidget(QWidget& widget, std::string_view name) {
    const layout::Control& control = layout::Get(table_, name);
    QWidget* parent = &window_;
    if (!control.container.empty()) {
        parent = placed_.at(control.container);
    }
    widget.setParent(parent);
    widget.setGeometry(Geometry(control));
    placed_[control.name] = &widget;
    return control;
}

void LayoutPlacer::Place(QWidget& widget, std::string_view name) {
    PlaceWidget(widget, name);
}

void LayoutPlacer::Place(QAbstractButton& button, std::string_view name) {
    button.setText(CaptionText(PlaceWidget(button, name).caption));
}

void LayoutPlacer::Place(QLabel& label, std::string_view name) {
    const layout::Control& control = PlaceWidget(label, name);
    label.setTextFormat(Qt::PlainText);
    label.setText(CaptionText(control.caption));
}

void LayoutPlacer::Place(QGroupBox& frame, std::string_view name) {
    frame.setTitle(CaptionText(PlaceWidget(frame, name).caption));
}

void LayoutPlacer::ApplyTabOrder() const {
    std::vector<std::pair<int, QWidget*>> order;
    for (const auto& [name, widget] : placed_) {
        const int tabIndex = layout::Get(table_, name).tabIndex;
        if (tabIndex >= 0 && widget->focusPolicy() != Qt::NoFocus) {
            order.emplace_back(tabIndex, widget);
        }
    }
    std::sort(order.begin(), order.end());
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1].second, order[i].second);
    }
}

}  // namespace plimex::qt
