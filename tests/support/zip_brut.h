#pragma once
// Zip archives written by hand for the tests, so that they can hold entries our own writer never
// makes: "../" names, absolute names, links, more entries or more bytes than a file of ours holds.

#include <QByteArray>
#include <QList>

#include <array>

inline quint32 crc32(const QByteArray& donnees)
{
    // By table: the tests check entries of hundreds of megabytes.
    static const auto table = [] {
        std::array<quint32, 256> t{};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k)
                c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
            t[i] = c;
        }
        return t;
    }();
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : donnees)
        crc = table[(crc ^ static_cast<quint8>(c)) & 0xFFu] ^ (crc >> 8);
    return ~crc;
}

// An entry of a zip written by hand, stored as it is unless it was deflated (deflatee()).
struct EntreeZip {
    QByteArray nom;
    QByteArray contenu;
    quint32 modeUnix = 0100644; // 0120777 for a link
    // A deflated entry: contenu is the raw deflate stream of taille bytes whose checksum is crc.
    bool deflate = false;
    quint32 taille = 0;
    quint32 crc = 0;
};

// The entry deflated by zlib (through qCompress, less its length and its zlib framing).
inline EntreeZip deflatee(const QByteArray& nom, const QByteArray& contenu)
{
    const QByteArray z = qCompress(contenu);
    return EntreeZip{nom, z.mid(6, z.size() - 10), 0100644, true, quint32(contenu.size()), crc32(contenu)};
}

inline QByteArray zipBrut(const QList<EntreeZip>& entrees)
{
    QByteArray sortie;
    QByteArray central;
    auto u16 = [](QByteArray& b, quint16 v) { b.append(char(v & 0xFF)).append(char(v >> 8)); };
    auto u32 = [&](QByteArray& b, quint32 v) { u16(b, quint16(v & 0xFFFF)); u16(b, quint16(v >> 16)); };
    auto u64 = [&](QByteArray& b, quint64 v) { u32(b, quint32(v & 0xFFFFFFFFu)); u32(b, quint32(v >> 32)); };
    for (const EntreeZip& e : entrees) {
        const quint32 position = quint32(sortie.size());
        const quint32 crc = e.deflate ? e.crc : crc32(e.contenu);
        const quint16 methode = e.deflate ? 8 : 0;
        const quint32 taille = e.deflate ? e.taille : quint32(e.contenu.size());
        u32(sortie, 0x04034b50);
        u16(sortie, 20); u16(sortie, 0); u16(sortie, methode); u16(sortie, 0); u16(sortie, 0x21);
        u32(sortie, crc); u32(sortie, quint32(e.contenu.size())); u32(sortie, taille);
        u16(sortie, quint16(e.nom.size())); u16(sortie, 0);
        sortie += e.nom;
        sortie += e.contenu;
        u32(central, 0x02014b50);
        u16(central, 0x031E); u16(central, 20); u16(central, 0); u16(central, methode); u16(central, 0); u16(central, 0x21);
        u32(central, crc); u32(central, quint32(e.contenu.size())); u32(central, taille);
        u16(central, quint16(e.nom.size())); u16(central, 0); u16(central, 0); u16(central, 0); u16(central, 0);
        u32(central, e.modeUnix << 16); u32(central, position);
        central += e.nom;
    }
    const quint32 debutCentral = quint32(sortie.size());
    sortie += central;
    // Past 65,535 entries the count lives in the zip64 records.
    const bool zip64 = entrees.size() > 0xFFFF;
    if (zip64) {
        const quint64 debut64 = quint64(sortie.size());
        u32(sortie, 0x06064b50); u64(sortie, 44); u16(sortie, 45); u16(sortie, 45); u32(sortie, 0); u32(sortie, 0);
        u64(sortie, quint64(entrees.size())); u64(sortie, quint64(entrees.size()));
        u64(sortie, quint64(central.size())); u64(sortie, debutCentral);
        u32(sortie, 0x07064b50); u32(sortie, 0); u64(sortie, debut64); u32(sortie, 1);
    }
    const quint16 nombre = zip64 ? quint16(0xFFFF) : quint16(entrees.size());
    u32(sortie, 0x06054b50);
    u16(sortie, 0); u16(sortie, 0); u16(sortie, nombre); u16(sortie, nombre);
    u32(sortie, quint32(central.size())); u32(sortie, debutCentral); u16(sortie, 0);
    return sortie;
}

