// The ending's pause: the event loop keeps running, player input is dropped, and closing the
// game window ends the wait at once.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "ui/event_loop_pause.h"

using kestrune::ui::EventLoopPause;

namespace {

class InputCounter final : public QWidget {
public:
    int keys = 0;
    int presses = 0;

protected:
    void keyPressEvent(QKeyEvent*) override { ++keys; }
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

// Long enough that a test only passes when the wait really ends early.
constexpr int kLongWait = 60000;

}  // namespace

TEST(EventLoopPause, TimersRunButKeysAndClicksAreDroppedDuringTheWait) {
    EventLoopPause pause;
    InputCounter widget;
    widget.show();
    int ticks = 0;
    QTimer::singleShot(0, [&] {
        ++ticks;
        QTest::keyClick(&widget, Qt::Key_5, Qt::KeypadModifier);
        QTest::mouseClick(&widget, Qt::LeftButton);
    });
    EXPECT_TRUE(pause.Pause(0));
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(widget.keys, 0);
    EXPECT_EQ(widget.presses, 0);

    // Outside a pause input reaches the window again.
    QTest::keyClick(&widget, Qt::Key_5, Qt::KeypadModifier);
    QTest::mouseClick(&widget, Qt::LeftButton);
    EXPECT_EQ(widget.keys, 1);
    EXPECT_EQ(widget.presses, 1);
}

TEST(EventLoopPause, ClosingTheWatchedWindowEndsTheWaitAndEveryLaterOne) {
    EventLoopPause pause;
    QWidget game;
    game.show();
    pause.WatchWindow(&game);
    QTimer::singleShot(0, &game, [&] { game.close(); });
    EXPECT_FALSE(pause.Pause(kLongWait));
    EXPECT_TRUE(pause.IsStopped());
    EXPECT_FALSE(pause.Pause(kLongWait));

    pause.Reset();
    game.show();
    EXPECT_TRUE(pause.Pause(0));
}

TEST(EventLoopPause, MinimisingOrHidingAnotherWindowDoesNotStopIt) {
    EventLoopPause pause;
    QWidget game;
    QWidget other;
    game.show();
    other.show();
    pause.WatchWindow(&game);
    QTimer::singleShot(0, &other, [&] { other.close(); });
    EXPECT_TRUE(pause.Pause(0));
    EXPECT_FALSE(pause.IsStopped());
}

TEST(EventLoopPause, DestroyingTheWatchedWindowOrStopEndsTheWait) {
    EventLoopPause pause;
    auto* game = new QWidget;
    game->show();
    pause.WatchWindow(game);
    QTimer::singleShot(0, [&] { delete game; });
    EXPECT_FALSE(pause.Pause(kLongWait));

    EventLoopPause stopped;
    QTimer::singleShot(0, [&] { stopped.Stop(); });
    EXPECT_FALSE(stopped.Pause(kLongWait));
}

TEST(EventLoopPause, ApplicationQuittingEndsTheWait) {
    EventLoopPause pause;
    bool insideLoop = false;
    QTimer::singleShot(0, [&] {
        // Quitting ends every running event loop; a nested one stands in for the main one.
        QTimer::singleShot(0, [&] {
            insideLoop = true;
            QCoreApplication::exit(0);
        });
    });
    QEventLoop main;
    QTimer::singleShot(0, &main, [&] {
        EXPECT_FALSE(pause.Pause(kLongWait));
        main.quit();
    });
    main.exec();
    EXPECT_TRUE(insideLoop);
    EXPECT_TRUE(pause.IsStopped());

    // The quit request stays pending for the thread until the application's own loop has
    // run; run it once so the tests after this one get working event loops.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
}
