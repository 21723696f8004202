// The seven keypad templates: their size and title, every key button by row, every label beside the key
// it names, the fields on the right, a layout without overlaps, and a picture of each.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/afxres.h"
#include "tests/simulation/keypad_harness.h"

using namespace pdt::test;

namespace
{

using Rows = std::vector<std::vector<std::string>>;

enum class Where
{
    Over,
    Beside,
    Under
};

struct Label
{
    std::string text; // as written in the script
    int id;
    Where where;
    std::string key; // text of the key button it belongs to
};

struct Layout
{
    const char* model;
    int templateId;
    const char* title;
    int cx, cy;
    Rows rows;
    std::vector<Label> labels;
};

const std::map<std::string, int> kKeyIds = {
    {"Ent", IDC_KEY_ENTER}, {"Esc", IDC_KEY_ESC2}, {"Clr", IDC_KEY_CLR}, {".", IDC_KEY_DOT},  {"Alp", IDC_KEY_ALPHA},
    {"<", IDC_KEY_LEFT},    {">", IDC_KEY_RIGHT},  {"Spc", IDC_KEY_SPACE}, {"Pwr", IDC_KEY_POWER}, {"Up", IDC_KEY_UP},
    {"Dn", IDC_KEY_DOWN},   {"Cmd", IDC_KEY_CMD},  {"F1", IDC_KEY_F1},   {"F2", IDC_KEY_F2},    {"F3", IDC_KEY_F3},
    {"F4", IDC_KEY_F4},     {"0", IDC_KEY_0},      {"1", IDC_KEY_1},     {"2", IDC_KEY_2},      {"3", IDC_KEY_3},
    {"4", IDC_KEY_4},       {"5", IDC_KEY_5},      {"6", IDC_KEY_6},     {"7", IDC_KEY_7},      {"8", IDC_KEY_8},
    {"9", IDC_KEY_9},
};

const Rows kRowsM10Bottom = {{"Clr", "0", "."}, {"Alp", "<", ">", "Spc"}, {"Pwr", "Up", "Dn", "Cmd"},
                             {"F1", "F2", "F3", "F4"}};

std::vector<Label> M10Labels(const std::vector<std::string>& digitsTopDown)
{
    // Letters over and command characters beside the nine digit keys, in reading order.
    const char* letters[] = {"ABC", "DEF", "GHI", "JKL", "MNO", "PQR", "STU", "VWX", "YZ_"};
    const int letterIds[] = {3316, 3321, 3326, 3301, 3306, 3311, 3286, 3291, 3296};
    const char* commands[] = {"#", "$", "%", ":", "=", "/", "-", "+", "*"};
    const int commandIds[] = {3319, 3324, 3329, 3304, 3309, 3314, 3289, 3294, 3299};
    std::vector<Label> out;
    for (int i = 0; i < 9; ++i)
    {
        out.push_back({letters[i], letterIds[i], Where::Over, digitsTopDown[size_t(i)]});
        out.push_back({commands[i], commandIds[i], Where::Beside, digitsTopDown[size_t(i)]});
    }
    std::vector<Label> rest = {
        {"@?&&", 3281, Where::Over, "0"},  {"; . ,", 3332, Where::Over, "."}, {"\\", 3340, Where::Beside, "Clr"},
        {"'", 3284, Where::Beside, "0"},   {"!", 3335, Where::Beside, "."},   {"Esc", 3205, Where::Over, "Alp"},
        {"PgDn", 3212, Where::Over, "Up"}, {"PgUp", 3211, Where::Over, "Dn"}, {"F5", 3254, Where::Over, "F1"},
        {"F6", 3255, Where::Over, "F2"},   {"F7", 3256, Where::Over, "F3"},   {"F8", 3257, Where::Over, "F4"},
    };
    out.insert(out.end(), rest.begin(), rest.end());
    return out;
}

Layout M13Family(const char* model, int id, const char* title)
{
    Rows rows = {{"Esc", "Ent"}, {"1", "2", "3"}, {"4", "5", "6"}, {"7", "8", "9"}};
    rows.insert(rows.end(), kRowsM10Bottom.begin(), kRowsM10Bottom.end());
    return {model, id, title, 170, 206, rows, M10Labels({"1", "2", "3", "4", "5", "6", "7", "8", "9"})};
}

const Rows kRowsM20 = {{"Cmd"}, {"F1", "F2", "F3", "F4"}, {"Alp", "<", ">", "."}, {"7", "8", "9"},
                       {"4", "5", "6"}, {"1", "2", "3"}, {"Clr", "0", "Ent"}};

std::vector<Layout> Layouts()
{
    Rows m10 = {{"Ent"}, {"7", "8", "9"}, {"4", "5", "6"}, {"1", "2", "3"}};
    m10.insert(m10.end(), kRowsM10Bottom.begin(), kRowsM10Bottom.end());

    std::vector<Label> m20 = {{"Exit", 3205, Where::Over, ">"}, {": = /", 3332, Where::Over, "."},
                              {"QZ*", 3316, Where::Over, "7"},  {"ABC", 3321, Where::Over, "8"},
                              {"DEF", 3326, Where::Over, "9"},  {"GHI", 3301, Where::Over, "4"},
                              {"JKL", 3306, Where::Over, "5"},  {"MNO", 3311, Where::Over, "6"},
                              {"PRS", 3286, Where::Over, "1"},  {"TUV", 3291, Where::Over, "2"},
                              {"WXY", 3296, Where::Over, "3"},  {"- SP +", 3281, Where::Over, "0"},
                              {"No", -1, Where::Under, "Clr"},  {"Yes", -1, Where::Under, "Ent"}};
    std::vector<Label> m20x = {
        {"F5", 3254, Where::Over, "F1"},   {"F6", 3255, Where::Over, "F2"},     {"F7", 3256, Where::Over, "F3"},
        {"F8", 3257, Where::Over, "F4"},   {"Up", 3213, Where::Over, "<"},      {"Down", 3214, Where::Over, ">"},
        {"Exit", 3205, Where::Over, "."},  {"ABC", 3316, Where::Over, "7"},     {"DEF", 3321, Where::Over, "8"},
        {"GHI", 3326, Where::Over, "9"},   {"JKL", 3301, Where::Over, "4"},     {"MNO", 3306, Where::Over, "5"},
        {"PQR", 3311, Where::Over, "6"},   {"STU", 3286, Where::Over, "1"},     {"VWX", 3291, Where::Over, "2"},
        {"YZ#", 3296, Where::Over, "3"},   {"[  \\  ]", 3281, Where::Over, "0"}, {":", 3304, Where::Beside, "4"},
        {"=", 3309, Where::Beside, "5"},   {"/", 3314, Where::Beside, "6"},     {"-", 3289, Where::Beside, "1"},
        {"+", 3294, Where::Beside, "2"},   {"*", 3299, Where::Beside, "3"},     {"Sp", 3284, Where::Beside, "0"},
        {"No", -1, Where::Under, "Clr"},   {"Yes", -1, Where::Under, "Ent"}};

    return {
        {"M-10", IDD_KEYPAD_M10, "M-10 Keypad", 170, 206, m10, M10Labels({"7", "8", "9", "4", "5", "6", "1", "2", "3"})},
        M13Family("M-13", IDD_KEYPAD_M13, "M-13 Keypad"),
        M13Family("R-50", IDD_KEYPAD_R50, "R-50 Keypad"),
        M13Family("N-13", IDD_KEYPAD_N13, "N-13 Keypad"),
        M13Family("R-50G", IDD_KEYPAD_R50G, "R-50G Keypad"),
        {"M-20", IDD_KEYPAD_M20, "M-20 Keypad", 166, 186, kRowsM20, m20},
        {"M-20X", IDD_KEYPAD_M20X, "M-20X Keypad", 172, 188, kRowsM20, m20x},
    };
}

using Control = pdt::rc::ControlTemplate;

bool IsButton(const Control& c) { return c.className == "Button" && (c.style & BS_TYPEMASK) <= BS_DEFPUSHBUTTON; }
bool IsGroupBox(const Control& c) { return c.className == "Button" && (c.style & BS_TYPEMASK) == BS_GROUPBOX; }
int KeyIdOf(const std::string& text) { return kKeyIds.at(text); }

const Control* Find(const pdt::rc::DialogTemplate& t, int id, const std::string& text)
{
    for (const Control& c : t.controls)
        if (c.id == id && c.text == text)
            return &c;
    return nullptr;
}

bool Inside(const Control& inner, const Control& outer)
{
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.cx <= outer.x + outer.cx &&
           inner.y + inner.cy <= outer.y + outer.cy;
}

bool Overlap(const Control& a, const Control& b)
{
    return a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < b.y + b.cy && b.y < a.y + a.cy;
}

class KeypadTemplates : public ::testing::TestWithParam<Layout>
{
  protected:
    const pdt::rc::DialogTemplate& Template() const
    {
        const pdt::rc::DialogTemplate* t = pdt::FindDialogTemplate(GetParam().templateId);
        EXPECT_NE(t, nullptr);
        return *t;
    }
};

TEST_P(KeypadTemplates, SizeTitleAndTheFieldsOnTheRight)
{
    const Layout& l = GetParam();
    const auto& t = Template();
    EXPECT_EQ(t.cx, l.cx);
    EXPECT_EQ(t.cy, l.cy);
    EXPECT_EQ(t.caption, l.title);

    const Control* ok = Find(t, IDOK, "&OK");
    const Control* cancel = Find(t, IDCANCEL, "&Cancel");
    const Control* nameLabel = Find(t, IDC_KEY_NAME_LABEL, "Key Name:");
    const Control* codeLabel = Find(t, IDC_KEY_CODE_LABEL, "Key Code:");
    const Control* set = Find(t, IDC_KEY_SET, "Set");
    const Control* any = Find(t, IDC_KEY_ANYKEY, "Any Key");
    const Control* name = Find(t, IDC_KEY_NAME, "");
    const Control* code = Find(t, IDC_KEY_CODE, "");
    const Control* ch = Find(t, IDC_KEY_CHAR, "");
    for (const Control* c : {ok, cancel, nameLabel, codeLabel, set, any, name, code, ch})
        ASSERT_NE(c, nullptr);
    for (const Control* c : {name, code, ch})
        EXPECT_EQ(c->className, "Edit");
    EXPECT_TRUE(ch->style & ES_READONLY);
    EXPECT_FALSE(code->style & ES_READONLY);
    EXPECT_FALSE(name->style & ES_READONLY);
    // Top to bottom as listed: the name under its label, the code under its label, the character below.
    EXPECT_LT(ok->y, cancel->y);
    EXPECT_LT(nameLabel->y, name->y);
    EXPECT_LT(name->y, codeLabel->y);
    EXPECT_LT(codeLabel->y, code->y);
    EXPECT_LT(code->y, ch->y);
    EXPECT_LT(ch->y, set->y);

    auto group = std::find_if(t.controls.begin(), t.controls.end(), IsGroupBox);
    ASSERT_NE(group, t.controls.end());
    EXPECT_EQ(group->text, "");
    for (const Control* c : {ok, cancel, nameLabel, codeLabel, set, any, name, code, ch})
        EXPECT_GE(c->x, group->x + group->cx) << c->id << " is right of the keypad";
}

TEST_P(KeypadTemplates, KeyButtonsRowByRow)
{
    const auto& t = Template();
    std::map<int, std::vector<const Control*>> byTop;
    for (const Control& c : t.controls)
        if (IsButton(c) && c.id >= IDC_KEY_POWER && c.id <= IDC_KEY_CLR && c.id != IDC_KEY_ANYKEY)
            byTop[c.y].push_back(&c);
    Rows rows;
    for (auto& [y, buttons] : byTop)
    {
        std::sort(buttons.begin(), buttons.end(), [](const Control* a, const Control* b) { return a->x < b->x; });
        std::vector<std::string> row;
        for (const Control* b : buttons)
        {
            row.push_back(b->text);
            EXPECT_EQ(b->id, KeyIdOf(b->text)) << b->text;
            EXPECT_GE(b->cx, 20);
            EXPECT_GE(b->cy, 13);
        }
        rows.push_back(row);
    }
    EXPECT_EQ(rows, GetParam().rows);
}

TEST_P(KeypadTemplates, LabelsNameTheKeysTheyStandBy)
{
    const auto& t = Template();
    size_t statics = 0;
    for (const Control& c : t.controls)
        if (c.className == "Static" && c.id != IDC_KEY_NAME_LABEL && c.id != IDC_KEY_CODE_LABEL)
            ++statics;
    EXPECT_EQ(statics, GetParam().labels.size()) << "no label more than listed";

    for (const Label& l : GetParam().labels)
    {
        SCOPED_TRACE(l.text);
        const Control* label = Find(t, l.id, l.text);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->className, "Static");
        const Control* key = Find(t, KeyIdOf(l.key), l.key);
        ASSERT_NE(key, nullptr) << l.key;
        const int labelMidX = label->x + label->cx / 2, labelMidY = label->y + label->cy / 2;
        switch (l.where)
        {
        case Where::Over:
            EXPECT_LE(label->y + label->cy, key->y);
            EXPECT_GE(label->y + label->cy, key->y - 3) << "right above";
            EXPECT_NEAR(labelMidX, key->x + key->cx / 2, 1);
            break;
        case Where::Under:
            EXPECT_GE(label->y, key->y + key->cy);
            EXPECT_LE(label->y, key->y + key->cy + 3);
            EXPECT_NEAR(labelMidX, key->x + key->cx / 2, 1);
            break;
        case Where::Beside:
            EXPECT_GE(label->x, key->x + key->cx);
            EXPECT_LE(label->x, key->x + key->cx + 3);
            EXPECT_GT(labelMidY, key->y);
            EXPECT_LT(labelMidY, key->y + key->cy);
            break;
        }
    }
}

TEST_P(KeypadTemplates, NothingOverlapsAndTheKeypadIsInsideItsFrame)
{
    const auto& t = Template();
    auto group = std::find_if(t.controls.begin(), t.controls.end(), IsGroupBox);
    ASSERT_NE(group, t.controls.end());
    const Control dialog{"", "", 0, 0, 0, 0, 0, t.cx, t.cy, 0};
    for (size_t i = 0; i < t.controls.size(); ++i)
    {
        const Control& a = t.controls[i];
        EXPECT_TRUE(Inside(a, dialog)) << a.id << " \"" << a.text << "\"";
        if (&a == &*group)
            continue;
        const bool keypad = a.x < group->x + group->cx;
        if (keypad)
        {
            EXPECT_TRUE(Inside(a, *group)) << a.id << " \"" << a.text << "\"";
        }
        for (size_t j = i + 1; j < t.controls.size(); ++j)
        {
            const Control& b = t.controls[j];
            if (&b == &*group)
                continue;
            EXPECT_FALSE(Overlap(a, b)) << a.id << " \"" << a.text << "\" and " << b.id << " \"" << b.text << "\"";
        }
    }
}

class KeypadPictures : public KeypadTest, public ::testing::WithParamInterface<Layout>
{
};

TEST_P(KeypadPictures, EveryControlIsShownInsideTheWindow)
{
    Open(GetParam().model, KEYPAD_MODE_EDIT);
    Press({IDC_KEY_ALPHA, IDC_KEY_LEFT});
    Press(IDC_KEY_8);
    CRect client;
    dlg->GetClientRect(&client);
    for (CWnd* w = dlg->GetWindow(GW_CHILD); w; w = w->GetWindow(GW_HWNDNEXT))
    {
        EXPECT_TRUE(w->IsWindowVisible()) << w->GetDlgCtrlID();
        CRect r;
        w->GetWindowRect(&r);
        dlg->ScreenToClient(&r);
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom)
            << w->GetDlgCtrlID();
    }
    std::string file = std::string("keypad-") + GetParam().model + ".png";
    EXPECT_TRUE(SavePng(dlg->m_hWnd, OutputPath(file)));
}

std::string ModelName(const ::testing::TestParamInfo<Layout>& info)
{
    std::string s;
    for (const char* p = info.param.model; *p; ++p)
        if (*p != '-')
            s += *p;
    return s;
}

INSTANTIATE_TEST_SUITE_P(Models, KeypadTemplates, ::testing::ValuesIn(Layouts()), ModelName);
INSTANTIATE_TEST_SUITE_P(Models, KeypadPictures, ::testing::ValuesIn(Layouts()), ModelName);

} // namespace
