#include "ui/map_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "render/map_view.h"

namespace kestrune::ui {

MapWindow::MapWindow(QWidget* parent) : QWidget(parent, Qt::Tool), m_canvas(1, 1) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The keys belong to the game window: showing the map must not take them away.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    // The largest map's size until the first map is drawn, so the first placing fits it.
    const MapLayout largest = MapLayoutFor(4);
    Canvas(largest.width, largest.height);
}

QImageCanvas& MapWindow::Canvas(int width, int height) {
    if (width != m_canvas.Width() || height != m_canvas.Height()) {
        m_canvas.Resize(width, height);
        setFixedSize(width, height);
    }
    return m_canvas;
}

void MapWindow::Place(bool shown) {
    if (!shown) {
        hide();
        return;
    }
    if (!m_placed && parentWidget()) {
        // To the right of the game window, or to its left when the screen ends there.
        const QRect game = parentWidget()->frameGeometry();
        const QScreen* screen = parentWidget()->screen();
        const QRect room = screen ? screen->availableGeometry() : QRect();
        int x = game.right() + 8;
        if (screen && x + width() > room.right())
            x = std::max(room.left(), game.left() - width() - 8);
        move(x, game.top());
        m_placed = true;
    }
    show();
}

void MapWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_canvas.image());
}

void MapWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (event->spontaneous()) emit closedByPlayer();
}

}  // namespace kestrune::ui
