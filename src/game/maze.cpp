#include "game/maze.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <string>

#include "game/maze_code.h"
#include "game/numbers.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kestrune {

int32_t clsPoint::Loc(int32_t Index) const {
    switch (Index) {
        case 0:
            return X;
        case 1:
            return Y;
        case 2:
            return Z;
        case 3:
            return W;
        default:
            return 0;
    }
}

void clsPoint::Loc(int32_t Index, int32_t Value) {
    switch (Index) {
        case 0:
            X = Value;
            break;
        case 1:
            Y = Value;
            break;
        case 2:
            Z = Value;
            break;
        case 3:
            W = Value;
            break;
        default:
            break;
    }
}

namespace {

constexpr int kInteriorSide = kInteriorMax - kInteriorMin + 1;  // 13
constexpr int kInteriorCells = kInteriorSide * kInteriorSide * kInteriorSide * kInteriorSide;

// The eight neighbours of a cell, in search order: axis 0..3, each -1 then +1.
constexpr std::array<int, 8> kNeighbourOffsets = {-1, 1, -21, 21, -441, 441, -9261, 9261};

// The arguments of these floors are never negative, so truncation is the floor.
inline int Floor(double x) {
    return static_cast<int>(x);
}

bool IsInterior(int c) {
    return c >= kInteriorMin && c <= kInteriorMax;
}

// Every coordinate even: the lattice that step-2 relocations land on.
bool OnEvenLattice(const Vec4& cell) {
    return ((cell[0] | cell[1] | cell[2] | cell[3]) & 1) == 0;
}

// Calls row(first) for every interior row of 13 cells along x.
template <typename Row>
void ForEachInteriorRow(Row row) {
    for (int w = kInteriorMin; w <= kInteriorMax; ++w)
        for (int z = kInteriorMin; z <= kInteriorMax; ++z)
            for (int y = kInteriorMin; y <= kInteriorMax; ++y)
                row(CellIndex(kInteriorMin, y, z, w));
}

// Nearest integer, ties to even, of a small non-negative x: what NearestEven gives in the
// default rounding mode, without a library call in the relocation loop.
inline int NearestSmall(double x) {
#if defined(__SSE2__)
    return _mm_cvtsd_si32(_mm_set_sd(x));  // converts in the current rounding mode
#else
    // Adding 2^52 leaves no room for a fraction: the addition rounds, the subtraction is exact.
    constexpr double kShift = 4503599627370496.0;
    return static_cast<int>((x + kShift) - kShift);
#endif
}

// Interior cells counted from (4, 4, 4, 4) with 13 per axis: the open map of the walker.
constexpr std::array<int, 4> kInteriorStride = {1, 13, 169, 2197};

int InteriorIndex(const Vec4& cell) {
    int index = 0;
    for (int i = 0; i < 4; ++i) index += (cell[i] - kInteriorMin) * kInteriorStride[i];
    return index;
}

// The tunnel walker. Runs until more than 1000 relocations have been made and the goal cell
// is open; every random draw is made in the one order that reproduces a tower floor.
template <typename Random>
void CarveTunnels(CellGrid& maze, Random& random, int dimIndex, int difficulty, Vec4 walker,
                  int goalIndex) {
    int16_t* cells = maze.data();
    const int directions = 2 * dimIndex + 2;
    const double p = std::pow(static_cast<double>(dimIndex), 1.5);
    const bool keepTunnelling = (8 - difficulty) * 50 >= 1;

    // limits[fb][fa] = nearest(p + fb + fa), for fa = floor(p * a) and fb = floor(p * b).
    const int spread = Floor(p);
    std::array<std::array<int, 8>, 8> limits{};
    for (int fb = 0; fb <= spread && fb < 8; ++fb)
        for (int fa = 0; fa <= spread && fa < 8; ++fa) limits[fb][fa] = ToInt32(p + fb + fa);

    // Relocation draws land on interior coordinate 4 + target[step][nearest(12 r)].
    std::array<std::array<int, 13>, 3> target{};
    for (int s = 1; s <= 2; ++s)
        for (int n = 0; n <= 12; ++n) target[s][n] = s * (n / s);

    // Which interior cells are not wall, kept beside the grid so that the relocation search,
    // which may look up millions of cells, reads a small table.
    auto open = std::make_unique<uint8_t[]>(kInteriorCells);
    open[InteriorIndex(walker)] = 1;
    // Whether an open cell lies on the even lattice. The start cell normally does; from a
    // start with odd coordinates step-2 tunnels may open none, and a step-2 relocation
    // could then never end.
    bool evenLatticeOpen = OnEvenLattice(walker);

    int index = CellIndex(walker);
    int step = std::min(2, Floor(random.Next() * difficulty) + 1);
    int relocations = 0;

    for (;;) {
        int attempts = 0;
        for (;;) {
            const double t = random.Next();
            const double a = random.Next();
            const double b = random.Next();
            const int d = Floor(t * directions);
            const int fb = Floor(p * b);
            const int fa = Floor(p * a);
            const int limit = (fb < 8 && fa < 8) ? limits[fb][fa] : ToInt32(p + fb + fa);
            ++attempts;
            if (attempts > limit) break;

            const int axis = d / 2;
            const int sign = (d % 2 == 0) ? 1 : -1;
            const int stride = sign * kAxisStride[axis];
            const int next = index + step * stride;
            if (cells[next] != CellWall) continue;

            cells[next] = CellOpen;
            cells[index + stride] = CellOpen;
            walker[axis] += sign;
            open[InteriorIndex(walker)] = 1;
            if (step == 2) {
                evenLatticeOpen = evenLatticeOpen || OnEvenLattice(walker);
                walker[axis] += sign;
                open[InteriorIndex(walker)] = 1;
            }
            evenLatticeOpen = evenLatticeOpen || OnEvenLattice(walker);
            index = next;
            if (!keepTunnelling) break;
            attempts = 0;
        }

        // Relocate to a random open cell, on the even lattice for a step of 2. Axes above
        // dimIndex keep their coordinate.
        step = std::min(2, Floor(16.0 * random.Next() * difficulty) + 1);
        if (step == 2 && !evenLatticeOpen) step = 1;
        const auto& landing = target[step];
        int fixedPart = 0;
        for (int i = dimIndex + 1; i < 4; ++i)
            fixedPart += (walker[i] - kInteriorMin) * kInteriorStride[i];
        std::array<int, 4> offsets{};
        int at = 0;
        do {
            at = fixedPart;
            for (int i = 0; i <= dimIndex; ++i) {
                offsets[i] = landing[NearestSmall(12.0 * random.Next())];
                at += offsets[i] * kInteriorStride[i];
            }
        } while (!open[at]);
        for (int i = 0; i <= dimIndex; ++i) walker[i] = offsets[i] + kInteriorMin;
        index = CellIndex(walker);

        ++relocations;
        if (cells[goalIndex] == CellOpen && relocations > 1000) return;
        if (relocations > 1000) relocations = 1000;
    }
}

}  // namespace

void FillInterior(CellGrid& grid, int16_t value) {
    ForEachInteriorRow([&](int first) { std::fill_n(grid.begin() + first, kInteriorSide, value); });
}

void FillTowerBorder(GameState& state) {
    state.MazeSpace.fill(CellBorder);
    FillInterior(state.MazeSpace, CellOpen);
}

void MakeMaze(GameState& state, IRandom& random, IMusic& music, IWindowTexts& texts,
              std::optional<int32_t> number) {
    music.StopMusic();

    const bool tower = state.GameMode != kModePractice;
    if (tower) {
        random.Reset(state.TowerFloor);
        random.Next();  // the first number after a reset is not used
        texts.SetCaption(TowerCaption(state.TowerFloor));
        for (int i = 0; i < 4; ++i)
            state.GoalPos[i] = static_cast<int16_t>(2 * Floor(7.0 * random.Next()) + 4);
        if (state.TowerFloor / 14 < 8) {
            const double r1 = random.Next();
            const double r2 = random.Next();
            state.Difficulty =
                static_cast<int16_t>(Floor(3.0 * r1) + state.TowerFloor / 8 + Floor(3.0 * r2) + 1);
        } else {
            state.Difficulty = static_cast<int16_t>(Floor(7.0 * random.Next()) + 4);
        }
    } else {
        // The number is the whole maze: the same number, dimension and level carve the same
        // tunnels on every machine.
        state.MazeNumber = number ? *number : DrawMazeNumber(random);
        random.Reset(state.MazeNumber);
    }

    FillInterior(state.MazeSpace, CellWall);
    Vec4 start = {4, 4, 4, 4};
    if (tower)
        for (int i = 0; i < 4; ++i) start[i] = state.StartPose[0][i];
    state.MazeSpace[CellIndex(start)] = CellOpen;

    // The goal: the staircase drawn above, or the far corner of the used axes.
    std::array<int16_t, 4> goal = state.GoalPos;
    if (!tower) {
        goal = {16, 16, static_cast<int16_t>(state.DimIndex > 1 ? 16 : 4),
                static_cast<int16_t>(state.DimIndex > 2 ? 16 : 4)};
    }
    const int goalIndex = CellIndex(goal);

    // The game's own generator is final and inline: knowing its type lets the walker's
    // loops draw without a virtual call. Any other generator goes through the interface.
    if (auto* standard = dynamic_cast<StandardRandom*>(&random))
        CarveTunnels(state.MazeSpace, *standard, state.DimIndex, state.Difficulty, start,
                     goalIndex);
    else
        CarveTunnels(state.MazeSpace, random, state.DimIndex, state.Difficulty, start, goalIndex);

    state.MazeSpace[goalIndex] = CellGoal;
    if (!tower) state.GoalPos = goal;

    texts.SetGoalCaption(GoalCaption(goal));

    if (tower) {
        std::array<int, 3> colour{};
        for (int& c : colour) c = Floor(255.0 * random.Next()) + 1;
        const int sum = colour[0] + colour[1] + colour[2];
        for (int i = 0; i < 3; ++i)
            state.WallColour[i] = ToInt16(static_cast<double>(colour[i]) / sum * 300.0);
    } else {
        state.WallColour = {0, 255, 0};
    }

    MakeDistanceMap(state);
    music.StartMusic("bgm.mid");
}

void MakeDistanceMap(GameState& state) {
    int16_t* distance = state.DistanceMap.data();
    const int16_t* cells = state.MazeSpace.data();
    FillInterior(state.DistanceMap, 0);

    clsPoint goal;
    for (int a = 0; a < 4; ++a) goal.Loc(a, state.GoalPos[a]);
    // A goal outside the interior would send the search off the grid: nothing to search.
    for (int a = 0; a < 4; ++a)
        if (!IsInterior(goal.Loc(a))) return;
    const int goalIndex = CellIndex(goal.X, goal.Y, goal.Z, goal.W);

    // One first-in first-out queue visits the points level by level, and each level in the
    // order its points were found, exactly as a frontier list per level would. Only open
    // interior cells (and the goal) enter it, each once; one more slot takes the write past
    // the last entry that the branch-free loop makes.
    // Left uninitialised, as make_unique_for_overwrite would (which Emscripten's library lacks).
    std::unique_ptr<int32_t[]> queue(new int32_t[kInteriorCells + 1]);
    int head = 0;
    int tail = 0;
    distance[goalIndex] = 1;
    queue[tail++] = goalIndex;
    while (head < tail) {
        const int from = queue[head++];
        const auto level = static_cast<int16_t>(distance[from] + 1);
        // Branch-free: whether a neighbour is new and open is close to a coin toss in a maze.
        for (const int offset : kNeighbourOffsets) {
            const int to = from + offset;
            const int16_t old = distance[to];
            const bool open = cells[to] == CellOpen;
            const bool fresh = old == 0;
            const int16_t found = open ? level : kDistanceSolid;
            distance[to] = fresh ? found : old;
            queue[tail] = to;
            tail += static_cast<int>(fresh & open);
        }
    }
}

}  // namespace kestrune
