#include "navigation/pose.h"

#include <cmath>

#include "game/numbers.h"

namespace kestrune {

// The value of pi used by the turn animation.
constexpr double kTurnPi = 3.1415926525;

Matrix4i DecodeRotation(const std::string& entry) {
    Matrix4i d{};
    for (int r = 0; r < 4; ++r)
        for (int j = 0; j < 4; ++j) d[r][j] = entry.at(static_cast<size_t>(4 * r + j)) - '0' - 1;
    return d;
}

Matrix4 RotatedOrientation(const Matrix4& m, const Matrix4i& d) {
    Matrix4 n{};
    for (int a = 0; a < 4; ++a)
        for (int p = 0; p < 4; ++p) {
            int32_t sum = 0;
            for (int j = 0; j < 4; ++j) sum += m[a][j] * d[p][j];
            n[a][p] = sum;
        }
    return n;
}

Matrix4 TurnFrame(const Matrix4& from, const Matrix4& to, double t) {
    Matrix4 frame = from;
    for (int a = 0; a < 4; ++a)
        for (int p = 0; p < 4; ++p) {
            if (to[a][p] == from[a][p]) continue;
            frame[a][p] = (to[a][p] == 0) ? ToInt32(from[a][p] * std::cos(t))
                                          : ToInt32(to[a][p] * std::sin(t));
        }
    return frame;
}

double TurnAngle(int s, int level) {
    return s * kTurnPi / (2.0 * static_cast<double>(1 << level));
}

int StepSign(int index) {
    return index == 1 ? -1 : 1;
}

Vec4 StepTarget(const Vec4& pos, const Matrix4& m, int sign) {
    Vec4 t{};
    for (int k = 0; k < 4; ++k) t[k] = static_cast<int16_t>(pos[k] + sign * m[k][0]);
    return t;
}

Vec4 StepFrameOffset(const Matrix4& m, int sign, int step, int level) {
    const int frames = 1 << level;
    Vec4 offset{};
    for (int k = 0; k < 4; ++k) {
        const int f = m[k][0];
        const int sgn = (f > 0) - (f < 0);
        offset[k] =
            ToInt32(static_cast<double>(frames - step) * sgn * 10000.0 * (sign * f) / frames);
    }
    return offset;
}

bool IsSignedPermutation(const Matrix4& m) {
    for (int i = 0; i < 4; ++i) {
        int row = 0, col = 0;
        for (int j = 0; j < 4; ++j) {
            if (m[i][j] < -1 || m[i][j] > 1) return false;
            row += m[i][j] != 0;
            col += m[j][i] != 0;
        }
        if (row != 1 || col != 1) return false;
    }
    return true;
}

}  // namespace kestrune
