// The view surface of the game window: an RGB32 image the views paint into pixel by pixel.
#pragma once

#include <QImage>

#include "render/pixel_canvas.h"

namespace kestrune::ui {

// The shared pixel rasterizer (render/pixel_canvas.h) on a QImage.
class QImageCanvas final : public PixelCanvas {
public:
    QImageCanvas(int width, int height);

    // A new black image of the given size.
    void Resize(int width, int height);
    const QImage& image() const { return m_image; }

protected:
    uint32_t* Pixels() override;

private:
    QImage m_image;
};

}  // namespace kestrune::ui
