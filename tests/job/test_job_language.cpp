// The job's language, flowchart font and prompt pages on the reference host's document, used as a person uses
// them: radio buttons and boxes clicked, the browse and font buttons pressed, prompts typed.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "job/CDlgDefineFontChinese.h"
#include "job/CDlgDefineJobFont.h"
#include "job/CDlgDefineJobLanguage.h"
#include "job/CDlgDefineJobPromptMain.h"
#include "job_harness.h"
#include "platform/afxdlgs.h"
#include "support/Seams.h"

using namespace pdt::test;

namespace
{

using J = JobOptions;

class JobLanguage : public JobDialogTest
{
  protected:
    void TearDown() override
    {
        pdt::support::SetFileDialogHandler({});
        JobDialogTest::TearDown();
    }
    // Opens the language dialog on its page, lets `edit` work on the page and closes with `close`.
    void OnLanguagePage(const std::function<void(CDlgDefineJob &, CDlgDefineJobLanguage &)> &edit, int close = IDOK)
    {
        EXPECT_EQ(Run(JSM_LANGUAGE,
                      [&](CDlgDefineJob &dlg) {
                          edit(dlg, ShowPage<CDlgDefineJobLanguage>(dlg, "Language", J::JOB_LANGUAGE));
                          Click(dlg, close);
                      }),
                  close);
    }
};

constexpr int kRadios[] = {IDC_LANG_ENGLISH, IDC_LANG_CHINESE, IDC_LANG_SPANISH, IDC_LANG_FRENCH,
                           IDC_LANG_GERMAN,  IDC_LANG_ITALIAN, IDC_LANG_JAPANESE};

// The radio that is checked, or 0 for none.
int CheckedRadio(const CWnd &page)
{
    int checked = 0;
    for (int id : kRadios)
        if (page.IsDlgButtonChecked(id) == BST_CHECKED)
        {
            EXPECT_EQ(checked, 0) << "two languages chosen";
            checked = id;
        }
    return checked;
}

TEST_F(JobLanguage, EachCodeChoosesItsRadioWordingAndEnabling)
{
    struct Row
    {
        int code;
        int radio; // 0: none chosen
        bool doubleByte;
        bool japanese;
        int saved; // the code OK stores when nothing is touched
    };
    const Row rows[] = {
        {0, IDC_LANG_ENGLISH, false, false, 0},
        {1, IDC_LANG_CHINESE, true, false, 1},
        {2, IDC_LANG_JAPANESE, true, true, 2},
        {4, IDC_LANG_SPANISH, false, false, 4},
        {5, IDC_LANG_GERMAN, false, false, 5},
        {6, IDC_LANG_FRENCH, false, false, 6},
        {7, IDC_LANG_ITALIAN, false, false, 7},
        {3, 0, false, false, 0},
        {-1, 0, false, false, 0},
        {8, 0, false, false, 0},
        {0x7FFFFFFF, 0, false, false, 0},
    };
    for (const Row &row : rows)
        for (BOOL share : {FALSE, TRUE})
        {
            SCOPED_TRACE("code " + std::to_string(row.code) + (share ? " shared" : ""));
            m_doc.m_nLanguage = row.code;
            m_doc.m_language.bShareFont = share;
            OnLanguagePage([&](CDlgDefineJob &dlg, CDlgDefineJobLanguage &page) {
                EXPECT_EQ(CheckedRadio(page), row.radio);
                EXPECT_EQ(Enabled(page, IDC_LANG_DBFONT), row.doubleByte);
                EXPECT_EQ(Enabled(page, IDC_LANG_SHAREFONT), row.doubleByte);
                EXPECT_EQ(Enabled(page, IDC_LANG_FONTFILE), row.doubleByte && share);
                EXPECT_EQ(Enabled(page, IDC_LANG_BROWSE), row.doubleByte && share);
                const char *word = row.japanese ? "Japanese" : "Chinese";
                EXPECT_EQ(Text(page, IDC_LANG_FONTGROUP), CString("Define ") + word + " Font");
                EXPECT_EQ(Text(page, IDC_LANG_DBFONT), CString(word) + " Font");
                EXPECT_EQ(Text(page, IDC_LANG_SHAREFONT), CString("Share ") + word + " Font With Font File:");
            });
            EXPECT_EQ(m_doc.m_nLanguage, row.saved);
        }
}

class JobFonts : public JobDialogTest
{
};

TEST_F(JobFonts, CancelChangesNothingAndAFaceTooLongForTheLogicalFontIsCut)
{
    const CString longFace = "A Face Name Far Longer Than Thirty-One Characters";
    m_doc.m_language.fonts[FF_INDEX] = FlowchartFont{longFace, 10};
    EXPECT_EQ(Run(JSM_GLOBAL,
                  [&](CDlgDefineJob &dlg) {
                      auto &page = ShowPage<CDlgDefineJobFont>(dlg, "Fonts", J::JOB_FONT);
                      ExpectModal([&](CDialog &d) {
                          auto &fd = static_cast<CFontDialog &>(d);
                          EXPECT_EQ(CString(fd.m_cf.lpLogFont->lfFaceName), longFace.Left(LF_FACESIZE - 1));
                          Type(d, cmb3, "22");
                          Click(d, IDCANCEL);
                      });
                      Click(page, IDC_FONT_INDEXDEFINE);
                      EXPECT_EQ(Text(page, IDC_FONT_INDEXFACE), longFace);
                      EXPECT_EQ(Text(page, IDC_FONT_INDEXSIZE), "10");
                      Click(dlg, IDOK);
                  }),
              IDOK);
    EXPECT_EQ(m_doc.m_language.fonts[FF_INDEX].strFace, longFace);
    EXPECT_EQ(m_doc.m_language.fonts[FF_INDEX].nSize, 10);
}

class JobPrompts : public JobDialogTest
{
};

TEST_F(JobPrompts, TypedPromptsReachTheDocumentOnOkWithTheirBlanksAndEmptyOnesStayEmpty)
{
    using S = JobLanguageSettings;
    struct Field
    {
        int edit;
        CString S::*field;
    };
    struct PageRow
    {
        const char *label;
        std::vector<Field> fields;
    };
    const PageRow pages[] = {
        {"Prompts",
         {{IDC_PROMPT_CONFIRMEXIT, &S::strConfirmExit},
          {IDC_PROMPT_DONE, &S::strDone},
          {IDC_PROMPT_ABORT, &S::strAbort},
          {IDC_PROMPT_FILENOTFOUND, &S::strFileNotFound},
          {IDC_PROMPT_OPENFILEERROR, &S::strOpenFileError},
          {IDC_PROMPT_READFILEERROR, &S::strReadFileError},
          {IDC_PROMPT_WRITEFILEERROR, &S::strWriteFileError},
          {IDC_PROMPT_WRITERECORDERROR, &S::strWriteRecordError}}},
        {"Erase", {{IDC_PROMPT_ERASEALL, &S::strEraseAll}, {IDC_PROMPT_ERASELAST, &S::strEraseLast}}},
        {"Edit",
         {{IDC_PROMPT_BROWSE, &S::strBrowse},
          {IDC_PROMPT_EDIT, &S::strEdit},
          {IDC_PROMPT_WAIT, &S::strWait},
          {IDC_PROMPT_FOUND, &S::strFound},
          {IDC_PROMPT_DATA, &S::strData},
          {IDC_PROMPT_SEARCH, &S::strSearch},
          {IDC_PROMPT_SEARCHNEXT, &S::strSearchNext},
          {IDC_PROMPT_MODIFYFIELD, &S::strModifyField},
          {IDC_PROMPT_NOTFOUND, &S::strNotFound},
          {IDC_PROMPT_NODATA, &S::strNoData}}},
        {"Upload",
         {{IDC_PROMPT_SENDDATA, &S::strSendData},
          {IDC_PROMPT_NORECORD, &S::strNoRecord},
          {IDC_PROMPT_TOTAL, &S::strTotal}}},
    };
    // Each prompt starts with a text of its own; even rows are replaced, odd ones emptied or given blanks.
    std::vector<std::pair<CString S::*, CString>> expected;
    int n = 0;
    for (const PageRow &p : pages)
        for (const Field &f : p.fields)
            m_doc.m_language.*f.field = CString("old ") + std::to_string(n++).c_str();
    for (int close : {IDCANCEL, IDOK})
    {
        SCOPED_TRACE(close == IDOK ? "OK" : "Cancel");
        const S before = m_doc.m_language;
        expected.clear();
        EXPECT_EQ(Run(JSM_JOB,
                      [&](CDlgDefineJob &dlg) {
                          int k = 0;
                          for (const PageRow &p : pages)
                          {
                              ClickItem(dlg, p.label);
                              CWnd *page = nullptr;
                              for (OPTIONITEM *opt = dlg.m_pOptions; opt->nID; ++opt)
                                  if (opt->pPage && opt->pPage->IsWindowVisible())
                                      page = opt->pPage;
                              ASSERT_NE(page, nullptr) << p.label;
                              for (const Field &f : p.fields)
                              {
                                  EXPECT_EQ(Text(*page, f.edit), before.*f.field);
                                  const char *typed = k % 3 == 0 ? "  Sure? (Y/N)  " : k % 3 == 1 ? "" : "   ";
                                  Type(*page, f.edit, typed);
                                  if (k % 3 == 1)
                                      Key(VK_DELETE); // empties what the typing selected
                                  expected.push_back({f.field, typed});
                                  ++k;
                              }
                          }
                          Click(dlg, close);
                      }),
                  close);
        for (const auto &[field, typed] : expected)
            EXPECT_EQ(m_doc.m_language.*field, close == IDOK ? typed : before.*field);
    }
}

} // namespace
