// Strings printed a row at a time must leave every cell, the cursor and a pending lead byte exactly as the
// same bytes fed one by one to PrintCharTty do, whatever the screen's size, language and scrolling.
#include <random>

#include "test_screen_harness.h"

using namespace screentest;

namespace
{

class ScreenFastOutput : public ScreenTest
{
  protected:
    void TearDown() override
    {
        reference.reset();
        ScreenTest::TearDown();
    }
    // Two screens of the same kind in the host: `screen` prints strings, `reference` byte by byte.
    void MakePair(CSize cells, int language)
    {
        Make("M-20", cells, language);
        reference = std::move(screen);
        Make("M-20", cells, language);
        for (TestScreen* s : {screen.get(), reference.get()})
            s->EnableSimulation(true);
    }
    // What PrintStringTty does, one PrintCharTty at a time. The streams here close every escape.
    static void PrintByBytes(TestScreen& s, const std::string& bytes)
    {
        for (size_t i = 0; i < bytes.size() && bytes[i]; ++i)
        {
            char b = bytes[i];
            if (b == 27)
            {
                i = bytes.find('[', i) + 1;
                b = bytes[i];
                if (!b)
                    return;
            }
            s.PrintCharTty(b);
        }
    }

    std::unique_ptr<TestScreen> reference;
};

// Mostly runs of plain text, with everything that breaks a run mixed in: line ends, backspaces, tabs, bells,
// refused control codes, high bytes (lead bytes, kana, accented letters) and escapes quoting any byte.
std::string RandomStream(std::mt19937& rng, int cols)
{
    auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    std::string s;
    int pieces = 1 + pick(6);
    for (int k = 0; k < pieces; ++k)
        switch (pick(10))
        {
        case 0:
        case 1:
        case 2:
        case 3: {
            int n = 1 + pick(3 * cols + 2);
            for (int i = 0; i < n; ++i)
                s += char(32 + pick(95));
            break;
        }
        case 4: s += "\r\n"; break;
        case 5: {
            static const char kControls[] = {10, 13, 8, 9, 7, 1, 31, 127};
            s += kControls[pick(sizeof kControls)];
            break;
        }
        case 6:
        case 7: {
            int n = 1 + pick(4);
            for (int i = 0; i < n; ++i)
                s += char(128 + pick(128));
            break;
        }
        case 8:
            s += "\x1b";
            for (int n = pick(3); n > 0; --n)
                s += char('a' + pick(26));
            s += '[';
            s += char(1 + pick(255));
            break;
        default: {
            char b = char(1 + pick(255));
            s += b == 27 ? 'x' : b; // a lone escape has a test of its own
            break;
        }
        }
    return s;
}

TEST_F(ScreenFastOutput, StringsMatchByteByByteOutput)
{
    const CSize geometries[] = {CSize(21, 8), CSize(40, 16), CSize(16, 2), CSize(20, 1), CSize(1, 4)};
    std::mt19937 rng(20261206);
    for (CSize cells : geometries)
        for (int language : {0, 1, 2})
            for (bool scroll : {true, false})
            {
                SCOPED_TRACE(testing::Message() << cells.cx << " x " << cells.cy << ", language " << language
                                                << (scroll ? ", scrolling" : ", no scrolling"));
                MakePair(cells, language);
                TestScreen &fast = *screen, &slow = *reference;
                for (TestScreen* s : {&fast, &slow})
                    s->EnableScroll(scroll ? 1 : 0);
                for (int round = 0; round < 150; ++round)
                {
                    // Now and then the cursor is put somewhere first, once in a while off the grid.
                    if (rng() % 4 == 0)
                    {
                        int x = int(rng() % unsigned(cells.cx + 2)) - 1, y = int(rng() % unsigned(cells.cy + 2)) - 1;
                        fast.SetCursorPosition(x, y);
                        slow.SetCursorPosition(x, y);
                    }
                    std::string stream = RandomStream(rng, cells.cx);
                    fast.PrintStringTty(stream.data());
                    PrintByBytes(slow, stream);
                    ASSERT_EQ(fast.Bytes(), slow.Bytes()) << "round " << round;
                    ASSERT_EQ(fast.m_ptCursor, slow.m_ptCursor) << "round " << round;
                    ASSERT_EQ(fast.m_cLeadByte, slow.m_cLeadByte) << "round " << round;
                }
                // The streams did reach every part of the screen.
                EXPECT_NE(fast.Bytes().find_first_not_of('\0'), std::string::npos);
            }
}

} // namespace
