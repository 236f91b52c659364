// The desktop shell of the game: opens links with the user's browser or mail program.
#pragma once

#include "game/shell.h"

namespace kestrune::ui {

class DesktopShell final : public IShell {
public:
    // URLs go to QDesktopServices as given; a bare absolute path is opened as a local file.
    void Open(const std::string& target) override;
};

}  // namespace kestrune::ui
