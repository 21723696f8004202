// Keymaps: the lookups by name, id and code, run over all seven default tables (whose layout the tables' own
// compile-time checks and the keypad tests hold).
#include "simulation/Keymap.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>

static_assert(sizeof(KEYMAP_M10) == 256 * 8 && sizeof(KEYMAP_R50G) == 256 * 8, "a keymap is 256 packed entries");

namespace
{

struct TableCase
{
    const char* model;
    const KEYMAP_KEY* table;
};

const TableCase TABLES[] = {{"M-10", KEYMAP_M10},   {"M-13", KEYMAP_M13}, {"N-13", KEYMAP_N13},  {"M-20", KEYMAP_M20},
                            {"M-20X", KEYMAP_M20X}, {"R-50", KEYMAP_R50}, {"R-50G", KEYMAP_R50G}};

bool IsKey(const KEYMAP_KEY& k) { return k.wKeyID != 0 && k.wKeyID != 0xFFFF; }

std::string Lower(std::string s)
{
    for (char& c : s)
        c = char(std::tolower((unsigned char)c));
    return s;
}

// Reference first-match scan for the properties below.
template <class Pred> const KEYMAP_KEY* First(const KEYMAP_KEY* t, Pred pred)
{
    for (int i = 0; i < KEYMAP_SIZE; ++i)
        if (IsKey(t[i]) && pred(t[i]))
            return &t[i];
    return nullptr;
}

void PrintTo(const TableCase& tc, std::ostream* os) { *os << tc.model; }

std::string Str(const char* p) { return p ? p : "(null)"; }

class Keymap : public ::testing::TestWithParam<TableCase>
{
};

std::string ModelTestName(const ::testing::TestParamInfo<TableCase>& info)
{
    std::string name;
    for (const char* p = info.param.model; *p; ++p)
        if (std::isalnum((unsigned char)*p))
            name += *p;
    return name;
}

} // namespace

TEST_P(Keymap, EveryEntryIsFoundByNameIdAndCodeAsTheFirstMatch)
{
    const KEYMAP_KEY* t = GetParam().table;
    for (int i = 0; i < KEYMAP_SIZE; ++i)
    {
        if (!IsKey(t[i]))
            continue;
        const std::string name = t[i].szKeyName;
        const int id = t[i].wKeyID;
        SCOPED_TRACE("index " + std::to_string(i) + " " + name);

        const KEYMAP_KEY* byName = First(t, [&](const KEYMAP_KEY& k) { return Lower(k.szKeyName) == Lower(name); });
        const std::string query = name == "*Rig" ? "Right" : name;
        EXPECT_EQ(GetKeyIDWKM(query.c_str(), t), name == "Exit" ? 3205 : byName->wKeyID);
        EXPECT_EQ(GetKeyIDWKM(Lower(name).c_str(), t), byName->wKeyID);
        EXPECT_EQ(GetKeyCodeWKM(query.c_str(), t), byName->byKeyCode);

        const KEYMAP_KEY* byId = First(t, [&](const KEYMAP_KEY& k) { return k.wKeyID == id; });
        const std::string stored = byId->szKeyName;
        EXPECT_EQ(Str(GetKeyNameWKM(id, t)), id == 3205 ? "Exit" : stored == "*Rig" ? "Right" : stored);
        EXPECT_EQ(GetKeyCodeWKM(id, t), id == 3205 ? 0x84 : byId->byKeyCode);

        const KEYMAP_KEY* byCode = First(t, [&](const KEYMAP_KEY& k) { return k.byKeyCode == t[i].byKeyCode; });
        EXPECT_EQ(GetKeyIDWKM((unsigned char)t[i].byKeyCode, t), byCode->wKeyID);
    }
}

TEST_P(Keymap, FixedAnswersAndTheRightKey)
{
    const KEYMAP_KEY* t = GetParam().table;
    for (const KEYMAP_KEY* km : {t, (const KEYMAP_KEY*)nullptr})
    {
        EXPECT_STREQ(GetKeyNameWKM(3205, km), "Exit");
        EXPECT_STREQ(GetKeyNameWKM(3204, km), "Any-key");
        EXPECT_EQ(GetKeyCodeWKM(3205, km), 0x84);
        EXPECT_EQ(GetKeyCodeWKM(3204, km), 0xFF);
        EXPECT_EQ(GetKeyCodeWKM(3215, km), 0xFE);
        EXPECT_EQ(GetKeyIDWKM("eXiT", km), 3205);
        EXPECT_EQ(GetKeyIDWKM("ANY-KEY", km), 3204);
        EXPECT_EQ(GetKeyCodeWKM("exit", km), 0x84);
        EXPECT_EQ(GetKeyCodeWKM("Any-Key", km), 0xFF);
        EXPECT_EQ(GetKeyIDWKM((unsigned char)27, km), 3205);
        for (int c = 0x70; c <= 0x77; ++c)
            EXPECT_EQ(GetKeyIDWKM((unsigned char)c, km), 3250 + (c - 0x70));
    }
    EXPECT_STREQ(GetKeyNameWKM(3210, t), "Right");
    EXPECT_EQ(GetKeyIDWKM("Right", t), 3210);
    EXPECT_EQ(GetKeyIDWKM("*rig", t), 3210);
    EXPECT_EQ(GetKeyIDWKM("RIGHT", t), 0);
    EXPECT_EQ(GetKeyIDWKM("right", t), 0);
    EXPECT_EQ(GetKeyCodeWKM("Right", t), 0x10);
    EXPECT_EQ(GetKeyNameWKM(3200, t), nullptr); // power has no entry
    EXPECT_EQ(GetKeyNameWKM(3215, t), nullptr);
}

INSTANTIATE_TEST_SUITE_P(AllModels, Keymap, ::testing::ValuesIn(TABLES), ModelTestName);

TEST(KeymapLookups, FirstMatchAcrossLayers)
{
    EXPECT_EQ(GetKeyIDWKM("Esc", KEYMAP_M13), 3216); // the separate key precedes the command layer
    EXPECT_EQ(GetKeyIDWKM("Esc", KEYMAP_M10), 3205);
    EXPECT_STREQ(GetKeyNameWKM(3316, KEYMAP_M10), "A");
    EXPECT_STREQ(GetKeyNameWKM(3316, KEYMAP_M13), "S");
}

TEST(KeymapLookups, BadInputFindsNothingAndChangesNothing)
{
    KEYMAP_KEY copy[KEYMAP_SIZE];
    CopyKeymap(copy, KEYMAP_M20);
    for (const char* name : {(const char*)nullptr, "", "Spc ", "Left1", "Any-keys"})
    {
        EXPECT_EQ(GetKeyIDWKM(name, copy), 0) << Str(name);
        EXPECT_EQ(GetKeyCodeWKM(name, copy), 0) << Str(name);
    }
    EXPECT_TRUE(GetKeyIDWKM("Spc", nullptr) == 0 && GetKeyIDWKM((unsigned char)'7', nullptr) == 0 &&
                GetKeyCodeWKM("7", nullptr) == 0 && GetKeyCodeWKM(3315, nullptr) == 0 &&
                GetKeyNameWKM(3315, nullptr) == nullptr);
    // Empty and end entries are not keys, whatever id or code is asked for.
    for (int id : {0, 0xFFFF, -1, 70000})
    {
        EXPECT_EQ(GetKeyNameWKM(id, copy), nullptr) << id;
        SetKeyCodeWKM(id, 0x55, copy);
    }
    EXPECT_EQ(std::memcmp(copy, KEYMAP_M20, sizeof copy), 0);
    SetKeyCodeWKM(3202, 0x01, copy); // ALP no longer has code 0; only empty entries do
    EXPECT_EQ(GetKeyIDWKM((unsigned char)0, copy), 0);

    SetKeyCodeWKM(3315, 1, nullptr);
    CopyKeymap(nullptr, KEYMAP_M13);
    CopyKeymap(copy, nullptr); // leaves the destination alone
    EXPECT_EQ(std::memcmp(&copy[3], &KEYMAP_M20[3], sizeof(KEYMAP_KEY)), 0);

    // A name field that lost its terminator reads as four characters, never past the entry.
    copy[KEYMAP_SIZE - 1] = KEYMAP_KEY{4000, {'A', 'B', 'C', 'D', 'E'}, 1};
    EXPECT_STREQ(GetKeyNameWKM(4000, copy), "ABCD");
    EXPECT_EQ(GetKeyIDWKM("abcd", copy), 4000);
    EXPECT_EQ(GetKeyIDWKM("ABCDE", copy), 0);
}
