#include "shell/demarrage.h"

#include "core/fenetres.h"
#include "core/globales.h"
#include "shell/frm_principal.h"

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
