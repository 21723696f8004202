// The record's field page moving data nodes in and out of the record, and its end-of-record link page.
#include <gtest/gtest.h>

#include "host/model/HostLink.h"
#include "record_harness.h"

using namespace pdt::test;

namespace
{

class FieldMoves : public RecordDialogTest
{
  protected:
    void SetUp() override
    {
        RecordDialogTest::SetUp();
        AddNodes({{NODE_INPUT, "A"},
                  {NODE_INPUT, "X"},
                  {NODE_COUNT, "Y"},
                  {NODE_INPUT, "C"},
                  {NODE_COUNT, "B"},
                  {NODE_INPUT, "D"}});
        m_record = m_doc.AddRecord("R", "R.DAT");
        for (const char* name : {"A", "X", "Y"})
            m_record->m_arrFields.Add(WORD(IdOf(name)));
    }
    HostRecord* m_record = nullptr;
};

TEST_F(FieldMoves, DoubleClicksMoveALineEachWayAndItsIdGoesWithIt)
{
    Run(*m_record, [&](CDlgDefineRecord& dlg) {
        auto& page = Fields(dlg);
        DoubleClickAt(page.m_lbNodes.m_hWnd, RowCenter(page.m_lbNodes.m_hWnd, 1)); // "C"
        Pump();
        EXPECT_EQ(Lines(page.m_lbFields), (std::vector<CString>{"A", "X", "Y", "C"}));
        DoubleClickAt(page.m_lbFields.m_hWnd, RowCenter(page.m_lbFields.m_hWnd, 0)); // "A"
        Pump();
        EXPECT_EQ(Lines(page.m_lbNodes), (std::vector<CString>{"A", "B", "D"}));
        EXPECT_EQ(int(page.m_lbNodes.GetItemData(0)), IdOf("A"));
        Click(dlg, IDOK);
    });
    EXPECT_EQ(FieldIds(*m_record), (std::vector<int>{IdOf("X"), IdOf("Y"), IdOf("C")}));
}

// A link the host edits itself, to see the page ask for it.
class CountingLink : public CNodeLink
{
  public:
    explicit CountingLink(const char* label) : m_label(label)
    {
    }
    BOOL InitialDlgData(CDlgDefineLink*) override
    {
        return TRUE;
    }
    BOOL SaveDlgData(CDlgDefineLink*) override
    {
        return TRUE;
    }
    CString GetLabel() override
    {
        return m_label;
    }
    void Define() override
    {
        ++defines;
    }
    int defines = 0;

  private:
    CString m_label;
};

// A document that also knows one link outside its flowchart, and a record that names it and a link
// that does not exist.
class LinkDocument : public JobDocument
{
  public:
    CNodeLink* GetLinkByID(WORD id) override
    {
        return id == 900 ? &extra : JobDocument::GetLinkByID(id);
    }
    CountingLink extra{"Extra link"};
};
class LinkedRecord : public HostRecord
{
  public:
    using HostRecord::HostRecord;
    int GetEORLinks(CWordArray& ids) override
    {
        HostRecord::GetEORLinks(ids);
        ids.Add(777); // no such link
        ids.Add(900);
        return ids.GetSize();
    }
};

TEST_F(RecordDialogTest, EorLinksAreListedLastFirstAndUnknownIdsAreSkipped)
{
    LinkDocument doc;
    HostNode* a = doc.AddNode(NODE_INPUT, "A");
    HostNode* b = doc.AddNode(NODE_INPUT, "B");
    HostNode* c = doc.AddNode(NODE_INPUT, "C");
    LinkedRecord record(&doc);
    record.m_nID = 5;
    record.m_bDisableEOREnforcement = TRUE;
    for (auto [from, to] : {std::pair{a, b}, std::pair{b, c}, std::pair{c, a}, std::pair{a, c}})
    {
        HostLink* link = doc.AddLink(from->m_nID, to->m_nID);
        link->m_bEOR = to != c || from != a; // the last one has no EOR option
        link->m_nRecordID = 5;
    }
    Run(record, [&](CDlgDefineRecord& dlg) {
        auto& page = Links(dlg);
        EXPECT_EQ(Lines(page.m_lcLinks), (std::vector<CString>{"Extra link", "C -> A", "B -> C", "A -> B"}));
        EXPECT_EQ(page.m_lcLinks.GetItemData(0), DWORD_PTR(static_cast<CNodeLink*>(&doc.extra)));
        EXPECT_EQ(page.m_lcLinks.GetExtendedStyle() & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
                  DWORD(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT))
            << "a grid, and a line is chosen by a click anywhere on it";

        // A double click on an empty part of the list opens nothing; on a line it opens that link.
        DoubleClickAt(page.m_lcLinks.m_hWnd, CPoint(20, 200));
        Pump();
        EXPECT_EQ(doc.extra.defines, 0);
        DoubleClickAt(page.m_lcLinks.m_hWnd, RowCenter(page.m_lcLinks.m_hWnd, 0));
        Pump();
        EXPECT_EQ(doc.extra.defines, 1);

        Click(page, IDC_RECORD_NOEORENFORCEMENT);
        Click(dlg, IDOK);
    });
    EXPECT_FALSE(record.m_bDisableEOREnforcement);
    EXPECT_EQ(doc.GetLinkCount(), 4); // the list is not written back
}

} // namespace
