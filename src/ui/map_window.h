// The map window: a tool window beside the game window showing the pixels the core's map
// view paints.
#pragma once

#include <QWidget>

#include "ui/qimage_canvas.h"

class QScrollArea;

namespace kestrune::ui {

class MapWindow : public QWidget {
    Q_OBJECT
public:
    explicit MapWindow(QWidget* parent);

    // The surface at the size the map needs; the window takes that size, or as much of it
    // as the screen has room for, with scroll bars for the rest.
    QImageCanvas& Canvas(int width, int height);
    // Shows the window beside its game window, or hides it.
    void Place(bool shown);
    // Shows what was drawn at once.
    void Refresh();

signals:
    // The player closed the window with its close box.
    void closedByPlayer();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FitToScreen();

    QImageCanvas m_canvas;
    QScrollArea* m_scroll = nullptr;
    QWidget* m_picture = nullptr;
    bool m_placed = false;  // put beside the game window once; then where the player moves it
};

}  // namespace kestrune::ui
