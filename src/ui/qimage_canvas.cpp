#include "ui/qimage_canvas.h"

#include <algorithm>

namespace kestrune::ui {

QImageCanvas::QImageCanvas(int width, int height) : PixelCanvas(PixelFormat::Xrgb32) {
    Resize(width, height);
}

void QImageCanvas::Resize(int width, int height) {
    m_image = QImage(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    m_image.fill(0xff000000u);
    Attach(reinterpret_cast<uint32_t*>(m_image.bits()), m_image.width(), m_image.height(),
           static_cast<int>(m_image.bytesPerLine() / 4));
}

uint32_t* QImageCanvas::Pixels() {
    // A copy handed out earlier shares the pixels: detach first, so the copy never changes
    // under its holder.
    if (!m_image.isDetached()) Rebind(reinterpret_cast<uint32_t*>(m_image.bits()));
    return PixelCanvas::Pixels();
}

}  // namespace kestrune::ui
