// "キー設定…": the fourteen panel actions with their keypad keys and their main-keyboard
// keys; the player clicks a key field and presses the new key.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <array>
#include <functional>

#include "navigation/key_bindings.h"

class QPushButton;

namespace kestrune::ui {

// A field that takes the next key pressed in it (with its modifiers) instead of text.
class KeyCaptureField : public QLineEdit {
    Q_OBJECT
public:
    explicit KeyCaptureField(QWidget* parent = nullptr);

signals:
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

class KeySettingsDialog : public QDialog {
    Q_OBJECT
public:
    // Shows a refusal to the player; a message box unless the tests bring their own.
    using RefusalFunction = std::function<void(const QString& text)>;

    explicit KeySettingsDialog(const KeyBindings& keys, QWidget* parent = nullptr,
                               RefusalFunction refuse = {});

    // The keys as the player has left them; the caller stores them after OK.
    const KeyBindings& Keys() const { return m_keys; }

    KeyCaptureField* field(int slot) const { return m_fields[static_cast<std::size_t>(slot)]; }
    QPushButton* defaultsButton() const { return m_defaults; }

private:
    void Offer(int slot, int key, Qt::KeyboardModifiers modifiers);
    void ShowKeys();

    KeyBindings m_keys;
    std::array<KeyCaptureField*, kPanelActionCount> m_fields{};
    QPushButton* m_defaults = nullptr;
    RefusalFunction m_refuse;
};

}  // namespace kestrune::ui
