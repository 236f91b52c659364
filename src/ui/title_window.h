// frmTitle: the only place where the player picks practice or the tower.
#pragma once

#include <QWidget>

#include "game/game_state.h"

class QLabel;
class QPushButton;

namespace kestrune::ui {

class TitleWindow : public QWidget {
    Q_OBJECT
public:
    TitleWindow(GameState& state, std::string towerPath, QWidget* parent = nullptr);

    void cmdPractice_Click();
    void cmdTower_Click();
    QPushButton* towerButton() const { return m_cmdTower; }
    QPushButton* practiceButton() const { return m_cmdPractice; }
    QLabel* towerPicture() const { return m_picture1; }
    QLabel* towerLabel() const { return m_label1; }

signals:
    // The player chose, or closed the window (GameMode then says which).
    void decided();

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void RetranslateUi();
    void UnloadByProgram();

    GameState& m_state;
    std::string m_towerPath;
    QPushButton* m_cmdTower = nullptr;
    QPushButton* m_cmdPractice = nullptr;
    QLabel* m_picture1 = nullptr;
    QLabel* m_label1 = nullptr;
    bool m_unloadingByProgram = false;
};

}  // namespace kestrune::ui
