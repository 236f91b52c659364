// The windows the game window opens from its menus: the ranking table, the About box and the
// help page. Each window is created on first use and forgotten when the player closes it.
#pragma once

#include <QPointer>

#include "ui/ranking_window.h"
#include "ui/version_window.h"

namespace kestrune {
class ILinkOpener;
class SettingsFile;
}  // namespace kestrune

namespace kestrune::ui {

class MenuWindows {
public:
    // `gameWindow` lends its icon to the ranking table and the About box.
    MenuWindows(SettingsFile& settings, ILinkOpener& links, QWidget* gameWindow,
                MessageFunction message = {});
    ~MenuWindows();
    MenuWindows(const MenuWindows&) = delete;
    MenuWindows& operator=(const MenuWindows&) = delete;

    // "ランキング表": loads the table when it is not open, else only brings it to the front.
    void OpenRanking();
    // After a new record: loads the table again (creating it first) and shows it.
    void ReloadRanking();
    // "バージョン情報": the About box with the game window's icon, "Kestrune", no beta mark.
    void OpenVersion();
    // "ヘルプ": the help page in the desktop's browser; false when it cannot be found.
    bool OpenHelp();
    // Closes whatever is open, for the game window's unload.
    void CloseAll();

    RankingWindow* Ranking() const { return m_ranking; }
    VersionWindow* Version() const { return m_version; }

private:
    RankingWindow* EnsureRanking();
    void BringRankingToFront();

    SettingsFile& m_settings;
    ILinkOpener& m_links;
    QPointer<QWidget> m_gameWindow;
    MessageFunction m_message;
    QPointer<RankingWindow> m_ranking;
    QPointer<VersionWindow> m_version;
};

}  // namespace kestrune::ui
