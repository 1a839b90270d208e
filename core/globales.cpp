#include "core/globales.h"

#include <QMainWindow>

QString strCheminBase;
QString strCheminModeleBase;
QString strNumLicenceNulle;

QString strCodeClub;
QString strNomClub;
bool bClubSelection = false;
QString strNumProfil;
QString strNomProfil;
qint32 lgPosXSuivi = 0;
qint32 lgPosYSuivi = 0;
qint32 lgIntervalSuivi = 0;
bool bAlwaysVisibleSuivi = false;

CollectionCompteurs colVerrouClub, colVerrouProfil, colVerrouLicence, colVerrouCompet, colVerrouEngag,
    colVerrouModeleEngag, colVerrouPiscine, colVerrouModeleProg, colVerrouPerf, colVerrouPointsEquipe;

qint16 intNbFenetres = 0;

std::array<CollectionAncrage, 3> colAncrageDeplace, colAncrageCentre, colAncrageEtire;
bool bChargementFenetre = false;
qint32 lgLargeurMin = 0, lgHauteurMin = 0, lgAncienneProc = 0;

QString strDatePrecedente;
qint16 intPosDatePrecedente = 0;
QString strTempsPrecedent;
qint16 intPosTempsPrecedent = 0;

QPointer<QMainWindow> frmPrincipal;
