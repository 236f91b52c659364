#include "game/tower_file.h"

#include "game/files.h"

namespace kestrune {

bool IsValidStartPose(const std::array<std::array<int16_t, 4>, 5>& pose) {
    for (int j = 0; j < 4; ++j)
        if (pose[0][j] < kInteriorMin || pose[0][j] > kInteriorMax) return false;
    int rowCount[4] = {0, 0, 0, 0};
    for (int j = 0; j < 4; ++j) {
        int nonZero = 0;
        for (int i = 0; i < 4; ++i) {
            const int v = pose[i + 1][j];
            if (v == 0) continue;
            if (v != 1 && v != -1) return false;
            ++nonZero;
            ++rowCount[i];
        }
        if (nonZero != 1) return false;
    }
    for (int i = 0; i < 4; ++i)
        if (rowCount[i] != 1) return false;
    return true;
}

namespace {
TowerLoad LoadTower(const std::optional<std::vector<std::optional<long long>>>& lines,
                    GameState& state) {
    if (!lines) {
        SetNewTowerStart(state);
        return TowerLoad::NewTower;
    }
    const auto& v = *lines;
    if (v.empty() || !v[0] || *v[0] < 1 || *v[0] > 32767) {
        SetNewTowerStart(state);
        return TowerLoad::FloorDamaged;
    }
    const auto floor = static_cast<int16_t>(*v[0]);
    std::array<std::array<int16_t, 4>, 5> pose{};
    bool complete = v.size() >= 21;
    for (int n = 0; complete && n < 20; ++n) {
        const auto& value = v[1 + n];
        // An explicit range: llabs of the most negative value is undefined, and in practice
        // came back negative, so that entry was taken as 0.
        if (!value || *value < -32768 || *value > 32767)
            complete = false;
        else
            pose[n / 4][n % 4] = static_cast<int16_t>(*value);
    }
    if (complete && IsValidStartPose(pose)) {
        state.TowerFloor = floor;
        state.StartPose = pose;
        return TowerLoad::Resumed;
    }
    SetNewTowerStart(state);
    state.TowerFloor = floor;
    return TowerLoad::PoseReset;
}
}  // namespace

TowerLoad ReadTowerFile(const std::string& path, GameState& state) {
    return LoadTower(ReadIntegerLines(path, 21), state);
}

TowerLoad ReadTowerFile(ITextStore& store, const std::string& name, GameState& state) {
    const std::optional<std::string> text = store.Read(name);
    if (!text) return LoadTower(std::nullopt, state);
    return LoadTower(IntegerLinesOfText(*text, 21), state);
}

namespace {
std::vector<long long> TowerValues(const GameState& state) {
    std::vector<long long> values;
    values.push_back(state.TowerFloor);
    for (const auto& row : state.StartPose)
        for (int16_t v : row) values.push_back(v);
    return values;
}
}  // namespace

bool WriteTowerFile(const std::string& path, const GameState& state) {
    return WriteIntegerLines(path, TowerValues(state));
}

bool WriteTowerFile(ITextStore& store, const std::string& name, const GameState& state) {
    return store.Write(name, TowerText(state));
}

std::string TowerText(const GameState& state) {
    return IntegerLinesText(TowerValues(state));
}

}  // namespace kestrune
