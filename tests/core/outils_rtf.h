#pragma once
// What a reader of the report sees of a document: its paragraphs with their layout and the
// runs of text with their character formats, as comparable text.

#include "core/rtf.h"

#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>

inline QString alignementTexte(Qt::Alignment a)
{
    if (a & Qt::AlignHCenter)
        return "centre";
    if (a & Qt::AlignJustify)
        return "justifie";
    if (a & Qt::AlignRight)
        return "droite";
    return "gauche";
}

inline QString formatTexte(const QTextCharFormat& f, const QFont& defaut)
{
    QString s = rtf::famille(f, defaut) + " " + QString::number(f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : defaut.pointSizeF());
    if (f.fontWeight() >= QFont::DemiBold)
        s += " gras";
    if (f.fontItalic())
        s += " italique";
    if (f.fontUnderline())
        s += " souligne";
    if (f.fontStrikeOut())
        s += " barre";
    if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush)
        s += " " + f.foreground().color().name();
    return s;
}

// One line per paragraph: "[layout] text{format}text{format}", empty paragraphs with their size.
inline QStringList signature(const QTextDocument& d)
{
    QStringList lignes;
    for (QTextBlock b = d.begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat bf = b.blockFormat();
        QString l = "[" + alignementTexte(bf.alignment()) + " li=" + QString::number(qRound(bf.leftMargin() * 15));
        if (!bf.tabPositions().isEmpty())
            l += " tabs=" + QString::number(bf.tabPositions().size());
        if (bf.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            l += " page";
        l += "] ";
        if (b.length() == 1)
            l += "{" + formatTexte(b.charFormat(), d.defaultFont()) + "}";
        // Runs with the same visible format read as one, however Qt splits them.
        QString texte, format;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QString f = formatTexte(it.fragment().charFormat(), d.defaultFont());
            if (f != format && !texte.isEmpty()) {
                l += texte + "{" + format + "}";
                texte.clear();
            }
            format = f;
            texte += it.fragment().text();
        }
        if (!texte.isEmpty())
            l += texte + "{" + format + "}";
        lignes << l;
    }
    return lignes;
}

// The text with paragraphs as "\n" and line breaks kept as U+2028.
inline QString texteBrut(const QTextDocument& d)
{
    QString t = d.toRawText();
    t.replace(QChar::ParagraphSeparator, '\n');
    return t;
}
