#include "forms/game_commands.h"

#include "forms/commands.h"

namespace kestrune::forms {

bool RunGameCommand(GameWindowLogic& logic, const GameState& state, int code, int argument) {
    const bool practice = state.GameMode == kModePractice;
    switch (code) {
        case kCmdRot:
            if (argument >= 0 && argument < 12) logic.Rot_Click(argument);
            return true;
        case kCmdAhead:
            if (argument == 0 || argument == 1) logic.Ahead_Click(argument);
            return true;
        case kCmdKey:
            logic.Form_KeyDown(argument % 10, argument >= 10);
            return true;
        case kCmdStart:
            logic.mnuFMStart_Click();
            return true;
        case kCmdTowerRestart:
            logic.mnuTowerRestart_Click();
            return true;
        case kCmdRestart:
        case kCmdRestartKey:
            // The shortcut obeys the menu's rule even when the menu was never opened.
            logic.mnuFMRe_Shortcut();
            return true;
        case kCmdDimension:
            if (argument >= 1 && argument <= 3 && practice) logic.mnuFMJJigen_Click(argument);
            return true;
        case kCmdMake:
            if (argument >= 1 && argument <= 4 && practice) logic.mnuFMMake_Click(argument);
            return true;
        case kCmdFigure:
            if ((argument == 0 || argument == 1) && practice) logic.mnuFZZukei_Click(argument);
            return true;
        case kCmdMazeNumber:
            if (practice) logic.mnuMazeNumber_Click();
            return true;
        case kCmdHint:
            logic.mnuSetDirection_Click();
            return true;
        case kCmdAutoCruise:
            logic.mnuAutoClouse_Click();
            return true;
        case kCmdAnimation:
            if (argument >= 0 && argument < 8) logic.mnuAnimation_Click(argument);
            return true;
        case kCmdMap:
            // 0: the menu item turns it on or off; 1: the map's own close box.
            if (argument == 0)
                logic.mnuMap_Click();
            else
                logic.ShowMap(false);
            return true;
        case kCmdFit:
            logic.mnuFit_Click();
            return true;
        case kCmdClearClick:
            logic.picClear_Click();
            return true;
        default:
            return false;
    }
}

}  // namespace kestrune::forms
