#pragma once
// The process-wide state every window relies on. Touched only from the user-interface thread.

#include <QList>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <array>

class QMainWindow;

extern QString strCheminBase;       // the open base's file, "" when none
extern QString strCheminModeleBase; // the model base "modele_base.sav" of the application folder
extern QString strNumLicenceNulle;  // key of the placeholder licence 'Null'

// The current profile and its club.
extern QString strCodeClub;
extern QString strNomClub;
extern bool bClubSelection;
extern QString strNumProfil;
extern QString strNomProfil;
extern qint32 lgPosXSuivi;
extern qint32 lgPosYSuivi;
extern qint32 lgIntervalSuivi;
extern bool bAlwaysVisibleSuivi;

// Menu-lock counters, one collection per menu group; a menu is enabled while its counter is below 1.
using CollectionCompteurs = QList<qint16>;
extern CollectionCompteurs colVerrouClub, colVerrouProfil, colVerrouLicence, colVerrouCompet, colVerrouEngag,
    colVerrouModeleEngag, colVerrouPiscine, colVerrouModeleProg, colVerrouPerf, colVerrouPointsEquipe;

extern qint16 intNbFenetres;

// Control-anchoring lists (indices 0 to 2). Layouts do the anchoring; the lists keep their first item.
using CollectionAncrage = QList<QVariant>;
extern std::array<CollectionAncrage, 3> colAncrageDeplace, colAncrageCentre, colAncrageEtire;
extern bool bChargementFenetre;
extern qint32 lgLargeurMin, lgHauteurMin, lgAncienneProc;

// Typed-date and typed-time memories.
extern QString strDatePrecedente;
extern qint16 intPosDatePrecedente;
extern QString strTempsPrecedent;
extern qint16 intPosTempsPrecedent;

extern QPointer<QMainWindow> frmPrincipal;
