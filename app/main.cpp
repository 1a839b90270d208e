#include "clubs_licences/utils_club.h"
#include "core/services.h"
#include "shell/demarrage.h"
#include "shell/profils.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Quorvelane");
    QApplication::setApplicationName("Quorvelane");
    QApplication::setApplicationVersion(QV_VERSION);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    Installer_traductions_francaises();

    Preparer_repertoire_application();
    Installer_etapes_clubs();
    Installer_etapes_profil();
    Main();
    return app.exec();
}
