// "迷路番号…": the current maze's code with a Copy button, and a field to type a code whose
// maze the game then builds.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace kestrune::ui {

class MazeNumberDialog : public QDialog {
    Q_OBJECT
public:
    // `code` empty: the space has no code, only the entry field is shown.
    MazeNumberDialog(const QString& code, const QString& entry, QWidget* parent = nullptr);

    QString Entry() const;

    QLineEdit* codeField() const { return m_code; }
    QPushButton* copyButton() const { return m_copy; }
    QLineEdit* entryField() const { return m_entry; }
    QPushButton* buildButton() const { return m_build; }

private:
    QLineEdit* m_code = nullptr;
    QPushButton* m_copy = nullptr;
    QLineEdit* m_entry = nullptr;
    QPushButton* m_build = nullptr;
};

}  // namespace kestrune::ui
