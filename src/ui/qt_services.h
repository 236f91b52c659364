// Qt implementations of the platform services: modal boxes, the beep, frame pacing.
#pragma once

#include <QElapsedTimer>

#include "navigation/game_window.h"

class QWidget;

namespace kestrune::ui {

class QtDialogs final : public IDialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }
    bool AskYesNo(const std::string& text, const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title) override;
    void ShowMessage(const std::string& text, const std::string& title) override;
    void Beep() override;
    // In maze_number_dialog.cpp, beside its box.
    std::optional<std::string> MazeNumberBox(const std::string& code,
                                             const std::string& entry) override;

private:
    QWidget* m_parent;
};

// Holds each animation picture for one refresh period of the screen. Input is not handled
// meanwhile: keys and clicks wait in the queue and are carried out afterwards, in order.
class QtFramePacer final : public IFramePacer {
public:
    void SetWidget(QWidget* widget) { m_widget = widget; }
    void WaitFrame() override;

private:
    QWidget* m_widget = nullptr;
    QElapsedTimer m_sinceLastFrame;
};

}  // namespace kestrune::ui
