// The figures of the browser build: the smooth view's worst case (the empty 4D box seen from
// its centre) computed, painted and put on the page's canvas, as one game picture is.
#include <emscripten.h>

#include <memory>

#include "game/game_state.h"
#include "game/maze.h"
#include "render/pixel_canvas.h"
#include "render/smooth_view.h"
#include "render/view_state.h"
#include "web/bridge.h"

namespace {
struct Bench {
    std::unique_ptr<kestrune::GameState> state = std::make_unique<kestrune::GameState>();
    kestrune::ViewState view{};
    kestrune::BufferCanvas canvas{1, 1, kestrune::PixelFormat::Rgba8};
};
Bench& TheBench() {
    static Bench bench;
    return bench;
}
}  // namespace

extern "C" {

// The empty four-dimensional box, green, the eye at its centre facing +x, on a view of
// width x height pixels.
EMSCRIPTEN_KEEPALIVE void kestrune_bench_setup(int width, int height) {
    using namespace kestrune;
    Bench& b = TheBench();
    FillTowerBorder(*b.state);
    b.state->WallColour = {0, 255, 0};
    b.state->PlayerPos = {10, 10, 10, 10};
    b.state->Orientation = kIdentity;
    b.canvas.Resize(width, height);
    FillAngleTables(b.view);
    SetSmoothMatrix(b.view, b.state->Orientation);
    SetViewGeometry(b.view, width, height);
}

// One picture: the rays, the blocks, and the transfer to the page's canvas.
EMSCRIPTEN_KEEPALIVE void kestrune_bench_draw() {
    Bench& b = TheBench();
    b.canvas.Clear();
    kestrune::DrawSmooth(*b.state, b.view, b.canvas);
    js_put_view(b.canvas.Data(), b.canvas.Width(), b.canvas.Height());
}

}  // extern "C"
