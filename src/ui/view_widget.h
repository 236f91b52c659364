// Picture1: shows the view image the renderers paint, at the screen's device pixels.
#pragma once

#include <QWidget>

#include "ui/qimage_canvas.h"

namespace kestrune::ui {

class ViewWidget : public QWidget {
    Q_OBJECT
public:
    explicit ViewWidget(QWidget* parent);
    QImageCanvas& canvas() { return m_canvas; }
    // Matches the image to the widget's size in device pixels (black until drawn).
    void SyncCanvasSize();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImageCanvas m_canvas;
};

}  // namespace kestrune::ui
