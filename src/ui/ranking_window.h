// The ranking window frmRanking: the best practice time and its holder for every dimension
// and level, read from the settings file each time the window is loaded.
#pragma once

#include <QPointer>
#include <QWidget>
#include <array>

class QLabel;

namespace kestrune {
class SettingsFile;
}

namespace kestrune::ui {

class RankingWindow final : public QWidget {
    Q_OBJECT
public:
    // `iconSource` is the game window, whose icon the table takes at each load.
    explicit RankingWindow(SettingsFile& settings, QWidget* iconSource = nullptr);

    // Icon, caption, the twelve cells from the settings file (storing the defaults of
    // missing keys), then shown modeless.
    void Form_Load();

    QLabel* lblName(int index) const { return m_names.at(static_cast<size_t>(index)); }
    QLabel* lblTime(int index) const { return m_times.at(static_cast<size_t>(index)); }
    // The headers by their index: 0..3 the levels, 4 "２次元", 6 "３次元", 5 "４次元".
    QLabel* Label1(int index) const { return m_headers.at(static_cast<size_t>(index)); }

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void RetranslateUi();

    SettingsFile& m_settings;
    QPointer<QWidget> m_iconSource;
    std::array<QLabel*, 12> m_names{};
    std::array<QLabel*, 12> m_times{};
    std::array<QLabel*, 7> m_headers{};
    bool m_loaded = false;
};

}  // namespace kestrune::ui
