// Kestrune's entry: wires the game state, services and windows together.
#include <QApplication>
#include <QEventLoop>
#include <QIcon>
#include <QLocale>
#include <memory>

#include "game/files.h"
#include "game/game_state.h"
#include "game/services.h"
#include "game/tower_file.h"
#include "media/audio_system.h"
#include "media/backend/sdl_audio.h"
#include "settings/language_setting.h"
#include "settings/settings_file.h"
#include "ui/desktop_links.h"
#include "ui/event_loop_pause.h"
#include "ui/game_window.h"
#include "ui/language.h"
#include "ui/qt_services.h"
#include "ui/termination.h"
#include "ui/title_window.h"

int main(int argc, char** argv) {
    using namespace kestrune;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrune"));
    // The program ends when the game window closes (or the title window without a choice),
    // not when some last window happens to close.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/kestrune.png")));
    ui::UseDesignFonts();

    auto state = std::make_unique<GameState>();
    SettingsFile settings;
    settings.LocateSettingsFile(ProgramDirectory());
    // The stored choice, else the system's language; nothing is written before a choice.
    ui::ApplyLanguage(
        StartLanguage(settings, QLocale::system().uiLanguages().value(0).toStdString()));
    PrepareStartup(*state);

    // The title window: wait for the choice in a nested event loop.
    {
        ui::TitleWindow title(*state, kTowerFileName);
        QEventLoop wait;
        QObject::connect(&title, &ui::TitleWindow::decided, &wait, &QEventLoop::quit);
        title.show();
        if (state->GameMode == kModeTitle) wait.exec();
    }
    if (state->GameMode != kModePractice && state->GameMode != kModeTower) return 0;

    std::unique_ptr<AudioSystem> audio = CreateSdlAudio(ProgramDirectory());
    // The end of a piece is reported on the audio thread; the restart runs on this one.
    audio->music().ListenForEnds([&app](std::function<void()> restart) {
        QMetaObject::invokeMethod(&app, std::move(restart), Qt::QueuedConnection);
    });
    StandardRandom random;
    SystemClock clock;
    ui::QtDialogs dialogs;
    ui::QtFramePacer pacer;
    ui::DesktopLinkOpener links;
    ui::EventLoopPause pause;

    ui::GameWindow window(ui::GameWindowDeps{*state, settings, random, clock, audio->music(),
                                             audio->effects(), dialogs, pacer, links, pause,
                                             kTowerFileName});
    dialogs.SetParent(&window);
    pacer.SetWidget(&window);
    pause.WatchWindow(&window);
    ui::CloseOnTerminationSignals(&window);
    window.show();
    window.logic().BuildFirstSpace();
    return app.exec();
}
