#include "core/collation.h"

#include <sqlite3.h>

#include <QChar>
#include <QString>

#include <array>
#include <cstdint>

namespace {

// Base letter (lower case) of the Latin-1 and Latin Extended-A letters, from their Unicode
// decomposition; 0 where the letter has none.
const std::array<char16_t, 0x180 - 0xC0>& tableBase()
{
    static const auto table = [] {
        std::array<char16_t, 0x180 - 0xC0> t{};
        for (char16_t c = 0xC0; c < 0x180; ++c) {
            const QString d = QChar(c).decomposition();
            if (!d.isEmpty() && d[0].unicode() < 0x80)
                t[c - 0xC0] = QChar(d[0]).toLower().unicode();
        }
        t[0xC6 - 0xC0] = t[0xE6 - 0xC0] = u'a'; // æ
        t[0xD8 - 0xC0] = t[0xF8 - 0xC0] = u'o'; // ø
        t[0xDF - 0xC0] = u's';                  // ß
        t[0x110 - 0xC0] = t[0x111 - 0xC0] = u'd';
        t[0x141 - 0xC0] = t[0x142 - 0xC0] = u'l';
        t[0x152 - 0xC0] = t[0x153 - 0xC0] = u'o'; // œ
        return t;
    }();
    return table;
}

inline uint32_t lireCodePoint(const unsigned char*& p, const unsigned char* fin)
{
    uint32_t c = *p++;
    if (c < 0x80)
        return c;
    int suite = (c >= 0xF0) ? 3 : (c >= 0xE0) ? 2 : (c >= 0xC0) ? 1 : 0;
    c &= (suite == 3) ? 0x07 : (suite == 2) ? 0x0F : 0x1F;
    while (suite-- > 0 && p < fin && (*p & 0xC0) == 0x80)
        c = (c << 6) | (*p++ & 0x3F);
    return c;
}

// Primary weight: the base letter without case; other characters by code point.
inline uint32_t poidsPrimaire(uint32_t c)
{
    if (c >= 'A' && c <= 'Z')
        return c + 32;
    if (c >= 0xC0 && c < 0x180) {
        const char16_t b = tableBase()[c - 0xC0];
        if (b)
            return b;
    }
    return c;
}

// Secondary weight: the letter itself without case, so accents break ties.
inline uint32_t poidsSecondaire(uint32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    return QChar::toLower(c);
}

int comparer(void*, int la, const void* a, int lb, const void* b)
{
    return Comparer_textes_francais(static_cast<const char*>(a), la, static_cast<const char*>(b), lb);
}

} // namespace

int Comparer_textes_francais(const char* a, int la, const char* b, int lb)
{
    const auto* pa = reinterpret_cast<const unsigned char*>(a);
    const auto* pb = reinterpret_cast<const unsigned char*>(b);
    const auto* fa = pa + la;
    const auto* fb = pb + lb;
    int secondaire = 0;
    while (pa < fa && pb < fb) {
        // Fast path for plain ASCII, which is most of what the program compares.
        uint32_t ca = *pa, cb = *pb;
        if (ca < 0x80 && cb < 0x80) {
            ++pa;
            ++pb;
        } else {
            ca = lireCodePoint(pa, fa);
            cb = lireCodePoint(pb, fb);
        }
        const uint32_t wa = poidsPrimaire(ca), wb = poidsPrimaire(cb);
        if (wa != wb)
            return wa < wb ? -1 : 1;
        if (secondaire == 0) {
            const uint32_t sa = poidsSecondaire(ca), sb = poidsSecondaire(cb);
            if (sa != sb)
                secondaire = sa < sb ? -1 : 1;
        }
    }
    if (pa < fa)
        return 1;
    if (pb < fb)
        return -1;
    return secondaire;
}

int Enregistrer_collation(sqlite3* db)
{
    return sqlite3_create_collation_v2(db, "NOCASE", SQLITE_UTF8, nullptr, comparer, nullptr);
}
