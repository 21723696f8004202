// The word sort of the sorted list controls.
#include "platform/wordsort_p.h"

#include <QString>

#include <array>
#include <string>

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

// The same weights for ASCII, without building strings: most item texts are plain ASCII.
bool Ignored(char c)
{
    return c == '-' || c == '\'';
}
int Weight(char c)
{
    static const auto table = [] {
        std::array<int, 128> t{};
        for (int i = 0; i < 128; ++i)
            t[size_t(i)] = Weight(QChar(char16_t(i)));
        return t;
    }();
    return table[size_t(static_cast<unsigned char>(c))];
}

template <class Text> int Compare(const Text &a, const Text &b, bool skipIgnored)
{
    decltype(a.size()) i = 0, j = 0;
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

bool IsAscii(const std::string &s)
{
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

int pdt::win::CompareWords(const CString &a, const CString &b)
{
    if (IsAscii(a.str()) && IsAscii(b.str()))
    {
        if (int r = Compare(a.str(), b.str(), true))
            return r;
        return Compare(a.str(), b.str(), false);
    }
    QString qa = ToQt(a), qb = ToQt(b);
    if (int r = Compare(qa, qb, true))
        return r;
    // Equal but for hyphens and apostrophes: the spelling without them first.
    return Compare(qa, qb, false);
}
