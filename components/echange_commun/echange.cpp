#include "components/echange_commun/echange.h"

#include "core/base.h"
#include "core/erreurs.h"
#include "core/progression.h"
#include "core/services.h"

#include <sqlite3.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <cmath>
#include <utility>

namespace Echange {

namespace {

constexpr int kErreurChemin = 75;
// Beyond this, a broken file would only bury the first faults.
constexpr int kRaisonsMax = 20;
// Row-by-row lines written into a trace before they are only counted.
constexpr int kDetailsMax = 500;
// Labels are repainted at most this often.
constexpr qint64 kIntervalleNomsMs = 100;
// Minutes from which Tps holds a code, not a time.
constexpr double kTempsMax = 91;

QString texteErreur(const std::exception& e)
{
    if (const auto* x = dynamic_cast<const ErreurExecution*>(&e))
        return "erreur n° " + QString::number(x->numero()) + ", " + x->description();
    return QString::fromUtf8(e.what());
}

} // namespace

// ---------------------------------------------------------------- trace

Journal::Journal(const QString& chemin) : m_fichier(chemin)
{
    if (chemin.isEmpty() || !m_fichier.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw ErreurExecution(kErreurChemin, "Impossible de créer le fichier trace " + chemin);
}

void Journal::ecrire(const QString& ligne)
{
    // Values quoted from a file may hold control characters: a line feed would cut the line, a
    // NUL would end the text where the runner shows it.
    QString texte = ligne;
    for (QChar& c : texte) {
        if (c.category() == QChar::Other_Control)
            c = QChar::ReplacementCharacter;
    }
    m_fichier.write(texte.toUtf8() + '\n');
    m_fichier.flush();
}

void Journal::detail(const QString& ligne)
{
    if (++m_details <= kDetailsMax)
        ecrire(ligne);
}

void Journal::fermerDetails()
{
    if (m_details > kDetailsMax)
        ecrire("... et " + QString::number(m_details - kDetailsMax) + " autres lignes semblables.");
    m_details = 0;
}

Refus::Refus(const QStringList& raisons)
    : std::runtime_error(raisons.join('\n').toStdString()), m_raisons(raisons)
{
}

// ---------------------------------------------------------------- component frame

ComposantEchange::ComposantEchange(QString methode, int nbArguments, int indexTrace, QString titre, bool ecritBase)
    : m_methode(std::move(methode)), m_nbArguments(nbArguments), m_indexTrace(indexTrace), m_titre(std::move(titre)),
      m_ecritBase(ecritBase)
{
}

QVariant ComposantEchange::appeler(const QString& membre, const QVariantList& arguments)
{
    // Members are found whatever their case, as late binding did.
    if (membre.compare(m_methode, Qt::CaseInsensitive) != 0)
        throw ErreurExecution(438, "Propriété ou méthode non gérée par cet objet : " + membre);
    if (arguments.size() != m_nbArguments)
        throw ErreurExecution(450, "Nombre d'arguments incorrect.");

    Journal journal(Texte(arguments[m_indexTrace]));
    journal.ecrire(m_titre + " - " + QLocale(QLocale::French).toString(QDateTime::currentDateTime(), "dd/MM/yyyy HH:mm:ss"));
    journal.ecrire(QString());
    bool reussi = false;
    try {
        reussi = executer(arguments, journal);
    } catch (const Refus& r) {
        for (const QString& raison : r.raisons())
            journal.ecrire(raison);
    } catch (const std::exception& e) {
        journal.ecrire("Opération interrompue : " + texteErreur(e) + ".");
    } catch (...) {
        journal.ecrire("Opération interrompue par une erreur inconnue.");
    }
    journal.fermerDetails();
    journal.ecrire(QString());
    if (reussi)
        journal.ecrire("Opération terminée.");
    else if (m_ecritBase)
        journal.ecrire("Echec : aucune modification n'a été enregistrée dans la base.");
    else
        journal.ecrire("Echec : aucun fichier n'a été produit.");
    return reussi;
}

QString Texte(const QVariant& v)
{
    return v.toString();
}

bool Booleen(const QVariant& v)
{
    return v.toBool();
}

// ---------------------------------------------------------------- progress

Progression::Progression(const QVariant& cible) : m_objet(cible.value<QObject*>())
{
    m_horloge.start();
}

CibleProgression* Progression::cible() const
{
    return m_objet ? qobject_cast<CibleProgression*>(m_objet.data()) : nullptr;
}

bool Progression::avancer(qint64 fait, qint64 total)
{
    const int pourcent = total > 0 ? static_cast<int>(std::min<qint64>(100, fait * 100 / total)) : 100;
    if (pourcent == m_pourcent)
        return false;
    m_pourcent = pourcent;
    if (CibleProgression* c = cible())
        c->setProgress(pourcent);
    return true;
}

bool Progression::afficherNoms()
{
    if (m_horloge.elapsed() < kIntervalleNomsMs)
        return false;
    m_horloge.restart();
    return true;
}

void Progression::club(const QString& nom)
{
    if (nom == m_club)
        return;
    m_club = nom;
    if (CibleProgression* c = cible())
        c->setClub(nom);
}

void Progression::nageur(const QString& nom)
{
    if (!afficherNoms())
        return;
    if (CibleProgression* c = cible())
        c->setSwimmer(nom);
}

// ---------------------------------------------------------------- tab-separated files

QString Echapper(const QString& valeur)
{
    QString t;
    t.reserve(valeur.size());
    for (const QChar c : valeur) {
        switch (c.unicode()) {
        case '\\':
            t += QLatin1String("\\\\");
            break;
        case '\t':
            t += QLatin1String("\\t");
            break;
        case '\n':
            t += QLatin1String("\\n");
            break;
        case '\r':
            t += QLatin1String("\\r");
            break;
        default:
            t += c;
        }
    }
    return t;
}

QString Desechapper(const QString& champ)
{
    if (!champ.contains('\\'))
        return champ;
    QString t;
    t.reserve(champ.size());
    for (qsizetype i = 0; i < champ.size(); ++i) {
        const QChar c = champ[i];
        if (c != '\\' || i + 1 == champ.size()) {
            t += c;
            continue;
        }
        const QChar s = champ[i + 1];
        switch (s.unicode()) {
        case '\\':
            t += '\\';
            break;
        case 't':
            t += '\t';
            break;
        case 'n':
            t += '\n';
            break;
        case 'r':
            t += '\r';
            break;
        default:
            // Not one of ours: the backslash is kept as written.
            t += c;
            continue;
        }
        ++i;
    }
    return t;
}

EcrivainTsv::EcrivainTsv(const QString& chemin, const QStringList& colonnes)
    : m_fichier(chemin), m_colonnes(colonnes.size())
{
    if (!m_fichier.open(QIODevice::WriteOnly))
        throw ErreurExecution(kErreurChemin, "Impossible de créer " + chemin + " : " + m_fichier.errorString());
    m_tampon = colonnes.join('\t').toUtf8() + '\n';
}

void EcrivainTsv::ecrire(const QStringList& valeurs)
{
    Q_ASSERT(valeurs.size() == m_colonnes);
    for (qsizetype i = 0; i < valeurs.size(); ++i) {
        if (i)
            m_tampon += '\t';
        m_tampon += Echapper(valeurs[i]).toUtf8();
    }
    m_tampon += '\n';
    ++m_lignes;
    if (m_tampon.size() > (1 << 16))
        vider();
}

void EcrivainTsv::vider()
{
    if (m_fichier.write(m_tampon) != m_tampon.size())
        throw ErreurExecution(kErreurChemin, "Impossible d'écrire " + m_fichier.fileName() + " : " + m_fichier.errorString());
    m_tampon.clear();
}

void EcrivainTsv::terminer()
{
    vider();
    if (!m_fichier.commit())
        throw ErreurExecution(kErreurChemin, "Impossible d'écrire " + m_fichier.fileName() + " : " + m_fichier.errorString());
}

int FichierTsv::index(const QString& colonne) const
{
    return static_cast<int>(colonnes.indexOf(colonne));
}

const QString& FichierTsv::valeur(size_t ligne, int colonne) const
{
    static const QString vide;
    return colonne < 0 ? vide : lignes[ligne][colonne];
}

FichierTsv Lire_tsv(const QString& chemin, const QStringList& obligatoires)
{
    FichierTsv f;
    f.nom = QFileInfo(chemin).fileName();
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        throw Refus("Fichier " + f.nom + " illisible : " + fichier.errorString() + ".");
    const QByteArray octets = fichier.readAll();

    QStringDecoder decodeur(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString texte = decodeur.decode(octets);
    if (decodeur.hasError())
        throw Refus("Fichier " + f.nom + " refusé : il n'est pas écrit en UTF-8.");

    QStringList lignes = texte.split('\n');
    if (!lignes.isEmpty() && lignes.first().startsWith(QChar(0xFEFF)))
        lignes.first().remove(0, 1);
    for (QString& l : lignes) {
        if (l.endsWith('\r'))
            l.chop(1);
    }

    QStringList raisons;
    if (lignes.isEmpty() || lignes.first().trimmed().isEmpty())
        throw Refus("Fichier " + f.nom + " refusé : la première ligne doit nommer les colonnes.");
    // Read on LF only, a file whose lines end with a lone CR is one header line holding the
    // whole file: its values would be reported as columns, over and over.
    if (lignes.first().contains('\r'))
        throw Refus("Fichier " + f.nom + " refusé : ses lignes se terminent par un retour chariot seul (CR) ; "
                    "l'enregistrer avec des fins de ligne LF ou CR LF.");
    for (const QString& c : lignes.first().split('\t'))
        f.colonnes << c.trimmed();
    QSet<QString> vues, doubles;
    for (const QString& c : std::as_const(f.colonnes)) {
        if (vues.contains(c) && !doubles.contains(c)) {
            raisons << "Fichier " + f.nom + " refusé : la colonne " + c + " figure deux fois.";
            doubles.insert(c);
        }
        vues.insert(c);
    }
    for (const QString& c : obligatoires) {
        if (!vues.contains(c))
            raisons << "Fichier " + f.nom + " refusé : la colonne " + c + " manque.";
    }
    if (!raisons.isEmpty())
        throw Refus(raisons);

    const qsizetype attendues = f.colonnes.size();
    int fautes = 0;
    f.lignes.reserve(static_cast<size_t>(lignes.size()));
    f.numeros.reserve(static_cast<size_t>(lignes.size()));
    for (qsizetype i = 1; i < lignes.size(); ++i) {
        const QString& l = lignes[i];
        if (l.isEmpty())
            continue;
        QStringList champs = l.split('\t');
        if (champs.size() != attendues) {
            if (++fautes <= kRaisonsMax)
                raisons << "Ligne " + QString::number(i + 1) + " : " + QString::number(champs.size()) + " colonnes au lieu de "
                               + QString::number(attendues) + ".";
            continue;
        }
        for (QString& c : champs)
            c = Desechapper(c);
        f.lignes.push_back(std::move(champs));
        f.numeros.push_back(static_cast<int>(i + 1));
    }
    if (fautes) {
        if (fautes > kRaisonsMax)
            raisons << "... et " + QString::number(fautes - kRaisonsMax) + " autres lignes mal formées.";
        raisons.prepend("Fichier " + f.nom + " refusé : " + Nombre(fautes, "ligne n'a", "lignes n'ont")
                        + " pas le nombre de colonnes de l'en-tête.");
        throw Refus(raisons);
    }
    return f;
}

QString Fichier_present(const QString& dossier, const QStringList& noms)
{
    for (const QString& nom : noms) {
        const QString chemin = QDir(dossier).filePath(nom);
        if (QFileInfo(chemin).isFile())
            return chemin;
    }
    return QString();
}

// ---------------------------------------------------------------- database

BaseEchange::BaseEchange(const QString& chemin, bool lectureSeule)
{
    if (!QFileInfo(chemin).isFile())
        throw ErreurExecution(SQLITE_CANTOPEN, "La base " + chemin + " est introuvable.");
    m_db = Ouvrir_connexion_sqlite(chemin, lectureSeule);
}

BaseEchange::~BaseEchange()
{
    if (m_transaction)
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(m_db);
}

void BaseEchange::commencer()
{
    // Immediate: the write lock is taken now, not halfway through the import.
    const int rc = sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        Lever_erreur_sqlite(m_db, rc);
    m_transaction = true;
}

void BaseEchange::valider()
{
    const int rc = sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        Lever_erreur_sqlite(m_db, rc);
    m_transaction = false;
}

QString BaseEchange::valeur(const QString& sql, const QVariantList& valeurs) const
{
    Requete r(m_db, sql);
    r.lier(valeurs);
    return r.suivante() ? Valeur_brute(r, 0) : QString();
}

qint64 BaseEchange::dernierId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

void Executer(Requete& requete, const QVariantList& valeurs)
{
    requete.relier(valeurs);
    while (requete.suivante()) {
    }
}

QString Valeur_brute(const Requete& requete, int colonne)
{
    sqlite3_stmt* s = requete.stmt();
    switch (sqlite3_column_type(s, colonne)) {
    case SQLITE_NULL:
        return QString();
    case SQLITE_INTEGER:
        return QString::number(sqlite3_column_int64(s, colonne));
    case SQLITE_FLOAT:
        return Reel_texte(sqlite3_column_double(s, colonne));
    default:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, colonne)),
                                 sqlite3_column_bytes(s, colonne));
    }
}

// ---------------------------------------------------------------- values

QString Raison_temps_impossible(double temps)
{
    if (!std::isfinite(temps))
        return "ce n'est pas un temps";
    if (temps < 0)
        return "temps négatif";
    if (temps >= kTempsMax)
        return "91 minutes ou plus";
    if ((std::llround(temps * 10000) / 100) % 100 >= 60)
        return "60 secondes ou plus";
    return QString();
}

bool Temps_correct(const QString& texte, double& temps)
{
    bool ok = false;
    const double v = QString(texte).replace(',', '.').toDouble(&ok);
    if (!ok || v == 0 || !Raison_temps_impossible(v).isEmpty())
        return false;
    temps = v;
    return true;
}

QString Caractere_interdit(const FichierTsv& f, size_t ligne, const QStringList& colonnes, const QStringList& surPlusieursLignes)
{
    for (const QString& colonne : colonnes) {
        const bool sauts = surPlusieursLignes.contains(colonne);
        for (const QChar c : f.valeur(ligne, f.index(colonne))) {
            if (c.category() != QChar::Other_Control || (sauts && (c == '\t' || c == '\n' || c == '\r')))
                continue;
            return "caractère de contrôle U+" + QString::number(c.unicode(), 16).toUpper().rightJustified(4, '0') + " dans "
                   + colonne;
        }
    }
    return QString();
}

bool Entier_correct(const QString& texte, qint64& valeur)
{
    bool ok = false;
    valeur = texte.toLongLong(&ok);
    return ok;
}

bool Booleen_correct(const QString& texte, bool& valeur)
{
    static const QStringList vrais = {"1", "vrai", "true", "-1"};
    static const QStringList faux = {"0", "faux", "false"};
    const QString t = texte.trimmed().toLower();
    if (vrais.contains(t)) {
        valeur = true;
        return true;
    }
    if (faux.contains(t)) {
        valeur = false;
        return true;
    }
    return false;
}

QString Reel_texte(double valeur)
{
    return QString::number(valeur, 'g', QLocale::FloatingPointShortest);
}

QString Nombre(qint64 n, const QString& singulier, const QString& pluriel)
{
    return QString::number(n) + " " + (n > 1 ? pluriel : singulier);
}

// ---------------------------------------------------------------- matching keys

namespace {

// Upper-case letters that no decomposition brings to a base letter (ß when upper-casing left it).
constexpr std::pair<char16_t, const char16_t*> kLettresDeBase[] = {
    {u'Ø', u"O"}, {u'Ł', u"L"}, {u'Đ', u"D"}, {u'Ð', u"D"}, {u'Æ', u"AE"}, {u'Œ', u"OE"},
    {u'Þ', u"TH"}, {u'Ħ', u"H"}, {u'Ŧ', u"T"}, {u'ß', u"SS"}, {u'ẞ', u"SS"},
};

QStringView Lettre_de_base(char16_t c)
{
    for (const auto& [lettre, base] : kLettresDeBase)
        if (lettre == c)
            return base;
    return {};
}

// Spaces, hyphens and apostrophes in any of their typed forms.
bool Separateur(QChar c)
{
    switch (c.unicode()) {
    case u'\'':
    case u'`':
    case u'\u00B4': // ´
    case u'\u2018': // ‘
    case u'\u2019': // ’
    case u'\u02BC': // ʼ
        return true;
    default:
        return c.isSpace() || c.category() == QChar::Punctuation_Dash;
    }
}

} // namespace

QString Cle_nom(const QString& nom)
{
    const bool ascii = std::all_of(nom.cbegin(), nom.cend(), [](QChar c) { return c.unicode() < 0x80; });
    // Decomposed first, then upper-cased: a letter that decomposes to a small one (ª is a, º o, №
    // No, ǰ j and a caron) meets the same letter typed in capitals. Marks go before upper-casing,
    // but for one that upper-cases to a letter (the iota under ᾳ is Ι, as ᾳ is ΑΙ in capitals).
    const QString texte = ascii ? nom : nom.normalized(QString::NormalizationForm_KD);
    QString lettres;
    lettres.reserve(texte.size());
    for (const QChar c : texte)
        if (!Separateur(c) && (!c.isMark() || c.toUpper() != c))
            lettres += c;
    lettres = std::move(lettres).toUpper();
    if (ascii)
        return lettres;
    QString cle;
    cle.reserve(lettres.size());
    for (const QChar c : std::as_const(lettres)) {
        if (const QStringView base = Lettre_de_base(c.unicode()); !base.isEmpty())
            cle += base;
        else
            cle += c;
    }
    return cle;
}

QString Identite(const QString& nom, const QString& prenom, const QString& naissance)
{
    return Cle_nom(nom) + '\t' + Cle_nom(prenom) + '\t' + naissance.trimmed();
}

} // namespace Echange
