#include "entries/utils_relais.h"

#include "core/globales.h"
#include "core/fenetres.h"
#include "core/listes.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <algorithm>

void Init_colonnes_listes_relais(QTreeWidget* lv, QTreeWidget* lvNum)
{
    lv->clear();
    QStringList titres{"Nom", "Prénom", "Licence"};
    if (bClubSelection)
        titres << "Club";
    lv->setColumnCount(titres.size());
    lv->setHeaderLabels(titres);
    const int tiers = lv->width() / 3;
    lv->setColumnWidth(0, tiers);
    lv->setColumnWidth(1, tiers);
    lv->setColumnWidth(2, std::max(20, tiers - Twips_en_pixels(300)));
    if (bClubSelection)
        lv->setColumnWidth(3, Twips_en_pixels(2000));
    lvNum->clear();
    lvNum->setColumnCount(1);
    lvNum->setHeaderLabels({"NumAuto"});
}

void Deplacer_relayeur(QTreeWidget* lv, QTreeWidget* lvNum, int limit, int step)
{
    Selectionner_tous(lv, lvNum);
    Deplacer_elements(lv, limit, step);
    Deplacer_elements(lvNum, limit, step);
}
