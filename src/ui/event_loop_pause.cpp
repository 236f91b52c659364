#include "ui/event_loop_pause.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

namespace kestrune::ui {

EventLoopPause::EventLoopPause(QObject* parent) : QObject(parent) {}

EventLoopPause::~EventLoopPause() {
    if (m_loop) m_loop->quit();
}

bool EventLoopPause::Pause(int milliseconds) {
    if (m_stopped) return false;

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool elapsed = false;
    connect(&timer, &QTimer::timeout, &loop, [&] {
        elapsed = true;
        loop.quit();
    });
    // Excluding input with QEventLoop::ExcludeUserInputEvents would hold the window
    // system's close request back as well, so the close box would wait for the end of the
    // ending; a filter drops the input and lets the close request through.
    QCoreApplication::instance()->installEventFilter(this);
    QEventLoop* const outer = m_loop;
    m_loop = &loop;
    timer.start(milliseconds);
    loop.exec();
    m_loop = outer;
    if (!m_loop) QCoreApplication::instance()->removeEventFilter(this);

    // A loop that returned before its timer was ended from outside: Stop(), or the
    // application quitting, which ends every running event loop.
    if (!elapsed) m_stopped = true;
    return !m_stopped;
}

void EventLoopPause::Stop() {
    m_stopped = true;
    if (m_loop) m_loop->quit();
}

void EventLoopPause::WatchWindow(QWidget* window) {
    if (m_window) m_window->removeEventFilter(this);
    m_window = window;
    if (!window) return;
    window->installEventFilter(this);
    connect(window, &QObject::destroyed, this, [this] { Stop(); });
}

bool EventLoopPause::IsUserInput(const QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonRelease:
        case QEvent::NonClientAreaMouseButtonDblClick:
        case QEvent::NonClientAreaMouseMove:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::InputMethod:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TouchCancel:
        case QEvent::TabletPress:
        case QEvent::TabletMove:
        case QEvent::TabletRelease:
        case QEvent::NativeGesture:
        case QEvent::Gesture:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            return true;
        default:
            return false;
    }
}

bool EventLoopPause::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window && event->type() == QEvent::Hide && !m_window->isVisible()) Stop();
    // Input is dropped only while a pause runs; the filter on the watched window stays.
    return m_loop && IsUserInput(event);
}

}  // namespace kestrune::ui
