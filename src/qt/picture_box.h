// A picture box: a one-pixel sunken frame with a drawing shown unscaled from the top
// left of its inner area.
#pragma once

#include <QFrame>
#include <QIcon>
#include <QSize>

namespace kneebrace {

class PictureBox : public QFrame {
public:
    // `drawing` is rendered at `size` device-independent pixels; from vector artwork it
    // is rendered at the screen's pixel ratio, so it stays sharp on high-DPI screens.
    PictureBox(const QIcon& drawing, QSize size, QWidget* parent = nullptr);

    const QIcon& drawing() const { return drawing_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QIcon drawing_;
    QSize size_;
};

}  // namespace kneebrace
