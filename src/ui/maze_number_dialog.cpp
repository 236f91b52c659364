#include "ui/maze_number_dialog.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "navigation/menu_texts.h"
#include "ui/language.h"
#include "ui/qt_services.h"

namespace kestrune::ui {

MazeNumberDialog::MazeNumberDialog(const QString& code, const QString& entry, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QTr(captions::kMazeNumberTitle));
    auto* layout = new QVBoxLayout(this);
    // Digits of one width read out more easily.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(14);

    if (!code.isEmpty()) {
        layout->addWidget(new QLabel(QTr(captions::kMazeNumberCurrent), this));
        auto* row = new QHBoxLayout;
        m_code = new QLineEdit(code, this);
        m_code->setObjectName(QStringLiteral("mazeCode"));
        m_code->setReadOnly(true);
        m_code->setFont(fixed);
        row->addWidget(m_code);
        m_copy = new QPushButton(QTr(captions::kMazeNumberCopy), this);
        m_copy->setAutoDefault(false);
        connect(m_copy, &QPushButton::clicked, this,
                [this] { QGuiApplication::clipboard()->setText(m_code->text()); });
        row->addWidget(m_copy);
        layout->addLayout(row);
    } else {
        layout->addWidget(new QLabel(QTr(captions::kMazeNumberNone), this));
    }

    layout->addSpacing(8);
    layout->addWidget(new QLabel(QTr(captions::kMazeNumberEntry), this));
    m_entry = new QLineEdit(entry, this);
    m_entry->setObjectName(QStringLiteral("mazeCodeEntry"));
    m_entry->setFont(fixed);
    layout->addWidget(m_entry);

    auto* buttons = new QDialogButtonBox(this);
    m_build = buttons->addButton(QTr(captions::kMazeNumberBuild), QDialogButtonBox::AcceptRole);
    m_build->setDefault(true);
    buttons->addButton(QTr(captions::kMazeNumberClose), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    m_entry->setFocus();
}

QString MazeNumberDialog::Entry() const {
    return m_entry->text();
}

std::optional<std::string> QtDialogs::MazeNumberBox(const std::string& code,
                                                    const std::string& entry) {
    MazeNumberDialog dialog(QString::fromStdString(code), QString::fromStdString(entry), m_parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Entry().toStdString();
}

}  // namespace kestrune::ui
