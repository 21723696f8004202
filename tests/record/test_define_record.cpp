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
                      EXPECT_NE(ItemTexts(Item(Separators(dlg), IDC_FIELDSEPARATOR)).front(), "None")
                          << "a record's fields are always separated";
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

} // namespace
