// Draws the help page's pictures with the game's own window, offscreen: a cell of the first
// tower floor, turned so that a wall stands ahead while ana is open and kata is wall, in both
// languages.
// Usage: kestrune_help_pictures OUT_DIR (tools/make_help_pictures.sh runs it).
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

#include "game/game_state.h"
#include "game/services.h"
#include "media/audio_system.h"
#include "settings/settings_file.h"
#include "ui/desktop_links.h"
#include "ui/event_loop_pause.h"
#include "ui/game_window.h"
#include "ui/language.h"
#include "ui/qt_services.h"
#include "ui/view_widget.h"

namespace {

using namespace kestrune;

// Whether the cell `ahead` steps forward and `side` steps along the player's axis `column`
// is open.
bool Open(const GameState& state, const Matrix4& m, int ahead, int column, int side) {
    Vec4 cell = state.PlayerPos;
    for (int k = 0; k < 4; ++k) cell[k] += ahead * m[k][0] + side * m[k][column];
    return state.MazeSpace[CellIndex(cell)] == CellOpen;
}

int Determinant(const Matrix4& m) {
    // A signed permutation: the product of its non-zero entries times the permutation's sign.
    std::array<int, 4> column{};
    int sign = 1;
    for (int a = 0; a < 4; ++a)
        for (int p = 0; p < 4; ++p)
            if (m[a][p] != 0) {
                column[static_cast<std::size_t>(a)] = p;
                sign *= m[a][p];
            }
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            if (column[static_cast<std::size_t>(i)] > column[static_cast<std::size_t>(j)])
                sign = -sign;
    return sign;
}

// The first turn (in a fixed order) of the player's cell facing a wall one cell ahead, with a
// side opening just before it, ana open and kata wall: everything the help explains at once.
std::optional<Matrix4> TeachingTurn(const GameState& state) {
    std::array<int, 4> perm = {0, 1, 2, 3};
    do {
        for (int signs = 0; signs < 16; ++signs) {
            Matrix4 m{};
            for (int a = 0; a < 4; ++a)
                m[a][perm[static_cast<std::size_t>(a)]] = (signs >> a) & 1 ? -1 : 1;
            if (Determinant(m) != 1) continue;
            const bool wallAhead = Open(state, m, 1, 0, 0) && !Open(state, m, 2, 0, 0);
            const bool sideOpen = Open(state, m, 1, 1, 1) || Open(state, m, 1, 1, -1) ||
                                  Open(state, m, 1, 2, 1) || Open(state, m, 1, 2, -1);
            const bool anaOpen = Open(state, m, 0, 3, 1);
            const bool kataWall = !Open(state, m, 0, 3, -1);
            if (wallAhead && sideOpen && anaOpen && kataWall) return m;
        }
    } while (std::next_permutation(perm.begin(), perm.end()));
    return std::nullopt;
}

// The first open cell of the floor, in the maze's own order, that has such a turn.
bool PlaceForTeaching(GameState& state) {
    for (int w = 4; w <= 16; ++w)
        for (int z = 4; z <= 16; ++z)
            for (int y = 4; y <= 16; ++y)
                for (int x = 4; x <= 16; ++x) {
                    if (state.MazeSpace[CellIndex(x, y, z, w)] != CellOpen) continue;
                    state.PlayerPos = {x, y, z, w};
                    if (const auto turn = TeachingTurn(state)) {
                        state.Orientation = *turn;
                        return true;
                    }
                }
    return false;
}

bool Save(const QPixmap& picture, const QString& path) {
    if (picture.toImage().convertToFormat(QImage::Format_RGB32).save(path, "PNG")) {
        std::printf("%s %dx%d\n", qPrintable(path), picture.width(), picture.height());
        return true;
    }
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT_DIR\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir scratch;  // the settings and the tower file stay out of the player's way
    ui::UseDesignFonts();

    bool ok = true;
    for (const text::Language language : {text::Language::Japanese, text::Language::English}) {
        ui::ApplyLanguage(language);
        const QString suffix = language == text::Language::Japanese ? "ja" : "en";
        auto state = std::make_unique<GameState>();
        SettingsFile settings;
        settings.LocateSettingsFile(scratch.path().toStdString());
        PrepareStartup(*state);
        state->GameMode = kModeTower;
        SetNewTowerStart(*state);

        std::unique_ptr<AudioSystem> audio = CreateSilentAudio(scratch.path().toStdString());
        StandardRandom random;
        SystemClock clock;
        ui::QtDialogs dialogs;
        ui::QtFramePacer pacer;
        ui::DesktopLinkOpener links;
        ui::EventLoopPause pause;
        ui::GameWindow window(ui::GameWindowDeps{*state, settings, random, clock, audio->music(),
                                                 audio->effects(), dialogs, pacer, links, pause,
                                                 (scratch.path() + "/tower").toStdString()});
        window.show();
        window.logic().BuildFirstSpace();
        if (!PlaceForTeaching(*state)) {
            std::fprintf(stderr, "no cell with a wall ahead and ana open\n");
            return 1;
        }
        window.logic().DrawScreen();
        QApplication::processEvents();

        if (language == text::Language::Japanese)
            ok &= Save(window.view()->grab(), out.filePath("help-view.png"));
        ok &= Save(window.grab(), out.filePath("help-window-" + suffix + ".png"));
        // The direction readout: from its heading down to the two fourth-axis bands.
        QWidget* panel = window.panel();
        const int top = window.houkouLabel(0)->y() - 22;
        const int bottom = window.houkouLabel(6)->geometry().bottom() + 1;
        ok &= Save(panel->grab(QRect(0, top, panel->width(), bottom - top)),
                   out.filePath("help-readout-" + suffix + ".png"));
        ok &= Save(window.strip()->grab(), out.filePath("help-strip-" + suffix + ".png"));
        window.close();
    }
    return ok ? 0 : 1;
}
