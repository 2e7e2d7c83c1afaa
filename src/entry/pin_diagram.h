#pragma once

#include <QWidget>

#include <array>
#include <cstdint>

namespace entry {

// A frame picture Pct_flame(i): ten small pins as a triangle with pin 1 at
// the front (bottom) and pins 7..10 in the back row, on a back colour that
// tells whether the picture belongs to the ball being entered.
class Pin_diagram : public QWidget
{
    Q_OBJECT

public:
    explicit Pin_diagram(QWidget *parent = nullptr);

    // Colours are &HBBGGRR numbers.
    void set_back_colour(std::uint32_t bgr);
    void set_pin_colour(int pin, std::uint32_t bgr);
    std::uint32_t pin_colour(int pin) const { return pins_.at(static_cast<std::size_t>(pin)); }

    QSize sizeHint() const override { return {36, 34}; }

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    std::uint32_t back_ = 0xE0E0E0;
    std::array<std::uint32_t, 10> pins_{};
};

} // namespace entry
