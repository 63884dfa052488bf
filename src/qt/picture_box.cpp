#include "qt/picture_box.h"

#include <QPainter>

namespace kneebrace {

PictureBox::PictureBox(const QIcon& drawing, QSize size, QWidget* parent)
    : QFrame(parent), drawing_(drawing), size_(size) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inner = contentsRect();
    painter.setClipRect(inner);
    drawing_.paint(&painter, QRect(inner.topLeft(), size_), Qt::AlignLeft | Qt::AlignTop);
}

}  // namespace kneebrace
