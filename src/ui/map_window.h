// The map window: a tool window beside the game window showing the pixels the core's map
// view paints.
#pragma once

#include <QWidget>

#include "ui/qimage_canvas.h"

namespace kestrune::ui {

class MapWindow : public QWidget {
    Q_OBJECT
public:
    explicit MapWindow(QWidget* parent);

    // The surface at the size the map needs; the window takes that size.
    QImageCanvas& Canvas(int width, int height);
    // Shows the window beside its game window, or hides it.
    void Place(bool shown);

signals:
    // The player closed the window with its close box.
    void closedByPlayer();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QImageCanvas m_canvas;
    bool m_placed = false;  // put beside the game window once; then where the player moves it
};

}  // namespace kestrune::ui
