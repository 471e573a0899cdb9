#include "app/appsetup.h"

#include "platform/numbertext.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace AppSetup {

void configure(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("Velmora"));
    QApplication::setApplicationDisplayName(QStringLiteral("Velmora"));
    QApplication::setDesktopFileName(QStringLiteral("velmora"));
    NumberText::initFromSystemLocale();

    // The interface is German: standard buttons ("Ja", "Abbrechen") and Qt's own dialogs too.
    auto *qtTexts = new QTranslator(&app);
    if (qtTexts->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtTexts);
    else
        delete qtTexts;
}

} // namespace AppSetup
