#include "ui/desktop_links.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace kestrune::ui {

void DesktopLinkOpener::Open(const std::string& target) {
    const QString text = QString::fromStdString(target);
    const QUrl url = text.startsWith(QLatin1Char('/')) ? QUrl::fromLocalFile(text) : QUrl(text);
    QDesktopServices::openUrl(url);
}

}  // namespace kestrune::ui
