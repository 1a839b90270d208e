#include "core/cp1252.h"

#include <algorithm>

namespace {
// Bytes 0x80 to 0x9F; 0 where the code page leaves the byte undefined.
constexpr char16_t haut[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

// The byte of a character in the code page; -1 when it has none.
int Octet(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i) {
        if (haut[i] == u && u != 0)
            return 0x80 + i;
    }
    return -1;
}
} // namespace

QByteArray Texte_en_cp1252(const QString& texte)
{
    QByteArray octets;
    octets.reserve(texte.size());
    for (const QChar c : texte) {
        const int octet = Octet(c.unicode());
        octets.append(octet < 0 ? '?' : static_cast<char>(octet));
    }
    return octets;
}

bool Tient_en_cp1252(const QString& texte)
{
    return std::all_of(texte.cbegin(), texte.cend(), [](QChar c) { return Octet(c.unicode()) >= 0; });
}

QString Cp1252_en_texte(const QByteArray& octets)
{
    QString texte;
    texte.reserve(octets.size());
    for (const char o : octets) {
        const auto u = static_cast<unsigned char>(o);
        if (u >= 0x80 && u < 0xA0)
            texte.append(QChar(haut[u - 0x80] ? haut[u - 0x80] : char16_t(0xFFFD)));
        else
            texte.append(QChar(u));
    }
    return texte;
}
