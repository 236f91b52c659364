#include "ui/view_widget.h"

#include <QPainter>
#include <cmath>

namespace kestrune::ui {

ViewWidget::ViewWidget(QWidget* parent) : QWidget(parent), m_canvas(1, 1) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
}

void ViewWidget::SyncCanvasSize() {
    const qreal dpr = devicePixelRatioF();
    const int w = std::max(1, static_cast<int>(std::lround(width() * dpr)));
    const int h = std::max(1, static_cast<int>(std::lround(height() * dpr)));
    if (w != m_canvas.Width() || h != m_canvas.Height()) m_canvas.Resize(w, h);
}

void ViewWidget::paintEvent(QPaintEvent*) {
    // The image has the widget's device pixels, so this is a straight copy.
    QPainter painter(this);
    painter.drawImage(QRectF(0, 0, width(), height()), m_canvas.image());
}

}  // namespace kestrune::ui
