#pragma once
#include <QTimer>
#include <QWidget>

namespace etb {

// A small busy indicator: a ring of dots (the login pages' Bekle) or a row of dots (the
// splash). It draws and ticks only while running.
class ActivityIndicator : public QWidget {
    Q_OBJECT
public:
    enum class Shape { Ring, Row };
    explicit ActivityIndicator(Shape shape, QWidget* parent = nullptr);

    void start();
    void stop();
    bool isRunning() const { return timer_.isActive(); }
    // One step of the animation (the timer's tick).
    void advance();
    int step() const { return step_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Shape shape_;
    QTimer timer_;
    int step_ = 0;
};

} // namespace etb
