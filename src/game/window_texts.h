// The texts that generation hands to the game window: its caption and the goal readout.
#pragma once

#include <string>

namespace kestrune {

class IWindowTexts {
public:
    virtual ~IWindowTexts() = default;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void SetGoalCaption(const std::string& caption) = 0;  // lblGoal
};

}  // namespace kestrune
