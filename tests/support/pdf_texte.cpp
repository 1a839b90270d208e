#include "pdf_texte.h"

#include <QProcess>
#include <QRegularExpression>

namespace {
QString Sortie(const QString& programme, const QStringList& arguments)
{
    QProcess p;
    p.start(programme, arguments);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}
} // namespace

QStringList Texte_pdf(const QString& chemin, double largeurCaractere)
{
    const QStringList mise = largeurCaractere > 0 ? QStringList{"-fixed", QString::number(largeurCaractere)}
                                                  : QStringList{"-layout"};
    QString texte = Sortie("pdftotext", mise + QStringList{"-enc", "UTF-8", chemin, "-"});
    texte.remove('\f');
    return texte.split('\n');
}

QStringList Pages_texte_pdf(const QString& chemin)
{
    QStringList pages = Sortie("pdftotext", {"-layout", "-enc", "UTF-8", chemin, "-"}).split('\f');
    pages.removeLast(); // after the last page's form feed
    return pages;
}

int Pages_pdf(const QString& chemin)
{
    const QRegularExpression pages("^Pages:\\s+(\\d+)", QRegularExpression::MultilineOption);
    return pages.match(Sortie("pdfinfo", {chemin})).captured(1).toInt();
}
