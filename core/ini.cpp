#include "core/ini.h"

#include <QFile>

namespace {

QString nomNormalise(const QString& nom)
{
    return nom.trimmed().toLower();
}

QString sansGuillemets(const QString& valeur)
{
    if (valeur.size() >= 2) {
        const QChar premier = valeur.front();
        if ((premier == '"' || premier == '\'') && valeur.back() == premier)
            return valeur.mid(1, valeur.size() - 2);
    }
    return valeur;
}

} // namespace

FichierIni::FichierIni(const QString& chemin)
{
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        return;
    m_existe = true;
    QByteArray octets = fichier.readAll();
    if (octets.startsWith("\xEF\xBB\xBF"))
        octets.remove(0, 3);
    const QString texte = QString::fromUtf8(octets);

    QHash<QString, QString>* section = nullptr; // nullptr: outside a section, or in a repeated one
    for (QStringView ligne : QStringView(texte).split('\n')) {
        ligne = ligne.trimmed();
        if (ligne.isEmpty() || ligne.front() == ';')
            continue;
        if (ligne.front() == '[') {
            const qsizetype fin = ligne.indexOf(']');
            const QString nom = nomNormalise((fin < 0 ? ligne.mid(1) : ligne.mid(1, fin - 1)).toString());
            section = m_sections.contains(nom) ? nullptr : &m_sections[nom];
            continue;
        }
        const qsizetype egal = ligne.indexOf('=');
        if (!section || egal <= 0)
            continue;
        const QString cle = nomNormalise(ligne.left(egal).toString());
        if (!cle.isEmpty() && !section->contains(cle))
            section->insert(cle, sansGuillemets(ligne.mid(egal + 1).trimmed().toString()));
    }
}

QString FichierIni::valeur(const QString& section, const QString& cle) const
{
    const auto s = m_sections.constFind(nomNormalise(section));
    return s == m_sections.constEnd() ? QString() : s->value(nomNormalise(cle));
}

QString Lire_ini(const QString& section, const QString& cle, const QString& fichier)
{
    return FichierIni(fichier).valeur(section, cle);
}
