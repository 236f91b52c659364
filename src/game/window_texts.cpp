#include "game/window_texts.h"

#include "game/game_state.h"
#include "text/catalogue.h"

namespace kestrune {

std::string TowerCaption(int floor) {
    return text::Trf("5duzu：{0}階", {std::to_string(floor)});
}

std::string FigureCaption(int dimIndex, int figure) {
    const std::string dimension = std::to_string(dimIndex + 1);
    return figure == 0 ? text::Trf("{0}次元迷路： ブランク", {dimension})
                       : text::Trf("{0}次元迷路： 球", {dimension});
}

std::string GoalCaption(const std::array<int16_t, 4>& goal) {
    std::string readout;
    for (int i = 0; i < 4; ++i) {
        if (i > 0) readout += ',';
        readout += std::to_string(ReadoutCoordinate(goal[i]));
    }
    return text::Trf("{0}です", {readout});
}

std::string NoGoalCaption() {
    return text::Tr("ありません");
}

}  // namespace kestrune
