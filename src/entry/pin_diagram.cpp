#include "entry/pin_diagram.h"

#include "platform/window_placement.h"

#include <QMouseEvent>
#include <QPainter>

namespace entry {

namespace {

// Row (0 = back row) and position in half steps of each pin 1..10.
constexpr std::array<std::pair<int, int>, 10> pin_places = {{
    {3, 3},                          // 1
    {2, 2}, {2, 4},                  // 2, 3
    {1, 1}, {1, 3}, {1, 5},          // 4, 5, 6
    {0, 0}, {0, 2}, {0, 4}, {0, 6},  // 7, 8, 9, 10
}};

} // namespace

Pin_diagram::Pin_diagram(QWidget *parent) : QWidget(parent)
{
    pins_.fill(0xE0E0E0);
    setCursor(Qt::PointingHandCursor);
}

void Pin_diagram::set_back_colour(std::uint32_t bgr)
{
    if (back_ != bgr) {
        back_ = bgr;
        update();
    }
}

void Pin_diagram::set_pin_colour(int pin, std::uint32_t bgr)
{
    auto &c = pins_.at(static_cast<std::size_t>(pin));
    if (c != bgr) {
        c = bgr;
        update();
    }
}

void Pin_diagram::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), platform::bgrToColor(int(back_)));
    p.setPen(isEnabled() ? QColor(90, 90, 90) : QColor(170, 170, 170));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    // Half a pin spacing across, rows a little closer than two half steps.
    const double d = std::min(width() / 8.0, height() / 6.6);
    const double size = 1.5 * d;
    const double row_step = 1.6 * d;
    const double x0 = (width() - 7.5 * d) / 2.0;
    const double y0 = (height() - (3 * row_step + size)) / 2.0;
    for (std::size_t n = 0; n < pins_.size(); ++n) {
        const auto [row, half] = pin_places[n];
        p.setBrush(platform::bgrToColor(int(pins_[n])));
        p.drawEllipse(QRectF(x0 + half * d, y0 + row * row_step, size, size));
    }
}

void Pin_diagram::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

} // namespace entry
