// List headers from a table: titles, alignment, widths, and a table set twice.
#include "platform/afxcmn.h"
#include "support_harness.h"

using namespace pdt::test;

namespace
{

class ListHeader : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        EnsureSupportTestResources();
        ASSERT_TRUE(dlg.Create(IDD_LIST_HOST));
        dlg.ShowWindow(SW_SHOW);
        ASSERT_TRUE(list.SubclassDlgItem(IDC_LIST, &dlg));
        Pump();
    }
    void TearDown() override
    {
        dlg.DestroyWindow();
    }

    struct Column
    {
        CString title;
        int format;
        int width;
    };
    std::vector<Column> Columns()
    {
        std::vector<Column> out;
        for (int i = 0; i < list.GetColumnCount(); ++i)
        {
            char text[64] = {};
            LVCOLUMN c{};
            c.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
            c.pszText = text;
            c.cchTextMax = sizeof text;
            EXPECT_TRUE(list.GetColumn(i, &c));
            out.push_back({text, c.fmt & LVCFMT_JUSTIFYMASK, c.cx});
        }
        return out;
    }

    CDialog dlg{IDD_LIST_HOST};
    CListCtrl list;
};

TEST_F(ListHeader, ColumnsFollowTheTableUpToItsEnd)
{
    const LISTHEADER table[] = {{"Name", 120, LVCFMT_LEFT},
                                {"Count", 50, LVCFMT_RIGHT},
                                {"State", 70, LVCFMT_CENTER},
                                {nullptr, 0, 0},
                                {"after the end", 10, LVCFMT_LEFT}};
    SetListHeader(list, table);
    std::vector<Column> cols = Columns();
    ASSERT_EQ(cols.size(), 3u);
    EXPECT_EQ(cols[1].title, "Count");
    EXPECT_EQ(cols[1].width, 50);
    EXPECT_EQ(cols[1].format, LVCFMT_RIGHT);
    EXPECT_EQ(cols[2].format, LVCFMT_CENTER);

    // Set again: the new table replaces the old one.
    const LISTHEADER other[] = {{"Only", 80, LVCFMT_LEFT}, {nullptr, 0, 0}};
    SetListHeader(list, other);
    cols = Columns();
    ASSERT_EQ(cols.size(), 1u);
    EXPECT_EQ(cols[0].title, "Only");
}

} // namespace
