#include "core/services.h"
#include "shell/demarrage.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Quorvelane");
    QApplication::setApplicationName("Quorvelane");
    QApplication::setApplicationVersion(QV_VERSION);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));

    // The standard buttons ("Oui", "Non", "Annuler") in French.
    QTranslator traduction;
    if (traduction.load(QLocale(QLocale::French), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traduction);

    Preparer_repertoire_application();
    Main();
    return app.exec();
}
