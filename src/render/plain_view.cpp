#include "render/plain_view.h"

#include <cmath>

#include "game/numbers.h"

namespace kestrune {
namespace {

// What one layer needs from the pose and the surface; all reals are single precision.
struct LayerFrame {
    const GameState& state;
    ICanvas& canvas;
    int16_t L;
    int16_t D;
    float W;
    float Hv;
    float S;
    int fwd[4];
    int left[4];
    int up[4];
};

int16_t CellAt(const GameState& state, const int16_t (&q)[4]) {
    return state.MazeSpace[CellIndex(q[0], q[1], q[2], q[3])];
}

// The face joining an edge of this layer's front plane to the same edge in the next layer,
// which lies halfway towards the view centre. The halfway points start from the corners
// already rounded to whole pixels.
Quad SideFace(const LayerFrame& f, Point p0, Point p1) {
    const float cx = f.W / 2;
    const float cy = f.Hv / 2;
    const Point p2{ToInt32((p1.x + cx) / 2), ToInt32((p1.y + cy) / 2)};
    const Point p3{ToInt32((p0.x + cx) / 2), ToInt32((p0.y + cy) / 2)};
    return {p0, p1, p2, p3};
}

void VisitCell(const LayerFrame& f, int X, int Y) {
    const GameState& s = f.state;
    int16_t q[4];
    for (int k = 0; k < 4; ++k)
        q[k] = static_cast<int16_t>(s.PlayerPos[k] + f.L * f.fwd[k] + X * f.left[k] + Y * f.up[k]);

    const float d = std::sqrt(static_cast<float>(f.L * f.L + X * X + Y * Y));
    if (d > f.D + 1) return;
    const float shade = 1 - d / static_cast<float>(f.D + 1);

    const int code = CellAt(s, q);
    const int R = s.WallColour[0];
    const int G = s.WallColour[1];
    const int B = s.WallColour[2];
    Colour colour;
    if (code == CellGoal) {
        colour = MakeColour(ToInt16((G + B) * shade / 2), ToInt16((R + B) * shade / 2),
                            ToInt16((R + G) * shade / 2));
    } else {
        colour = MakeColour(ToInt16(R * shade), ToInt16(G * shade), ToInt16(B * shade));
    }
    if (code == CellOpen) return;

    const float S = f.S;
    const int16_t px = ToInt16(f.W / 2 - S * X - S / 2);
    const int16_t py = ToInt16(f.Hv / 2 - S * Y - S / 2);
    f.canvas.SetFillColour(colour);
    f.canvas.SetPenColour(kBlack);

    // Side faces only where the neighbour towards the line of sight is exactly open: a goal
    // cell there is solid and would hide the face anyway.
    if (X != 0) {
        const int dir = X > 0 ? -1 : 1;
        int16_t n[4];
        for (int k = 0; k < 4; ++k) n[k] = static_cast<int16_t>(q[k] + dir * f.left[k]);
        if (CellAt(s, n) == CellOpen) {
            const int32_t xe = X > 0 ? ToInt32(px + S) : px;
            f.canvas.Polygon(SideFace(f, {xe, py}, {xe, ToInt32(py + S)}));
        }
    }
    if (Y != 0) {
        const int dir = Y > 0 ? -1 : 1;
        int16_t n[4];
        for (int k = 0; k < 4; ++k) n[k] = static_cast<int16_t>(q[k] + dir * f.up[k]);
        if (CellAt(s, n) == CellOpen) {
            const int32_t ye = Y > 0 ? ToInt32(py + S) : py;
            f.canvas.Polygon(SideFace(f, {px, ye}, {ToInt32(px + S), ye}));
        }
    }
    // The player's own layer has no front faces: they would cover the whole picture.
    if (f.L >= 1) {
        f.canvas.SetFillColour(colour);
        f.canvas.SetPenColour(kBlack);
        const int32_t right = ToInt32(px + S);
        const int32_t bottom = ToInt32(py + S);
        f.canvas.Polygon(
            {Point{px, py}, Point{right, py}, Point{right, bottom}, Point{px, bottom}});
    }
}

void DrawOneLayer(int16_t L, int16_t D, const GameState& state, ICanvas& canvas) {
    int N = L == 0 ? 1 : L;
    if (L == D) N = L - 1;

    LayerFrame f{state,
                 canvas,
                 L,
                 D,
                 static_cast<float>(canvas.Width()),
                 static_cast<float>(canvas.Height()),
                 0.0f,
                 {},
                 {},
                 {}};
    f.S = LayerEdge(f.W, L);
    for (int k = 0; k < 4; ++k) {
        f.fwd[k] = state.Orientation[k][0];
        f.left[k] = state.Orientation[k][1];
        f.up[k] = state.Orientation[k][2];
    }

    // Outer cells first and the centre column and row last, so that faces nearer the line
    // of sight cover the ones beside them.
    for (int X = -N; X <= -1; ++X) {
        for (int Y = -N; Y <= -1; ++Y) VisitCell(f, X, Y);
        for (int Y = N; Y >= 0; --Y) VisitCell(f, X, Y);
    }
    for (int X = N; X >= 0; --X) {
        for (int Y = N; Y >= 0; --Y) VisitCell(f, X, Y);
        for (int Y = -N; Y <= -1; ++Y) VisitCell(f, X, Y);
    }
}

}  // namespace

float LayerEdge(float W, int L) {
    return static_cast<float>(W / 0.6 / std::exp2(L));
}

void DrawLayer(int16_t L, int16_t D, const GameState& state, ICanvas& canvas) {
    // Farthest layer first; the recursion of the layer order is a plain loop here.
    for (int layer = L; layer >= 0; --layer)
        DrawOneLayer(static_cast<int16_t>(layer), D, state, canvas);
}

void DrawPlainView(const GameState& state, ICanvas& canvas, int16_t depth) {
    canvas.Clear();
    DrawLayer(depth, depth, state, canvas);
}

}  // namespace kestrune
