// The word sort of the sorted list controls.
#include "platform/wordsort_p.h"

#include <QString>

#include "platform/window_p.h"

namespace
{

// Punctuation in the order the word sort puts it; any other symbol comes after these, by code.
constexpr char16_t kSymbols[] = u" !\"#$%&()*,./:;?@[\\]^_`{|}~+<=>";

constexpr int kLast = 0x7FFFFFFF; // a hyphen or apostrophe where the other has a character

bool Ignored(QChar c)
{
    return c == u'-' || c == u'\'' || c.unicode() == 0xAD;
}

// Sort weight of one character: its class (symbol, digit, letter) and its rank within the class. Accented
// letters weigh as their base letter; case is ignored.
int Weight(QChar c)
{
    if (c.isDigit())
        return 0x20000 + c.digitValue();
    if (c.isLetter())
    {
        QString d = c.decomposition();
        QChar base = d.isEmpty() ? c : d.front();
        return 0x30000 + base.toCaseFolded().unicode();
    }
    for (int i = 0; kSymbols[i]; ++i)
        if (kSymbols[i] == c.unicode())
            return 0x10000 + i;
    return 0x10100 + c.unicode();
}

int Compare(const QString &a, const QString &b, bool skipIgnored)
{
    qsizetype i = 0, j = 0;
    for (;;)
    {
        if (skipIgnored)
        {
            while (i < a.size() && Ignored(a[i]))
                ++i;
            while (j < b.size() && Ignored(b[j]))
                ++j;
        }
        if (i == a.size() || j == b.size())
            return (i == a.size() ? 0 : 1) - (j == b.size() ? 0 : 1);
        int wa = Ignored(a[i]) ? kLast : Weight(a[i]), wb = Ignored(b[j]) ? kLast : Weight(b[j]);
        if (wa != wb)
            return wa < wb ? -1 : 1;
        ++i, ++j;
    }
}

} // namespace

int pdt::win::CompareWords(const CString &a, const CString &b)
{
    QString qa = ToQt(a), qb = ToQt(b);
    if (int r = Compare(qa, qb, true))
        return r;
    // Equal but for hyphens and apostrophes: the spelling without them first.
    return Compare(qa, qb, false);
}
