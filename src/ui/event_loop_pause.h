// The pause of the tower ending: waits in a local event loop so the windows stay painted,
// while clicks and keys are dropped so nothing the player does can start a turn, a step or a
// menu command in the middle of the ending.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "game/pause.h"

class QEventLoop;

namespace kestrune::ui {

class EventLoopPause final : public QObject, public IPause {
    Q_OBJECT
public:
    explicit EventLoopPause(QObject* parent = nullptr);
    ~EventLoopPause() override;

    // Waits `milliseconds` with timers, painting and window-system events running, but
    // mouse, keyboard, wheel, touch and drag input dropped. Returns false without waiting
    // once Stop() was called, and false when the wait was cut short by Stop(), by the
    // watched window going away or by the application quitting.
    bool Pause(int milliseconds) override;

    // Makes the running pause and every later one return false at once.
    void Stop();
    // Lets pauses run again (a new game window, a new ending).
    void Reset() { m_stopped = false; }
    bool IsStopped() const { return m_stopped; }

    // Stops when `window` is closed (hidden while not minimised) or destroyed: the game
    // window's close box ends the ending at once instead of after a minute.
    void WatchWindow(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static bool IsUserInput(const QEvent* event);

    QEventLoop* m_loop = nullptr;
    bool m_stopped = false;
    QPointer<QWidget> m_window;
};

}  // namespace kestrune::ui
