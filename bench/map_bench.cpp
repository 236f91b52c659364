// Timings of the map of explored cells in the largest maze: the redraw after a step, and a
// whole repaint for comparison.
#include <benchmark/benchmark.h>

#include <memory>

#include "game/game_state.h"
#include "navigation/explored.h"
#include "render/map_view.h"
#include "render/pixel_canvas.h"
#include "render_scenes.h"

namespace kestrune {
namespace {

// A 4D maze with every open cell stood on, so that every cell of the map is painted, the
// player on an open cell with an open cell ahead.
struct MapSetup {
    std::unique_ptr<GameState> state = std::make_unique<GameState>();
    ExploredCells explored;
    MapLayout layout = MapLayoutFor(4);
    BufferCanvas canvas{layout.width, layout.height, PixelFormat::Xrgb32};
    MapView view;
    Vec4 a{}, b{};

    MapSetup() {
        test::MakeTestMaze(*state, 4);
        state->DimIndex = 3;
        explored.Clear(4);
        for (int w = kInteriorMin; w <= kInteriorMax; ++w)
            for (int z = kInteriorMin; z <= kInteriorMax; ++z)
                for (int y = kInteriorMin; y <= kInteriorMax; ++y)
                    for (int x = kInteriorMin; x <= kInteriorMax; ++x)
                        if (state->MazeSpace[CellIndex(x, y, z, w)] == CellOpen) {
                            state->PlayerPos = {x, y, z, w};
                            explored.Visit(*state);
                        }
        test::FaceOpenCorridor(*state);
        a = state->PlayerPos;
        b = a;
        for (int k = 0; k < 4; ++k) b[k] += state->Orientation[k][0];
        view.Draw(*state, explored, canvas);
    }
};

// A step back and forth: what the game does after each step or turn with the map shown.
void BM_MapAfterStep4D(benchmark::State& run) {
    MapSetup s;
    bool there = false;
    for (auto _ : run) {
        there = !there;
        s.state->PlayerPos = there ? s.b : s.a;
        s.explored.Visit(*s.state);
        s.view.Draw(*s.state, s.explored, s.canvas);
        benchmark::DoNotOptimize(s.canvas.Data());
    }
}
BENCHMARK(BM_MapAfterStep4D)->Unit(benchmark::kMicrosecond);

// Every pixel again: when the map is turned on or a new maze is built.
void BM_MapWhole4D(benchmark::State& run) {
    MapSetup s;
    for (auto _ : run) {
        s.view.Invalidate();
        s.view.Draw(*s.state, s.explored, s.canvas);
        benchmark::DoNotOptimize(s.canvas.Data());
    }
}
BENCHMARK(BM_MapWhole4D)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kestrune
