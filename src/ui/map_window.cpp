#include "ui/map_window.h"

#include <QCloseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "render/map_view.h"

namespace kestrune::ui {

namespace {
// The map's pixels, one to one.
class MapPicture final : public QWidget {
public:
    MapPicture(const QImage& image, QWidget* parent) : QWidget(parent), m_image(image) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(QPoint(0, 0), m_image);
    }

private:
    const QImage& m_image;
};
}  // namespace

MapWindow::MapWindow(QWidget* parent) : QWidget(parent, Qt::Tool), m_canvas(1, 1) {
    // The keys belong to the game window: showing the map must not take them away.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->setWidgetResizable(false);
    m_picture = new MapPicture(m_canvas.image(), m_scroll);
    m_scroll->setWidget(m_picture);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll);
    // The largest map's size until the first map is drawn, so the first placing fits it.
    const MapLayout largest = MapLayoutFor(4);
    Canvas(largest.width, largest.height);
}

QImageCanvas& MapWindow::Canvas(int width, int height) {
    if (width != m_canvas.Width() || height != m_canvas.Height()) {
        m_canvas.Resize(width, height);
        m_picture->setFixedSize(width, height);
        FitToScreen();
    }
    return m_canvas;
}

void MapWindow::FitToScreen() {
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen();
    QSize size(m_canvas.Width(), m_canvas.Height());
    if (screen) {
        // Room for the window's frame and caption too.
        const QSize room = screen->availableGeometry().size() - QSize(16, 48);
        const int bar = m_scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        const bool tall = size.height() > room.height(), wide = size.width() > room.width();
        size = size.boundedTo(room);
        if (tall) size.rwidth() = std::min(size.width() + bar, room.width());
        if (wide) size.rheight() = std::min(size.height() + bar, room.height());
    }
    resize(size);
}

void MapWindow::Place(bool shown) {
    if (!shown) {
        hide();
        return;
    }
    if (!m_placed && parentWidget()) {
        // To the right of the game window; on a screen too narrow for both, against the
        // screen's right edge, covering as little of the game as it can.
        const QRect game = parentWidget()->frameGeometry();
        const QScreen* screen = parentWidget()->screen();
        const QRect room = screen ? screen->availableGeometry() : QRect();
        int x = game.right() + 8;
        if (screen && x + width() > room.right()) x = std::max(room.left(), room.right() - width());
        move(x, game.top());
        m_placed = true;
    }
    show();
}

void MapWindow::Refresh() {
    if (isVisible()) m_picture->repaint();
}

void MapWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (event->spontaneous()) emit closedByPlayer();
}

}  // namespace kestrune::ui
