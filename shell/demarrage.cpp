#include "shell/demarrage.h"

#include "core/fenetres.h"
#include "core/globales.h"
#include "shell/frm_principal.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void Main()
{
    for (auto* tableau : {&colAncrageDeplace, &colAncrageEtire, &colAncrageCentre}) {
        for (CollectionAncrage& collection : *tableau)
            collection.append(1);
    }
    intNbFenetres = 0;
    Initialiser_verrous_menus();
    auto* fenetre = new FrmPrincipal;
    fenetre->setAttribute(Qt::WA_DeleteOnClose);
    frmPrincipal = fenetre;
    fenetre->show();
}

bool Installer_traductions_francaises()
{
    auto* traduction = new QTranslator(QCoreApplication::instance());
    if (!traduction->load(QLocale(QLocale::French, QLocale::France), "qtbase", "_",
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traduction;
        return false;
    }
    QCoreApplication::installTranslator(traduction);
    return true;
}
