#include "ui/menu_windows.h"

#include "game/links.h"

namespace kestrune::ui {

MenuWindows::MenuWindows(SettingsFile& settings, ILinkOpener& links, QWidget* gameWindow,
                         MessageFunction message)
    : m_settings(settings),
      m_links(links),
      m_gameWindow(gameWindow),
      m_message(std::move(message)) {}

MenuWindows::~MenuWindows() {
    delete m_ranking.data();
    delete m_version.data();
}

RankingWindow* MenuWindows::EnsureRanking() {
    if (!m_ranking) {
        m_ranking = new RankingWindow(m_settings, m_gameWindow);
        m_ranking->setAttribute(Qt::WA_DeleteOnClose);
    }
    return m_ranking;
}

void MenuWindows::OpenRanking() {
    if (!m_ranking) {
        EnsureRanking()->Form_Load();
        return;
    }
    BringRankingToFront();
}

void MenuWindows::ReloadRanking() {
    EnsureRanking()->Form_Load();
    // A new record is news: the table must not stay hidden behind the game window.
    BringRankingToFront();
}

void MenuWindows::BringRankingToFront() {
    m_ranking->show();
    m_ranking->raise();
    m_ranking->activateWindow();
}

void MenuWindows::OpenVersion() {
    if (!m_version) m_version = new VersionWindow(m_links, m_message);
    if (m_gameWindow) m_version->setWindowIcon(m_gameWindow->windowIcon());
    m_version->SHOWVERSION(QStringLiteral("Kestrune"), false);
}

bool MenuWindows::OpenHelp() {
    return kestrune::OpenHelp(m_links);
}

void MenuWindows::CloseAll() {
    if (m_ranking) m_ranking->close();
    if (m_version) m_version->close();
}

}  // namespace kestrune::ui
