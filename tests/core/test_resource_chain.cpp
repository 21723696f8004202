#include "platform/afxres.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>

namespace pdt::test
{
namespace
{

// A script embedded the way pdtrc embeds it: bytes that outlive the module.
struct Embedded
{
    explicit Embedded(std::string text) : bytes(text.begin(), text.end())
    {
    }
    EmbeddedFile As(const char *name) const
    {
        return {name, bytes.data(), bytes.size()};
    }
    std::vector<unsigned char> bytes;
};

std::string DialogWithCaption(int id, const std::string &caption)
{
    return std::to_string(id) + " DIALOG 0, 0, 10, 10\nCAPTION \"" + caption + "\"\nBEGIN\nEND\n";
}

std::vector<std::string> ChainNames()
{
    std::vector<std::string> names;
    for (const ResourceModule *m : ResourceChain())
        names.push_back(m->Name());
    return names;
}

// Other tests in this program may have modules of their own; look only at ours.
std::vector<std::string> OurChain(std::initializer_list<std::string> ours)
{
    std::vector<std::string> names;
    for (const std::string &n : ChainNames())
        if (std::find(ours.begin(), ours.end(), n) != ours.end())
            names.push_back(n);
    return names;
}

TEST(ResourceChain, NewestModuleIsSearchedFirst)
{
    Embedded a(DialogWithCaption(9100, "from a") + DialogWithCaption(9200, "only a") +
               "STRINGTABLE BEGIN 9100 \"string a\" END\n9100 MENU BEGIN MENUITEM \"a\", 1 END\n");
    Embedded b(DialogWithCaption(9100, "from b") + "STRINGTABLE BEGIN 9100 \"string b\" END\n");
    ResourceModule modA("chain-a", "a.rc", {a.As("a.rc")});
    {
        ResourceModule modB("chain-b", "b.rc", {b.As("b.rc")});
        EXPECT_EQ(OurChain({"chain-a", "chain-b"}), (std::vector<std::string>{"chain-b", "chain-a"}));
        ASSERT_NE(FindDialogTemplate(9100), nullptr);
        EXPECT_EQ(FindDialogTemplate(9100)->caption, "from b");
        EXPECT_EQ(FindDialogTemplate(9100), modB.Script().FindDialog(9100));
        EXPECT_EQ(FindDialogTemplate(9200)->caption, "only a");
        EXPECT_EQ(*FindStringResource(9100), "string b");
        EXPECT_EQ(FindMenuTemplate(9100), modA.Script().FindMenu(9100));
    }
    // Gone with its library: the older module answers again.
    EXPECT_EQ(OurChain({"chain-a", "chain-b"}), (std::vector<std::string>{"chain-a"}));
    EXPECT_EQ(FindDialogTemplate(9100)->caption, "from a");
    EXPECT_EQ(*FindStringResource(9100), "string a");
    EXPECT_EQ(FindDialogTemplate(9999), nullptr);
}

TEST(ResourceChain, BitmapBytesComeFromTheEmbeddedFile)
{
    const std::string bmp("BM\x46\0\0\0\0\0\0\0\x36\0\0\0 and more bytes\xFF", 31);
    Embedded script("#include \"ids.h\"\nIDB_ARROW BITMAP \"res\\\\Arrow.bmp\"\n9301 BITMAP \"res\\\\absent.bmp\"\n");
    Embedded header("#define IDB_ARROW 9300\n");
    Embedded image(bmp);
    ResourceModule mod("bitmaps", "pdt.rc", {script.As("pdt.rc"), header.As("ids.h"), image.As("res/arrow.BMP")});

    std::optional<std::string_view> data = FindBitmapData(9300);
    ASSERT_TRUE(data.has_value());
    EXPECT_EQ(std::string(*data), bmp);                                          // every byte, NULs included
    EXPECT_EQ(data->data(), reinterpret_cast<const char *>(image.bytes.data())); // no copy
    EXPECT_FALSE(FindBitmapData(9301).has_value());                              // named, but not embedded
    EXPECT_FALSE(FindBitmapData(9302).has_value());
    EXPECT_EQ(mod.FileData("RES\\ARROW.bmp"), data);
    EXPECT_FALSE(mod.FileData("res/arrow.bm").has_value());
}

TEST(ResourceChain, BrokenScriptFailsOnUseAndIsPassedOver)
{
    Embedded good(DialogWithCaption(9500, "good"));
    Embedded bad("\n\n9500 DIALOG 0, 0, 10, 10\nBEGIN\n  LTEXT \"x\", IDC_NOWHERE, 0, 0, 1, 1\nEND\n");
    ResourceModule goodMod("good", "good.rc", {good.As("good.rc")});
    ResourceModule badMod("bad", "bad.rc", {bad.As("bad.rc")}); // registering does not parse

    for (int attempt = 0; attempt < 2; ++attempt)
    {
        try
        {
            badMod.Script();
            ADD_FAILURE() << "a broken script parsed";
        }
        catch (const rc::ParseError &e)
        {
            EXPECT_EQ(e.file(), "bad.rc");
            EXPECT_EQ(e.line(), 5);
            EXPECT_NE(std::string(e.what()).find("IDC_NOWHERE"), std::string::npos);
        }
    }
    ASSERT_NE(FindDialogTemplate(9500), nullptr);
    EXPECT_EQ(FindDialogTemplate(9500)->caption, "good");
}

TEST(ResourceChain, MissingScriptOrIncludeIsAParseError)
{
    Embedded script("#include \"resource.h\"\n");
    ResourceModule noScript("no-script", "main.rc", {script.As("other.rc")});
    ResourceModule noInclude("no-include", "main.rc", {script.As("main.rc")});
    EXPECT_THROW(noScript.Script(), rc::ParseError);
    EXPECT_THROW(noInclude.Script(), rc::ParseError);
}

} // namespace
} // namespace pdt::test
