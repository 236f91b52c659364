// Timings of the map of explored cells in the largest maze: the redraw after a step, and a
// whole repaint for comparison.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "game/game_state.h"
#include "navigation/explored.h"
#include "render/map_view.h"
#include "render/pixel_canvas.h"
#include "render_scenes.h"

namespace kestrune {
namespace {

// A 4D maze with every open cell stood on, so that every cell of the map is painted.
struct MapSetup {
    std::unique_ptr<GameState> state = std::make_unique<GameState>();
    ExploredCells explored;
    MapLayout layout = MapLayoutFor(4);
    BufferCanvas canvas{layout.width, layout.height, PixelFormat::Xrgb32};
    MapView view;

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
        view.Draw(*state, explored, canvas);
    }
};

// The redraw after a step onto a cell not met before (up to nine cells to paint, and the
// marks): the open cells of the maze in turn, the map started afresh, untimed, after the last.
void BM_MapAfterStep4D(benchmark::State& run) {
    MapSetup s;
    std::vector<Vec4> open;
    for (int w = kInteriorMin; w <= kInteriorMax; ++w)
        for (int z = kInteriorMin; z <= kInteriorMax; ++z)
            for (int y = kInteriorMin; y <= kInteriorMax; ++y)
                for (int x = kInteriorMin; x <= kInteriorMax; ++x)
                    if (s.state->MazeSpace[CellIndex(x, y, z, w)] == CellOpen)
                        open.push_back({x, y, z, w});
    size_t next = open.size();
    for (auto _ : run) {
        if (next == open.size()) {
            run.PauseTiming();
            s.explored.Clear(4);
            s.view.Draw(*s.state, s.explored, s.canvas);
            next = 0;
            run.ResumeTiming();
        }
        s.state->PlayerPos = open[next++];
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
