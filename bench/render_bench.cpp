// Timings of the two maze views, painting included, on the game window's surface.
#include <benchmark/benchmark.h>

#include <memory>

#include "forms/layouts.h"
#include "game/game_state.h"
#include "render/plain_view.h"
#include "render/smooth_view.h"
#include "render/view_state.h"
#include "render_scenes.h"
#include "smooth_reference.h"
#include "ui/qimage_canvas.h"

namespace kestrune {
namespace {

enum class Scene { BoxStart, BoxCentre, Maze };

struct Setup {
    std::unique_ptr<GameState> state = std::make_unique<GameState>();
    ViewState view;
    ui::QImageCanvas canvas;

    Setup(Scene scene, int width, int height) : canvas(width, height) {
        switch (scene) {
            case Scene::BoxStart:
                test::MakeEmptyBox(*state, {4, 4, 4, 4});
                break;
            case Scene::BoxCentre:
                test::MakeEmptyBox(*state, {10, 10, 10, 10});
                break;
            case Scene::Maze:
                test::MakeTestMaze(*state, 4);
                test::FaceOpenCorridor(*state);
                break;
        }
        FillAngleTables(view);
        SetViewGeometry(view, width, height);
        SetSmoothMatrix(view, state->Orientation);
    }
};

void DrawSmoothFast(benchmark::State& run, Scene scene, int width, int height) {
    Setup s(scene, width, height);
    for (auto _ : run) {
        DrawSmooth(*s.state, s.view, s.canvas);
        benchmark::DoNotOptimize(s.canvas.image().constBits());
    }
}

// The plain transcription of the walk, painted the same way: the figure to beat.
void DrawSmoothPlain(benchmark::State& run, Scene scene, int width, int height) {
    Setup s(scene, width, height);
    SmoothPicture picture;
    for (auto _ : run) {
        test::ReferenceSmoothPicture(*s.state, s.view, picture);
        PaintSmoothPicture(picture, s.view, s.canvas);
        benchmark::DoNotOptimize(s.canvas.image().constBits());
    }
}

void SmoothColoursOnly(benchmark::State& run, Scene scene, SmoothKernel kernel) {
    Setup s(scene, 445, 441);
    SmoothPicture picture;
    for (auto _ : run) {
        ComputeSmoothPicture(*s.state, s.view, picture, kernel);
        benchmark::DoNotOptimize(picture.data());
    }
}

void PaintOnly(benchmark::State& run, int width, int height) {
    Setup s(Scene::BoxCentre, width, height);
    SmoothPicture picture;
    ComputeSmoothPicture(*s.state, s.view, picture);
    for (auto _ : run) {
        PaintSmoothPicture(picture, s.view, s.canvas);
        benchmark::DoNotOptimize(s.canvas.image().constBits());
    }
}

void PlainView(benchmark::State& run, Scene scene) {
    Setup s(scene, 445, 441);
    for (auto _ : run) {
        DrawPlainView(*s.state, s.canvas);
        benchmark::DoNotOptimize(s.canvas.image().constBits());
    }
}

// A closed room around the player: every layer full of faces, the most painting there is.
void PlainViewWalledIn(benchmark::State& run) {
    Setup s(Scene::BoxCentre, 445, 441);
    test::FillSpace(*s.state, CellWall);
    for (int x = 9; x <= 11; ++x)
        for (int y = 9; y <= 11; ++y) test::SetCell(*s.state, {x, y, 10, 10}, CellOpen);
    for (int x = 10; x <= 13; ++x) test::SetCell(*s.state, {x, 10, 10, 10}, CellOpen);
    for (auto _ : run) {
        DrawPlainView(*s.state, s.canvas);
        benchmark::DoNotOptimize(s.canvas.image().constBits());
    }
}

// The view as the fit layout sizes it in a 3840 x 2160 window under a 23 pixel menu bar.
void DrawSmoothFit4K(benchmark::State& run, Scene scene) {
    forms::LayoutInput in;
    in.kind = LayoutKind::Fit;
    in.width = 3840;
    in.height = 2160 - 23;
    const forms::GameLayout l = forms::ComputeGameLayout(in);
    run.counters["width"] = l.viewPixelWidth;
    run.counters["height"] = l.viewPixelHeight;
    DrawSmoothFast(run, scene, l.viewPixelWidth, l.viewPixelHeight);
}

BENCHMARK_CAPTURE(DrawSmoothFit4K, box_centre, Scene::BoxCentre)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DrawSmoothFit4K, maze, Scene::Maze)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DrawSmoothFast, box_centre_445x441, Scene::BoxCentre, 445, 441)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(DrawSmoothFast, box_start_445x441, Scene::BoxStart, 445, 441)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(DrawSmoothFast, maze_445x441, Scene::Maze, 445, 441)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(DrawSmoothFast, box_centre_1920x1080, Scene::BoxCentre, 1920, 1080)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(DrawSmoothPlain, box_centre_445x441, Scene::BoxCentre, 445, 441)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(DrawSmoothPlain, box_start_445x441, Scene::BoxStart, 445, 441)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(DrawSmoothPlain, maze_445x441, Scene::Maze, 445, 441)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(DrawSmoothPlain, box_centre_1920x1080, Scene::BoxCentre, 1920, 1080)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SmoothColoursOnly, box_centre, Scene::BoxCentre, SmoothKernel::Automatic)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SmoothColoursOnly, maze, Scene::Maze, SmoothKernel::Automatic)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SmoothColoursOnly, box_centre_portable, Scene::BoxCentre, SmoothKernel::Portable)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SmoothColoursOnly, maze_portable, Scene::Maze, SmoothKernel::Portable)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PaintOnly, blocks_445x441, 445, 441)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PaintOnly, blocks_1920x1080, 1920, 1080)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(PlainView, maze_445x441, Scene::Maze)->Unit(benchmark::kMicrosecond);
BENCHMARK(PlainViewWalledIn)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kestrune
