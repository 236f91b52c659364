// The texts that generation hands to the game window: its caption and the goal readout.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kestrune {

class IWindowTexts {
public:
    virtual ~IWindowTexts() = default;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void SetGoalCaption(const std::string& caption) = 0;  // lblGoal
};

// The texts themselves, in the current language, so that they can be said again after a
// change of language.
// The caption of a tower floor: "5duzu：3階".
std::string TowerCaption(int floor);
// The caption of a figure space of dimension dimIndex + 1: figure 0 the empty box, 1 the ball.
std::string FigureCaption(int dimIndex, int figure);
// The goal readout of a maze, from the goal's cell: "12,12,0,0です".
std::string GoalCaption(const std::array<int16_t, 4>& goal);
// The goal readout of a figure space, which has no goal.
std::string NoGoalCaption();

}  // namespace kestrune
