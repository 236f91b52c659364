// Timing of maze generation, the distance map and the figure spaces.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <vector>

#include "game/figures.h"
#include "game/maze.h"

namespace kestrune {
namespace {

class QuietMusic final : public IMusic {
public:
    void StartMusic(const std::string&) override {}
    void StopMusic() override {}
};

class QuietTexts final : public IWindowTexts {
public:
    void SetCaption(const std::string&) override {}
    void SetGoalCaption(const std::string&) override {}
};

// Counts the draws of one generation; its practice seeds come from a list, not the clock.
class CountingRandom final : public IRandom {
public:
    int32_t clockSeed = 1;
    long long draws = 0;
    double Next() override {
        ++draws;
        return m_engine.Next();
    }
    void Reset(int32_t seed) override { m_engine.Reset(seed); }
    void SeedFromClock() override { m_engine.Reset(clockSeed); }

private:
    StandardRandom m_engine;
};

std::unique_ptr<GameState> PracticeState(int dimIndex, int difficulty) {
    auto state = std::make_unique<GameState>();
    PrepareStartup(*state);
    state->GameMode = kModePractice;
    FillTowerBorder(*state);
    state->DimIndex = static_cast<int16_t>(dimIndex);
    state->Difficulty = static_cast<int16_t>(difficulty);
    return state;
}

std::unique_ptr<GameState> TowerState(int floor) {
    auto state = std::make_unique<GameState>();
    PrepareStartup(*state);
    state->GameMode = kModeTower;
    FillTowerBorder(*state);
    SetNewTowerStart(*state);
    state->TowerFloor = static_cast<int16_t>(floor);
    return state;
}

// This thread's processor time in milliseconds: other processes on a shared machine do
// not inflate a single generation's figure.
double CpuMillis() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

// Median and slowest of a set of generations, with the draws of the slowest and its time
// per draw, to set against BM_Draw.
void Report(benchmark::State& bench, std::vector<double> millis,
            const std::vector<long long>& draws) {
    const auto slowest = std::max_element(millis.begin(), millis.end()) - millis.begin();
    bench.counters["slowest_ms"] = millis[slowest];
    bench.counters["slowest_draws"] = static_cast<double>(draws[slowest]);
    bench.counters["slowest_ns_per_draw"] =
        millis[slowest] * 1e6 / static_cast<double>(draws[slowest]);
    std::vector<long long> sortedDraws = draws;
    std::nth_element(millis.begin(), millis.begin() + millis.size() / 2, millis.end());
    std::nth_element(sortedDraws.begin(), sortedDraws.begin() + sortedDraws.size() / 2,
                     sortedDraws.end());
    bench.counters["median_ms"] = millis[millis.size() / 2];
    bench.counters["median_draws"] = static_cast<double>(sortedDraws[sortedDraws.size() / 2]);
}

// One practice maze per iteration, seed n for iteration n, drawn through the interface so
// that every draw is counted: an upper bound for the game, whose own generator the walker
// inlines. Compare slowest_ns_per_draw with BM_Draw/virtual.
void BM_PracticeMaze(benchmark::State& bench) {
    const int dimIndex = static_cast<int>(bench.range(0));
    const int difficulty = static_cast<int>(bench.range(1));
    auto state = PracticeState(dimIndex, difficulty);
    QuietMusic music;
    QuietTexts texts;
    CountingRandom random;
    std::vector<double> millis;
    std::vector<long long> draws;
    for (auto _ : bench) {
        ++random.clockSeed;
        random.draws = 0;
        const double start = CpuMillis();
        MakeMaze(*state, random, music, texts);
        millis.push_back(CpuMillis() - start);
        draws.push_back(random.draws);
        benchmark::DoNotOptimize(state->MazeSpace.data());
    }
    Report(bench, millis, draws);
}
BENCHMARK(BM_PracticeMaze)
    ->ArgNames({"dim_index", "difficulty"})
    ->ArgsProduct({{1, 2, 3}, {1, 3, 5, 7}})
    ->Iterations(400)
    ->Unit(benchmark::kMillisecond);

// The game's own path: its generator seeded from the clock, so each run times other mazes.
void BM_PracticeMazeClockSeeded(benchmark::State& bench) {
    auto state = PracticeState(static_cast<int>(bench.range(0)), static_cast<int>(bench.range(1)));
    QuietMusic music;
    QuietTexts texts;
    StandardRandom random;
    std::vector<double> millis;
    for (auto _ : bench) {
        const double start = CpuMillis();
        MakeMaze(*state, random, music, texts);
        millis.push_back(CpuMillis() - start);
        benchmark::DoNotOptimize(state->MazeSpace.data());
    }
    const double slowest = *std::max_element(millis.begin(), millis.end());
    std::nth_element(millis.begin(), millis.begin() + millis.size() / 2, millis.end());
    bench.counters["median_ms"] = millis[millis.size() / 2];
    bench.counters["slowest_ms"] = slowest;
}
BENCHMARK(BM_PracticeMazeClockSeeded)
    ->ArgNames({"dim_index", "difficulty"})
    ->ArgsProduct({{3}, {1, 7}})
    ->Iterations(400)
    ->Unit(benchmark::kMillisecond);

// A tower floor is the same maze every time: the game's generator, its draws counted once.
void BM_TowerFloor(benchmark::State& bench) {
    auto state = TowerState(static_cast<int>(bench.range(0)));
    QuietMusic music;
    QuietTexts texts;
    CountingRandom counting;
    MakeMaze(*state, counting, music, texts);
    StandardRandom random;
    for (auto _ : bench) {
        MakeMaze(*state, random, music, texts);
        benchmark::DoNotOptimize(state->MazeSpace.data());
    }
    bench.counters["difficulty"] = state->Difficulty;
    bench.counters["draws"] = static_cast<double>(counting.draws);
}
BENCHMARK(BM_TowerFloor)
    ->ArgName("floor")
    ->Arg(1)
    ->Arg(56)
    ->Arg(112)
    ->Arg(500)
    ->Unit(benchmark::kMillisecond);

// Floors 1 to 300, one per iteration, with the game's generator.
void BM_TowerFloors1To300(benchmark::State& bench) {
    QuietMusic music;
    QuietTexts texts;
    StandardRandom random;
    std::vector<double> millis;
    std::vector<long long> draws;
    int floor = 0;
    for (auto _ : bench) {
        bench.PauseTiming();
        auto state = TowerState(++floor);
        CountingRandom counting;
        MakeMaze(*state, counting, music, texts);
        draws.push_back(counting.draws);
        bench.ResumeTiming();
        const double start = CpuMillis();
        MakeMaze(*state, random, music, texts);
        millis.push_back(CpuMillis() - start);
        benchmark::DoNotOptimize(state->MazeSpace.data());
    }
    Report(bench, millis, draws);
}
BENCHMARK(BM_TowerFloors1To300)->Iterations(300)->Unit(benchmark::kMillisecond);

// The search on 4D practice mazes of the lowest and highest level (seed 1).
void BM_DistanceMap4D(benchmark::State& bench) {
    auto state = PracticeState(3, static_cast<int>(bench.range(0)));
    CountingRandom random;
    QuietMusic music;
    QuietTexts texts;
    MakeMaze(*state, random, music, texts);
    int open = 0;
    for (int16_t c : state->MazeSpace) open += c == CellOpen ? 1 : 0;
    for (auto _ : bench) {
        MakeDistanceMap(*state);
        benchmark::DoNotOptimize(state->DistanceMap.data());
    }
    bench.counters["open_cells"] = open;
}
BENCHMARK(BM_DistanceMap4D)->ArgName("difficulty")->Arg(1)->Arg(7)->Unit(benchmark::kMicrosecond);

void BM_Figure4D(benchmark::State& bench, const char* name) {
    auto state = PracticeState(3, 1);
    QuietMusic music;
    QuietTexts texts;
    for (auto _ : bench) {
        MakeFigure(name, *state, music, texts);
        benchmark::DoNotOptimize(state->MazeSpace.data());
    }
}
BENCHMARK_CAPTURE(BM_Figure4D, Blank, "Blank")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Figure4D, Circle, "Circle")->Unit(benchmark::kMicrosecond);

// One draw of the game's generator, through the interface and inlined as the walker does.
void BM_Draw(benchmark::State& bench) {
    StandardRandom engine;
    IRandom* random = &engine;
    benchmark::DoNotOptimize(random);  // keeps the call virtual
    for (auto _ : bench) benchmark::DoNotOptimize(random->Next());
}
BENCHMARK(BM_Draw)->Name("BM_Draw/virtual");

void BM_DrawInline(benchmark::State& bench) {
    StandardRandom random;
    for (auto _ : bench) benchmark::DoNotOptimize(random.Next());
}
BENCHMARK(BM_DrawInline)->Name("BM_Draw/inline");

}  // namespace
}  // namespace kestrune
