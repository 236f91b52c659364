// Opening links on the desktop: with the user's browser or mail program.
#pragma once

#include "game/links.h"

namespace kestrune::ui {

class DesktopLinkOpener final : public ILinkOpener {
public:
    // URLs go to QDesktopServices as given; a bare absolute path is opened as a local file.
    void Open(const std::string& target) override;
};

}  // namespace kestrune::ui
