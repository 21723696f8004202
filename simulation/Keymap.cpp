// Keymap lookups, copying and resetting.
#include "simulation/Keymap.h"

#include <cstring>

namespace
{

constexpr int KEYID_ANYKEY = 3204;
constexpr int KEYID_EXIT = 3205;
constexpr int KEYID_RESERVED = 3215;
constexpr int KEYID_F1 = 3250;
constexpr WORD KEYID_END = 0xFFFF;

constexpr unsigned char CODE_EXIT = 0x84;
constexpr unsigned char CODE_RESERVED = 0xFE;
constexpr unsigned char CODE_ANYKEY = 0xFF;
constexpr unsigned char CODE_ESCAPE = 27;
constexpr unsigned char CODE_VK_F1 = 0x70; // the PC keyboard's F1 ... F8 arrive as 0x70 ... 0x77
constexpr unsigned char CODE_VK_F8 = 0x77;

constexpr size_t KEYNAME_MAX = sizeof(KEYMAP_KEY::szKeyName) - 1;

bool HoldsKey(const KEYMAP_KEY& key) { return key.wKeyID != 0 && key.wKeyID != KEYID_END; }

// A damaged name field without its terminator is read as its first four characters.
size_t NameLength(const KEYMAP_KEY& key) { return strnlen(key.szKeyName, KEYNAME_MAX); }

char FoldCase(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool SameTextNoCase(const char* a, const char* b, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    return true;
}

bool EqualsNoCase(const char* psz, const char* pszWord)
{
    const size_t n = std::strlen(pszWord);
    return strnlen(psz, n + 1) == n && SameTextNoCase(psz, pszWord, n);
}

// "Right" does not fit the name field; only that exact spelling stands for the stored "*Rig".
const char* StoredName(const char* pszName) { return std::strcmp(pszName, "Right") == 0 ? "*Rig" : pszName; }

bool IsStoredRight(const KEYMAP_KEY& key) { return NameLength(key) == 4 && std::memcmp(key.szKeyName, "*Rig", 4) == 0; }

// Index of the first entry with the id, -1 when none.
int FindByID(int nKeyID, const KEYMAP_KEY* pKeymap)
{
    if (!pKeymap)
        return -1;
    for (int i = 0; i < KEYMAP_SIZE; ++i)
        if (HoldsKey(pKeymap[i]) && pKeymap[i].wKeyID == nKeyID)
            return i;
    return -1;
}

const KEYMAP_KEY* FindByName(const char* pszName, const KEYMAP_KEY* pKeymap)
{
    if (!pKeymap)
        return nullptr;
    const size_t n = strnlen(pszName, KEYNAME_MAX + 1);
    if (n == 0 || n > KEYNAME_MAX)
        return nullptr;
    for (int i = 0; i < KEYMAP_SIZE; ++i)
        if (HoldsKey(pKeymap[i]) && NameLength(pKeymap[i]) == n && SameTextNoCase(pKeymap[i].szKeyName, pszName, n))
            return &pKeymap[i];
    return nullptr;
}

const KEYMAP_KEY* FindByCode(unsigned char byCode, const KEYMAP_KEY* pKeymap)
{
    if (!pKeymap)
        return nullptr;
    for (int i = 0; i < KEYMAP_SIZE; ++i)
        if (HoldsKey(pKeymap[i]) && pKeymap[i].byKeyCode == byCode)
            return &pKeymap[i];
    return nullptr;
}

} // namespace

const char* GetKeyNameWKM(int nKeyID, const KEYMAP_KEY* pKeymap)
{
    if (nKeyID == KEYID_EXIT)
        return "Exit";
    if (nKeyID == KEYID_ANYKEY)
        return "Any-key";
    const int i = FindByID(nKeyID, pKeymap);
    if (i < 0)
        return nullptr;
    const KEYMAP_KEY* key = &pKeymap[i];
    if (IsStoredRight(*key))
        return "Right";
    if (key->szKeyName[NameLength(*key)] == '\0')
        return key->szKeyName;
    static char truncated[KEYNAME_MAX + 1];
    std::memcpy(truncated, key->szKeyName, KEYNAME_MAX);
    truncated[KEYNAME_MAX] = '\0';
    return truncated;
}

int GetKeyIDWKM(const char* pszName, const KEYMAP_KEY* pKeymap)
{
    if (!pszName)
        return 0;
    pszName = StoredName(pszName);
    if (EqualsNoCase(pszName, "Exit"))
        return KEYID_EXIT;
    if (EqualsNoCase(pszName, "Any-key"))
        return KEYID_ANYKEY;
    const KEYMAP_KEY* key = FindByName(pszName, pKeymap);
    return key ? key->wKeyID : 0;
}

int GetKeyIDWKM(unsigned char byCode, const KEYMAP_KEY* pKeymap)
{
    if (byCode == CODE_ESCAPE)
        return KEYID_EXIT;
    if (byCode >= CODE_VK_F1 && byCode <= CODE_VK_F8)
        return KEYID_F1 + (byCode - CODE_VK_F1);
    const KEYMAP_KEY* key = FindByCode(byCode, pKeymap);
    return key ? key->wKeyID : 0;
}

unsigned char GetKeyCodeWKM(const char* pszName, const KEYMAP_KEY* pKeymap)
{
    if (!pszName)
        return 0;
    pszName = StoredName(pszName);
    if (EqualsNoCase(pszName, "Exit"))
        return CODE_EXIT;
    if (EqualsNoCase(pszName, "Any-key"))
        return CODE_ANYKEY;
    const KEYMAP_KEY* key = FindByName(pszName, pKeymap);
    return key ? key->byKeyCode : 0;
}

unsigned char GetKeyCodeWKM(int nKeyID, const KEYMAP_KEY* pKeymap)
{
    if (nKeyID == KEYID_EXIT)
        return CODE_EXIT;
    if (nKeyID == KEYID_RESERVED)
        return CODE_RESERVED;
    if (nKeyID == KEYID_ANYKEY)
        return CODE_ANYKEY;
    const int i = FindByID(nKeyID, pKeymap);
    return i < 0 ? 0 : pKeymap[i].byKeyCode;
}

void SetKeyCodeWKM(int nKeyID, unsigned char byCode, KEYMAP_KEY* pKeymap)
{
    const int i = FindByID(nKeyID, pKeymap);
    if (i >= 0)
        pKeymap[i].byKeyCode = byCode;
}

void CopyKeymap(KEYMAP_KEY* pDest, const KEYMAP_KEY* pSrc)
{
    if (pDest && pSrc)
        std::memmove(pDest, pSrc, sizeof(KEYMAP_KEY) * KEYMAP_SIZE);
}

void ResetKeymap(CString& strModel, KEYMAP_KEY* pKeymap)
{
    struct ModelKeymap
    {
        const char* pszModel;
        const KEYMAP_KEY* pDefault;
    };
    static const ModelKeymap models[] = {
        {"M-10", KEYMAP_M10}, {"N-13", KEYMAP_N13},   {"M-20", KEYMAP_M20}, {"M-20X", KEYMAP_M20X},
        {"R-50", KEYMAP_R50}, {"R-50G", KEYMAP_R50G}, {"M-13", KEYMAP_M13},
    };
    const KEYMAP_KEY* pDefault = KEYMAP_M13;
    for (const ModelKeymap& m : models)
        if (strModel == m.pszModel)
        {
            pDefault = m.pDefault;
            break;
        }
    CopyKeymap(pKeymap, pDefault);
}
