#include "ui/language.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QWidget>

namespace kestrune::ui {

namespace {
// Qt's Japanese texts ("はい", "キャンセル" …), loaded once and owned by the application.
QTranslator* QtJapanese() {
    static const QString name = QStringLiteral("kestrune_qtbase_ja");
    if (auto* existing = qApp->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly))
        return existing;
    auto* translator = new QTranslator(qApp);
    translator->setObjectName(name);
    // Without Qt's translations installed the buttons stay English; nothing else changes.
    (void)translator->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"),
                           QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return translator;
}
}  // namespace

QString QTr(std::string_view japanese) {
    return QString::fromStdString(text::Tr(japanese));
}

void UseDesignFonts() {
    QFont::insertSubstitution(QString::fromUtf8(kDesignFontFamily), QStringLiteral("IPAPGothic"));
}

void ApplyLanguage(text::Language language) {
    text::SetLanguage(language);
    QTranslator* qtJapanese = QtJapanese();
    QCoreApplication::removeTranslator(qtJapanese);
    if (language == text::Language::Japanese) QCoreApplication::installTranslator(qtJapanese);
    // Qt posts its own notice for the next turn of the event loop; the windows change now.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(window, &change);
    }
}

}  // namespace kestrune::ui
