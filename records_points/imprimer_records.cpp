#include "records_points/imprimer_records.h"

#include "core/dates.h"
#include "core/globales.h"
#include "core/rapport.h"
#include "core/services.h"
#include "core/utils.h"

#include <QTreeWidget>

QString Ligne_record(const QString& nom, const QString& tps, const QString& date, const QString& lieu)
{
    return Completer_droite(nom, 47) + Completer_gauche(tps, 9) + Completer_droite(date, 18) + lieu;
}

namespace {

// The report window goes whatever way the document ends.
struct FinDocument {
    ~FinDocument() { Decharger_frm_tempo_rapport(); }
};

QString Cellule(const QTreeWidgetItem* ligne, int colonne)
{
    return ligne->text(colonne).trimmed();
}

} // namespace

bool Imprimer_records(QTreeWidget* lsvRecords, const QString& bassinVue, const QString& fichier,
                      bool versImprimante, QPrinter* imprimante)
{
    FinDocument fin;
    BoiteRiche& boite = *Charger_frm_tempo_rapport().rich;
    if (!Construire_modele_impression(Services::repertoireApplication() + "/rec.rtf", boite, "rec", false))
        return false;
    Rtb_remplacer_balise(boite, "<NOM_CLUB>", strNomClub, 0);
    Rtb_remplacer_balise(boite, "<DATE_MAJ>", Date_en_texte(Aujourdhui_texte()), 0);
    Rtb_remplacer_balise(boite, "<TYPE_BASSIN>",
                         bassinVue.isEmpty() ? QString("Tous bassins") : "Bassin de " + bassinVue + " mètres", 0);
    Rtb_ecrire(boite, "\r\n", 0);
    Rtb_selectionner(boite, boite.longueur(), 0);
    Rtb_ecrire(boite, "\r\n", 0);

    const bool relayeurs = lsvRecords->columnCount() > 5;
    for (int i = 0; i < lsvRecords->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* ligne = lsvRecords->topLevelItem(i);
        const QString categorie = Cellule(ligne, 0);
        const QString nom = Cellule(ligne, 1);
        const QString tps = Cellule(ligne, 2);
        if (categorie.isEmpty() && nom.isEmpty() && tps.isEmpty()) {
            Rtb_ecrire(boite, "\r\n", 12);
            continue;
        }
        if (categorie.isEmpty() && tps.isEmpty()) {
            Rtb_ecrire_gras(boite, 12, "\t\t" + nom + "\r\n");
            continue;
        }
        if (!categorie.isEmpty()) {
            Rtb_ecrire(boite, "\r\n\t", 12);
            Rtb_ecrire_souligne(boite, 12, categorie);
            Rtb_ecrire(boite, "\r\n", 0);
        }
        Rtb_ecrire(boite, Ligne_record(nom, tps, Cellule(ligne, 3), ligne->text(4)) + "\r\n", 8);
        if (relayeurs) {
            QString noms;
            for (int c = 5; c < 15 && c < lsvRecords->columnCount(); ++c) {
                if (!Cellule(ligne, c).isEmpty())
                    noms += "; " + ligne->text(c);
            }
            if (!noms.trimmed().isEmpty())
                Rtb_ecrire(boite, "(" + noms.mid(2) + ")\r\n", 8);
        }
    }
    return Rtb_imprimer(boite, versImprimante ? imprimante : nullptr, fichier, versImprimante);
}
