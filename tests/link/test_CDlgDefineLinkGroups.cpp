// The pages above a node's incoming and outgoing links: fixed hints and the host's text about the links.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/OptionPages.h"
#include "link/CDlgDefineLinkIn.h"
#include "link/CDlgDefineLinkOut.h"
#include "link_harness.h"
#include "resources/resource.h"

using namespace pdt::test;

namespace
{

const char kHowToLink[] =
    "To create a link: select the link tool, point mouse on source node, click and drag drop to destination node.";
const char kHowToLoop[] =
    "To create a self loop link: drag and drop the mouse from one side to another within the same node.";

template <class Page> class LinkGroupPage : public PageTest<Page>
{
  protected:
    bool Shows(const char* text) const
    {
        auto texts = this->Texts();
        return std::find(texts.begin(), texts.end(), CString(text)) != texts.end();
    }
    // A page keeps inside its area and its texts do not run into each other.
    void ExpectNoOverlaps() const
    {
        CRect client;
        this->page.GetClientRect(&client);
        std::vector<CRect> rects;
        for (CWnd* w : this->Children())
        {
            CRect r;
            w->GetWindowRect(&r);
            this->page.ScreenToClient(&r);
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom);
            for (const CRect& other : rects)
                EXPECT_FALSE(Overlap(r, other)) << "text \"" << w->GetWindowText().c_str() << "\"";
            rects.push_back(r);
        }
    }
};

using IncomingLinks = LinkGroupPage<CDlgDefineLinkIn>;
using OutgoingLinks = LinkGroupPage<CDlgDefineLinkOut>;

TEST_F(IncomingLinks, ShowsBothHintsAndTheHostsText)
{
    EXPECT_TRUE(Shows(kHowToLink));
    EXPECT_TRUE(Shows(kHowToLoop));
    EXPECT_EQ(Text(IDC_LINK_INFO), "");

    page.m_strLinkInfo = "3 links come into this node.";
    Load();
    EXPECT_EQ(Text(IDC_LINK_INFO), "3 links come into this node.");
    EXPECT_TRUE(Shows(kHowToLink)) << "the hints stay beside the host's text";

    page.m_strLinkInfo = "R&D links";
    Load();
    EXPECT_EQ(Text(IDC_LINK_INFO), "R&D links");
    ASSERT_TRUE(page.UpdateData(TRUE));
    EXPECT_EQ(page.m_strLinkInfo, "R&D links");
    ExpectNoOverlaps();
}

TEST_F(OutgoingLinks, ShowsTheLoopHintOnlyAndTheHostsText)
{
    EXPECT_TRUE(Shows(kHowToLoop));
    EXPECT_FALSE(Shows(kHowToLink));

    page.m_strLinkInfo = "No link leaves this node.";
    Load();
    EXPECT_EQ(Text(IDC_LINK_INFO), "No link leaves this node.");
    ExpectNoOverlaps();
}

TEST(LinkGroupPageClasses, OptionIdsCreateTheirPages)
{
    const OptionPageClass* in = FindOptionPage(IDD_LINK_IN);
    const OptionPageClass* out = FindOptionPage(IDD_LINK_OUT);
    ASSERT_NE(in, nullptr);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(in->nTemplateID, UINT(IDD_LINK_IN));
    EXPECT_EQ(out->nTemplateID, UINT(IDD_LINK_OUT));

    CDlgDefineBase* a = in->create(nullptr);
    CDlgDefineBase* b = out->create(nullptr);
    EXPECT_NE(dynamic_cast<CDlgDefineLinkIn*>(a), nullptr);
    EXPECT_NE(dynamic_cast<CDlgDefineLinkOut*>(b), nullptr);
    delete a;
    delete b;
}

} // namespace
