// The record dialog on the reference host's records, used as a person uses it: typing, choosing from the
// lists, moving fields in and out, ticking the default box, and closing with OK or Cancel.
#include <gtest/gtest.h>

#include "host/model/HostLink.h"
#include "record_harness.h"

using namespace pdt::test;

namespace
{

class RecordDialog : public RecordDialogTest
{
  protected:
    void SetUp() override
    {
        RecordDialogTest::SetUp();
        AddNodes({{NODE_SCREEN, "Menu"},
                  {NODE_INPUT, "Serial"},
                  {NODE_COUNT, "Amount"},
                  {NODE_INPUT, "Batch"},
                  {NODE_UPLOAD, "Send"},
                  {NODE_COMMENT, "Remark"},
                  {NODE_PROGRAM, "Sum"},
                  {NODE_INPUT, "Weight"}});
        m_record = m_doc.AddRecord("Items", "C:\\data\\ITEMS.DAT");
        m_other = m_doc.AddRecord("Other", "OTHER.DAT");
        m_record->m_arrFields.Add(WORD(IdOf("Serial")));
        m_record->m_arrFields.Add(WORD(IdOf("Amount")));
        m_record->m_strComment = "Scanned items";
        m_record->m_nFieldSeparator = ',';
        m_record->m_nRecordTerminator = 13;
        m_record->m_strPreamble = "<";
        m_record->m_strPostamble = ">";
        m_record->m_bDisableEOREnforcement = TRUE;
    }

    // Everything the dialog may change, to compare before and after.
    struct Snapshot
    {
        CString name, file, comment, preamble, postamble;
        int separator, terminator;
        std::vector<int> fields;
        BOOL noEnforcement;
        int defaultRecord;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot Take(const HostRecord& r)
    {
        return {r.m_strName,           r.m_strDataFile,  r.m_strComment,
                r.m_strPreamble,       r.m_strPostamble, r.m_nFieldSeparator,
                r.m_nRecordTerminator, FieldIds(r),      r.m_bDisableEOREnforcement,
                m_doc.m_nDefaultRecord};
    }

    // Changes something on every page, the default box included.
    void EditEverything(CDlgDefineRecord& dlg)
    {
        auto& fields = Fields(dlg);
        Type(fields, IDC_RECORD_NAME, "Stock");
        Type(fields, IDC_DATAFILE, "STOCK.TXT");
        Click(fields, IDC_RECORD_DEFAULT);
        ClickLines(fields.m_lbNodes, {"Weight"});
        Click(fields, IDC_RECORD_ADD);
        auto& separators = Separators(dlg);
        Type(separators, IDC_RECORD_PREAMBLE, "PRE");
        Type(separators, IDC_RECORD_POSTAMBLE, "POST");
        Choose(separators, IDC_FIELDSEPARATOR, "Tab");
        Choose(separators, IDC_RECORDTERMINATOR, "ETX");
        auto& links = Links(dlg);
        Click(links, IDC_RECORD_NOEORENFORCEMENT);
        auto& comment = Comment(dlg);
        Type(comment, IDC_NODE_COMMENT, "Counted stock");
    }

    HostRecord* m_record = nullptr;
    HostRecord* m_other = nullptr;
};

TEST_F(RecordDialog, OpensSortedOnTheInitialEntryWithEveryPageOnTheRecord)
{
    OPTIONITEM* options = m_record->GetOptions();
    CDlgDefineRecord dlg(options);
    EXPECT_EQ(dlg.m_pDoc, &m_doc);
    dlg.m_pInitialOption = &options[1]; // the separators
    ExpectModal([&](CDialog&) {
        EXPECT_EQ(dlg.GetWindowText(), "Define Record");
        EXPECT_EQ(Labels(dlg), (std::vector<CString>{"Comment", "EOR Links", "Fields", "Separators"}));
        EXPECT_EQ(ShownPages(dlg), std::vector<int>{HostRecord::SEPARATORS});
        for (OPTIONITEM* opt = options; opt->nID; ++opt)
            EXPECT_EQ(opt->pPage->m_pObject, static_cast<CRecord*>(m_record)) << opt->nID;
        // The Delete key on the tree has nothing to delete.
        Focus(Tree(dlg).m_hWnd);
        Key(VK_DELETE);
        Pump();
        EXPECT_EQ(Labels(dlg).size(), 4u);
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

// Every page shows the record's values (an unchanged OK would store what a page failed to show), and edits
// survive reopening.
TEST_F(RecordDialog, OkWithoutChangesKeepsEverythingAndEditsSurviveReopening)
{
    m_doc.m_nDefaultRecord = m_record->m_nID;
    Snapshot before = Take(*m_record);
    EXPECT_EQ(Run(*m_record,
                  [&](CDlgDefineRecord& dlg) {
                      auto& fields = Fields(dlg);
                      EXPECT_EQ(Lines(fields.m_lbFields), (std::vector<CString>{"Serial", "Amount"}));
                      Click(dlg, IDOK);
                  }),
              IDOK);
    EXPECT_EQ(Take(*m_record), before);
    EXPECT_TRUE(m_doc.IsModified());

    m_doc.m_nDefaultRecord = 0;
    EXPECT_EQ(Run(*m_record,
                  [&](CDlgDefineRecord& dlg) {
                      EditEverything(dlg);
                      Click(dlg, IDOK);
                  }),
              IDOK);
    Snapshot edited{
        "Stock", "STOCK.TXT",    "Counted stock", "PRE", "POST", 9, 3, {IdOf("Serial"), IdOf("Amount"), IdOf("Weight")},
        FALSE,   m_record->m_nID};
    EXPECT_EQ(Take(*m_record), edited);

    // Reopened and confirmed, the edited record stays as it is.
    EXPECT_EQ(Run(*m_record,
                  [&](CDlgDefineRecord& dlg) {
                      EXPECT_TRUE(Checked(Fields(dlg), IDC_RECORD_DEFAULT));
                      EXPECT_EQ(ComboText(Separators(dlg), IDC_RECORDTERMINATOR), "ETX");
                      Click(dlg, IDOK);
                  }),
              IDOK);
    EXPECT_EQ(Take(*m_record), edited);
}

// The default record is the document's own working copy: Cancel must not commit it (the rest of Cancel is the
// container's).
TEST_F(RecordDialog, CancelLeavesTheDefaultRecordAlone)
{
    m_doc.m_nDefaultRecord = m_other->m_nID;
    EXPECT_EQ(Run(*m_record,
                  [&](CDlgDefineRecord& dlg) {
                      Click(Fields(dlg), IDC_RECORD_DEFAULT);
                      Click(dlg, IDCANCEL);
                  }),
              IDCANCEL);
    EXPECT_EQ(m_doc.m_nDefaultRecord, m_other->m_nID);
}

// The default box edits the document's working copy; only OK commits it.
TEST_F(RecordDialog, DefaultBoxSetsOrClearsOnlyThisRecordAsTheDefault)
{
    struct Row
    {
        const char* name;
        int initial;   // 0 none, 1 this record, 2 the other
        int meanwhile; // -1, or the working copy another record's page set while this one is open
        int clicks;
        int expected;
    };
    const Row rows[] = {
        {"tick makes it the default", 0, -1, 1, 1},
        {"tick replaces the other record", 2, -1, 1, 1},
        {"clearing the default leaves none", 1, -1, 1, 0},
        {"tick and clear gives up the default", 2, -1, 2, 0},
        {"clearing leaves another record's default", 1, 2, 1, 2},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.name);
        auto idOf = [&](int which) { return which == 1 ? m_record->m_nID : which == 2 ? m_other->m_nID : 0; };
        m_doc.m_nDefaultRecord = idOf(row.initial);
        Run(*m_record, [&](CDlgDefineRecord& dlg) {
            auto& fields = Fields(dlg);
            if (row.meanwhile >= 0)
                m_doc.m_nDefaultRecordEdit = idOf(row.meanwhile);
            for (int i = 0; i < row.clicks; ++i)
                Click(fields, IDC_RECORD_DEFAULT);
            // Leaving the page and coming back shows the working copy.
            Separators(dlg);
            EXPECT_EQ(Fields(dlg).IsDlgButtonChecked(IDC_RECORD_DEFAULT) != 0, row.expected == 1);
            Click(dlg, IDOK);
        });
        EXPECT_EQ(m_doc.m_nDefaultRecord, idOf(row.expected));
    }
}

TEST_F(RecordDialog, TerminatorCodesSelectByNameAndUnknownOnesSelectNothing)
{
    struct Row
    {
        int separator, terminator;
        const char* separatorShown;
        const char* terminatorShown;
        int separatorStored, terminatorStored;
    };
    const Row rows[] = {
        {',', 13, "Comma (,)", "CR", ',', 13},
        {';', 59, "Semicolon (;)", "Colon (:)", ';', 58}, // a stored ';' record terminator reads as ':'
        {'|', TERMINATOR_CRLF, "Bar (|)", "CR+LF", '|', TERMINATOR_CRLF},
        {13, 124, "<none>", "<none>", CB_ERR, CB_ERR}, // neither is in its list
        {200, -5, "<none>", "<none>", CB_ERR, CB_ERR},
    };
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.terminator);
        m_record->m_nFieldSeparator = row.separator;
        m_record->m_nRecordTerminator = row.terminator;
        Run(*m_record, [&](CDlgDefineRecord& dlg) {
            auto& page = Separators(dlg);
            EXPECT_EQ(ComboText(page, IDC_FIELDSEPARATOR), row.separatorShown);
            EXPECT_EQ(ComboText(page, IDC_RECORDTERMINATOR), row.terminatorShown);
            Click(dlg, IDOK);
        });
        EXPECT_EQ(m_record->m_nFieldSeparator, row.separatorStored);
        EXPECT_EQ(m_record->m_nRecordTerminator, row.terminatorStored);
    }
}

TEST_F(RecordDialog, ListsOnlyInputAndCountNodesAndEachNodeOnce)
{
    Run(*m_record, [&](CDlgDefineRecord& dlg) {
        auto& fields = Fields(dlg);
        EXPECT_EQ(Lines(fields.m_lbNodes), (std::vector<CString>{"Batch", "Weight"}));
        EXPECT_EQ(Lines(fields.m_lbFields), (std::vector<CString>{"Serial", "Amount"}));
        for (int i = 0; i < fields.m_lbNodes.GetCount(); ++i)
        {
            CString name;
            fields.m_lbNodes.GetText(i, name);
            EXPECT_EQ(int(fields.m_lbNodes.GetItemData(i)), IdOf(name));
        }
        Click(dlg, IDCANCEL);
    });
}

// Two data nodes of one name are told apart by their numbers, as the flowchart shows them, in both lists; a name
// of its own stays bare unless detailed properties are on. Moving a line keeps its label and stores its node.
TEST_F(RecordDialog, DataNodesOfOneNameShowTheirNumbers)
{
    HostNode* second = m_doc.AddNode(NODE_INPUT, "Serial");
    const int serial = IdOf("Serial");
    const CString first = CString("Serial (") + std::to_string(serial).c_str() + ")";
    const CString other = CString("Serial (") + std::to_string(second->m_nID).c_str() + ")";
    for (int detailed : {1, 0}) // the plain run last: its OK stores the move
    {
        SCOPED_TRACE(detailed ? "detailed" : "plain");
        ViewDetailedProperties = detailed;
        const CString batch = detailed ? CString("Batch (") + std::to_string(IdOf("Batch")).c_str() + ")" : "Batch";
        const CString weight = detailed ? CString("Weight (") + std::to_string(IdOf("Weight")).c_str() + ")" : "Weight";
        const CString amount = detailed ? CString("Amount (") + std::to_string(IdOf("Amount")).c_str() + ")" : "Amount";
        Run(*m_record, [&](CDlgDefineRecord& dlg) {
            auto& fields = Fields(dlg);
            EXPECT_EQ(Lines(fields.m_lbNodes), (std::vector<CString>{batch, other, weight}));
            EXPECT_EQ(Lines(fields.m_lbFields), (std::vector<CString>{first, amount}));
            ClickLines(fields.m_lbNodes, {other});
            Click(fields, IDC_RECORD_ADD);
            EXPECT_EQ(Lines(fields.m_lbFields), (std::vector<CString>{first, amount, other}));
            Click(dlg, detailed ? IDCANCEL : IDOK);
        });
    }
    ViewDetailedProperties = 0;
    EXPECT_EQ(FieldIds(*m_record), (std::vector<int>{serial, IdOf("Amount"), second->m_nID}));
}

// Bad input: a field whose node is gone is not shown, and OK stores what was shown.
TEST_F(RecordDialog, FieldsWhoseNodesAreGoneAreSkippedAndDroppedOnOk)
{
    int gone = IdOf("Batch");
    m_record->m_arrFields.Add(WORD(gone));
    m_record->m_arrFields.Add(WORD(4321));
    ASSERT_TRUE(m_doc.RemoveNode(gone));
    Run(*m_record, [&](CDlgDefineRecord& dlg) {
        EXPECT_EQ(Lines(Fields(dlg).m_lbFields), (std::vector<CString>{"Serial", "Amount"}));
        Click(dlg, IDOK);
    });
    EXPECT_EQ(FieldIds(*m_record), (std::vector<int>{IdOf("Serial"), IdOf("Amount")}));
    EXPECT_EQ(m_record->m_strName, "Items");
}

TEST_F(RecordDialog, AnArrayWithoutTheFieldPageLeavesNameFileAndFieldsAlone)
{
    std::vector<OPTIONITEM> options = {
        {HostRecord::SEPARATORS, -1, "Separators", nullptr, nullptr, nullptr, 0, 0, static_cast<CRecord*>(m_record)},
        {HostRecord::COMMENT, -1, "Comment", nullptr, nullptr, nullptr, 0, 0, static_cast<CRecord*>(m_record)},
        {0, -1, nullptr, nullptr, nullptr, nullptr, 0, 0, nullptr},
    };
    Run(
        *m_record,
        [&](CDlgDefineRecord& dlg) {
            Type(Separators(dlg), IDC_RECORD_PREAMBLE, "NEW");
            Click(dlg, IDOK);
        },
        options.data());
    EXPECT_EQ(m_record->m_strPreamble, "NEW");
    EXPECT_EQ(m_record->m_strName, "Items");
    EXPECT_EQ(m_record->m_strDataFile, "C:\\data\\ITEMS.DAT");
    EXPECT_EQ(FieldIds(*m_record), (std::vector<int>{IdOf("Serial"), IdOf("Amount")}));
}

TEST_F(RecordDialog, BrowseChoosesASaveFileUnderItsOwnCategoryAndCancelKeepsTheName)
{
    std::vector<pdt::support::FileDialogRequest> requests;
    CString answer = CString(TempDir().c_str()) + "/NEW.DAT";
    pdt::support::SetFileDialogHandler([&](const pdt::support::FileDialogRequest& r) {
        requests.push_back(r);
        return answer;
    });
    Run(*m_record, [&](CDlgDefineRecord& dlg) {
        auto& fields = Fields(dlg);
        Type(fields, IDC_RECORD_NAME, "Typed");
        Click(fields, IDC_BROWSE);
        EXPECT_EQ(fields.GetDlgItem(IDC_DATAFILE)->GetWindowText(), answer);
        EXPECT_EQ(fields.GetDlgItem(IDC_RECORD_NAME)->GetWindowText(), "Typed"); // saved, then shown again
        answer = "";                                                             // Cancel
        Click(fields, IDC_BROWSE);
        EXPECT_EQ(fields.GetDlgItem(IDC_DATAFILE)->GetWindowText(), CString(TempDir().c_str()) + "/NEW.DAT");
        Click(dlg, IDOK);
    });
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_FALSE(requests[0].open);
    EXPECT_EQ(requests[0].fileName, "ITEMS.DAT");
    EXPECT_EQ(theReg.GetString("BrowseFile", "RECORD", ""), CString(TempDir().c_str()));
    EXPECT_EQ(theReg.GetString("BrowseFile", "DATAFILE", "<unset>"), "<unset>");
    EXPECT_EQ(m_record->m_strDataFile, CString(TempDir().c_str()) + "/NEW.DAT");
}

} // namespace
