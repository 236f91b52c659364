#include "ui/key_settings_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "navigation/menu_texts.h"
#include "text/catalogue.h"
#include "ui/keypad.h"

namespace kestrune::ui {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// Keys the field lets through to the dialog (close, confirm) or waits past (modifiers).
bool IsDialogKey(int key) {
    return key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter ||
           key == Qt::Key_Tab || key == Qt::Key_Backtab;
}
bool IsModifierKey(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
           key == Qt::Key_Meta || key == Qt::Key_AltGr || key == Qt::Key_CapsLock ||
           key == Qt::Key_NumLock;
}

class CapturingField : public KeyCaptureField {
public:
    using KeyCaptureField::KeyCaptureField;

protected:
    // The field takes every key before a button's shortcut (Alt+letter) can.
    bool event(QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride &&
            !IsDialogKey(static_cast<QKeyEvent*>(event)->key())) {
            event->accept();
            return true;
        }
        return KeyCaptureField::event(event);
    }
};

}  // namespace

KeyCaptureField::KeyCaptureField(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    setAlignment(Qt::AlignCenter);
}

void KeyCaptureField::keyPressEvent(QKeyEvent* event) {
    if (IsDialogKey(event->key())) {
        event->ignore();
        return;
    }
    event->accept();
    // A held key is offered once.
    if (IsModifierKey(event->key()) || event->isAutoRepeat()) return;
    emit keyPressed(event->key(), event->modifiers());
}

KeySettingsDialog::KeySettingsDialog(const KeyBindings& keys, QWidget* parent,
                                     RefusalFunction refuse)
    : QDialog(parent), m_keys(keys), m_refuse(std::move(refuse)) {
    setWindowTitle(Q(text::Tr(captions::kKeySettingsTitle)));
    if (!m_refuse) {
        m_refuse = [this](const QString& text) { QMessageBox::warning(this, windowTitle(), text); };
    }
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    for (int column = 0; column < 3; ++column) {
        auto* header = new QLabel(Q(text::Tr(captions::kKeyColumns[column])), this);
        QFont bold = header->font();
        bold.setBold(true);
        header->setFont(bold);
        grid->addWidget(header, 0, column);
    }
    for (int slot = 0; slot < kPanelActionCount; ++slot) {
        const PanelActionInfo& info = kPanelActions[static_cast<std::size_t>(slot)];
        grid->addWidget(new QLabel(Q(text::Tr(info.name)), this), slot + 1, 0);
        grid->addWidget(new QLabel(Q(KeypadKeyName(slot)), this), slot + 1, 1);
        auto* field = new CapturingField(this);
        field->setMinimumWidth(
            fontMetrics().horizontalAdvance(QStringLiteral("Ctrl+Alt+Shift+PgDown")) + 16);
        m_fields[static_cast<std::size_t>(slot)] = field;
        grid->addWidget(field, slot + 1, 2);
        connect(field, &KeyCaptureField::keyPressed, this,
                [this, slot](int key, Qt::KeyboardModifiers modifiers) {
                    Offer(slot, key, modifiers);
                });
    }
    auto* hint = new QLabel(Q(text::Tr(captions::kKeySettingsHint)), this);
    hint->setWordWrap(true);
    layout->addWidget(hint);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_defaults =
        buttons->addButton(Q(text::Tr(captions::kKeyDefaults)), QDialogButtonBox::ResetRole);
    connect(m_defaults, &QPushButton::clicked, this, [this] {
        m_keys = KeyBindings();
        ShowKeys();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    // No field waits for a key until the player picks one.
    buttons->button(QDialogButtonBox::Ok)->setFocus();
    ShowKeys();
}

void KeySettingsDialog::Offer(int slot, int key, Qt::KeyboardModifiers modifiers) {
    if (const auto refusal = OfferKey(m_keys, slot, MainKeyName(key, modifiers)))
        m_refuse(Q(*refusal));
    ShowKeys();
}

void KeySettingsDialog::ShowKeys() {
    for (int slot = 0; slot < kPanelActionCount; ++slot)
        field(slot)->setText(Q(KeyDisplayName(m_keys.Key(slot))));
}

}  // namespace kestrune::ui
