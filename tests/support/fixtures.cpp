#include "fixtures.h"

#include "core/base.h"
#include "core/globales.h"
#include "core/services.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>

#include <stdexcept>

QString Chemin_modele_construit()
{
    return QStringLiteral(QV_RUNTIME_DIR "/modele_base.sav");
}

ReglagesTest::ReglagesTest()
{
    if (!m_dir.isValid())
        throw std::runtime_error("dossier des réglages introuvable");
    QCoreApplication::setOrganizationName("Quorvelane");
    QCoreApplication::setApplicationName("Quorvelane");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
}

QString RepertoireTest::dossier(const QString& nom) const
{
    const QString d = fichier(nom);
    QDir().mkpath(d);
    return d;
}

RepertoireTest::RepertoireTest()
{
    Services::fixerRepertoireApplication(m_dir.path());
    const QDir source(QStringLiteral(QV_RUNTIME_DIR));
    for (const QFileInfo& f : source.entryInfoList(QDir::Files))
        QFile::copy(f.filePath(), m_dir.path() + "/" + f.fileName());
    strCheminModeleBase = m_dir.path() + "/modele_base.sav";
}

RepertoireTest::~RepertoireTest()
{
    Services::fixerRepertoireApplication(QString());
}

BaseTest::BaseTest(const QString& nom)
{
    m_chemin = m_rep.fichier(nom);
    if (!QFile::copy(Chemin_modele_construit(), m_chemin))
        throw std::runtime_error("modèle introuvable");
    QFile(m_chemin).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    strCheminBase = m_chemin;
    QString erreur;
    if (!Ouvrir_base(erreur))
        throw std::runtime_error(erreur.toStdString());
}

BaseTest::~BaseTest()
{
    cnxBase.fermer();
    strCheminBase.clear();
}

void BaseTest::executer(const QString& sql) const
{
    cnxBase.Execute(sql);
}

QString BaseTest::valeur(const QString& sql) const
{
    Requete r(cnxBase.handle(), sql);
    return r.suivante() ? r.texte(0) : QString();
}

JourFixe::JourFixe(const QDate& jour)
{
    Services::fixerAujourdhui(jour);
}

JourFixe::~JourFixe()
{
    Services::fixerAujourdhui(QDate());
}

QStringList Valeurs_colonne(const QString& sql)
{
    Executer_requete(sql, false);
    const QStringList valeurs = colResultat.colonne(0);
    Liberer_resultat();
    return valeurs;
}

QStringList Lignes_requete(const QString& sql)
{
    QStringList lignes;
    Requete r(cnxBase.handle(), sql);
    while (r.suivante()) {
        QStringList colonnes;
        for (int i = 0; i < r.colonnes(); ++i)
            colonnes << r.texte(i);
        lignes << colonnes.join('|');
    }
    return lignes;
}
