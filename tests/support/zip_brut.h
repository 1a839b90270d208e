#pragma once
// Zip archives written by hand for the tests, so that they can hold entries our own writer never
// makes: "../" names, absolute names, links.

#include <QByteArray>
#include <QList>

inline quint32 crc32(const QByteArray& donnees)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : donnees) {
        crc ^= static_cast<quint8>(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A stored (uncompressed) zip.
struct EntreeZip {
    QByteArray nom;
    QByteArray contenu;
    quint32 modeUnix = 0100644; // 0120777 for a link
};

inline QByteArray zipBrut(const QList<EntreeZip>& entrees)
{
    QByteArray sortie;
    QByteArray central;
    auto u16 = [](QByteArray& b, quint16 v) { b.append(char(v & 0xFF)).append(char(v >> 8)); };
    auto u32 = [&](QByteArray& b, quint32 v) { u16(b, quint16(v & 0xFFFF)); u16(b, quint16(v >> 16)); };
    for (const EntreeZip& e : entrees) {
        const quint32 position = quint32(sortie.size());
        const quint32 crc = crc32(e.contenu);
        u32(sortie, 0x04034b50);
        u16(sortie, 10); u16(sortie, 0); u16(sortie, 0); u16(sortie, 0); u16(sortie, 0x21);
        u32(sortie, crc); u32(sortie, quint32(e.contenu.size())); u32(sortie, quint32(e.contenu.size()));
        u16(sortie, quint16(e.nom.size())); u16(sortie, 0);
        sortie += e.nom;
        sortie += e.contenu;
        u32(central, 0x02014b50);
        u16(central, 0x031E); u16(central, 10); u16(central, 0); u16(central, 0); u16(central, 0); u16(central, 0x21);
        u32(central, crc); u32(central, quint32(e.contenu.size())); u32(central, quint32(e.contenu.size()));
        u16(central, quint16(e.nom.size())); u16(central, 0); u16(central, 0); u16(central, 0); u16(central, 0);
        u32(central, e.modeUnix << 16); u32(central, position);
        central += e.nom;
    }
    const quint32 debutCentral = quint32(sortie.size());
    sortie += central;
    u32(sortie, 0x06054b50);
    u16(sortie, 0); u16(sortie, 0); u16(sortie, quint16(entrees.size())); u16(sortie, quint16(entrees.size()));
    u32(sortie, quint32(central.size())); u32(sortie, debutCentral); u16(sortie, 0);
    return sortie;
}

