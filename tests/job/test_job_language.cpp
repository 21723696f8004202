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

TEST_F(JobLanguage, ClickingALanguageOrTheShareBoxChangesWordingAndEnablingAtOnce)
{
    struct Step
    {
        int click;
        const char *button; // text of the font button afterwards
        bool fontEnabled;
        bool fileEnabled;
    };
    const Step steps[] = {
        {IDC_LANG_JAPANESE, "Japanese Font", true, false}, {IDC_LANG_SHAREFONT, "Japanese Font", true, true},
        {IDC_LANG_GERMAN, "Chinese Font", false, false},   {IDC_LANG_CHINESE, "Chinese Font", true, true},
        {IDC_LANG_SHAREFONT, "Chinese Font", true, false}, {IDC_LANG_FRENCH, "Chinese Font", false, false},
    };
    m_doc.m_nLanguage = 0;
    OnLanguagePage([&](CDlgDefineJob &, CDlgDefineJobLanguage &page) {
        for (const Step &s : steps)
        {
            SCOPED_TRACE("click " + std::to_string(s.click));
            Click(page, s.click);
            EXPECT_EQ(Text(page, IDC_LANG_DBFONT), s.button);
            EXPECT_EQ(Enabled(page, IDC_LANG_DBFONT), s.fontEnabled);
            EXPECT_EQ(Enabled(page, IDC_LANG_SHAREFONT), s.fontEnabled);
            EXPECT_EQ(Enabled(page, IDC_LANG_FONTFILE), s.fileEnabled);
            EXPECT_EQ(Enabled(page, IDC_LANG_BROWSE), s.fileEnabled);
        }
    });
    EXPECT_EQ(m_doc.m_nLanguage, 6);
    EXPECT_FALSE(m_doc.m_language.bShareFont);
}

TEST_F(JobLanguage, BrowseOffersTheLanguagesFontFilesAndKeepsTheChoiceOnlyWhenOneWasMade)
{
    struct Row
    {
        int language;
        const char *answer; // empty: cancelled
        const char *filter;
        const char *saved;
    };
    const Row rows[] = {
        {1, "/fonts/gb16.ccb", "Chinese Font Files (*.ccb *.CCB)", "/fonts/gb16.ccb"},
        {2, "/fonts/jis16.ccb", "Japanese Font Files (*.ccb *.CCB)", "/fonts/jis16.ccb"},
        {2, "", "Japanese Font Files (*.ccb *.CCB)", "/old/kept.ccb"},
    };
    for (const Row &row : rows)
    {
        SCOPED_TRACE(row.filter);
        m_doc.m_nLanguage = row.language;
        m_doc.m_language.bShareFont = TRUE;
        m_doc.m_language.strFontFile = "/old/kept.ccb";
        std::vector<CString> filters;
        pdt::support::SetFileDialogHandler([&](const pdt::support::FileDialogRequest &r) {
            filters = r.filters;
            EXPECT_TRUE(r.open);
            EXPECT_EQ(r.fileName, "kept.ccb");
            return CString(row.answer);
        });
        OnLanguagePage([&](CDlgDefineJob &, CDlgDefineJobLanguage &page) {
            Click(page, IDC_LANG_BROWSE);
            EXPECT_EQ(Text(page, IDC_LANG_FONTFILE), row.saved);
        });
        EXPECT_EQ(filters, (std::vector<CString>{row.filter, "All Files (*)"}));
        EXPECT_EQ(m_doc.m_language.strFontFile, row.saved);
    }
    EXPECT_EQ(theReg.GetString("BrowseFile", "CHINESEFONT", ""), "/fonts") << "the folder is kept for font files";
}

// What the double-byte font dialog is given when the button is pressed, and what comes back.
TEST_F(JobLanguage, DoubleByteFontDialogGetsThePagesFontAndACodeOutsideGbAndBig5BecomesGb)
{
    struct Row
    {
        int language;
        int code;
        int close;
        int codeGiven;
        int codeAfter;
    };
    const Row rows[] = {
        {1, 0, IDCANCEL, 1, 1}, {1, 7, IDCANCEL, 1, 1}, {1, -3, IDOK, 1, 1},
        {1, 2, IDCANCEL, 2, 2}, {2, 0, IDCANCEL, 1, 1}, {2, 1, IDOK, 1, 1},
    };
    for (const Row &row : rows)
    {
        SCOPED_TRACE("code " + std::to_string(row.code) + " language " + std::to_string(row.language));
        m_doc.m_nLanguage = row.language;
        JobLanguageSettings &s = m_doc.m_language;
        s.nDBFontCode = row.code;
        s.strDBFontFace = "WenQuanYi Micro Hei";
        s.strDBFontStyle = "Regular";
        s.nDBFontSize = 16;
        s.nDBFontOffsetX = -3;
        s.nDBFontOffsetY = 4;
        OnLanguagePage([&](CDlgDefineJob &, CDlgDefineJobLanguage &page) {
            ExpectModal([&](CDialog &d) {
                auto &font = static_cast<CDlgDefineFontChinese &>(d);
                EXPECT_EQ(font.m_nLanguage, row.language);
                EXPECT_EQ(font.m_nCode, row.codeGiven);
                EXPECT_EQ(font.m_strSize, "16");
                EXPECT_EQ(d.GetDlgItem(cmb1)->GetWindowText(), "WenQuanYi Micro Hei");
                EXPECT_EQ(d.GetDlgItem(cmb3)->GetWindowText(), "16");
                EXPECT_EQ(font.m_nOffsetX, -3);
                EXPECT_EQ(font.m_nOffsetY, 4);
                Click(d, row.close);
            });
            Click(page, IDC_LANG_DBFONT);
            EXPECT_EQ(page.m_nDBFontCode, row.codeAfter);
        });
        EXPECT_EQ(s.nDBFontCode, row.codeAfter);
        EXPECT_EQ(s.nDBFontSize, 16);
        EXPECT_EQ(s.nDBFontOffsetX, -3);
    }
}

TEST_F(JobLanguage, ChoicesMadeInTheDoubleByteDialogReachTheDocumentOnlyThroughOk)
{
    m_doc.m_nLanguage = 1;
    JobLanguageSettings &s = m_doc.m_language;
    s.nDBFontCode = 1;
    s.nDBFontSize = 12;
    for (int close : {IDCANCEL, IDOK})
    {
        SCOPED_TRACE(close == IDOK ? "OK" : "Cancel");
        OnLanguagePage(
            [&](CDlgDefineJob &, CDlgDefineJobLanguage &page) {
                ExpectModal([&](CDialog &d) {
                    Click(d, IDC_DBFONT_BIG5);
                    Type(d, cmb3, "20");
                    Click(d, IDOK);
                });
                Click(page, IDC_LANG_DBFONT);
            },
            close);
        EXPECT_EQ(s.nDBFontSize, close == IDOK ? 20 : 12);
        EXPECT_EQ(s.nDBFontCode, close == IDOK ? 2 : 1);
    }
}

TEST_F(JobLanguage, ASizeThatIsNotANumberIsRefusedInTheDialogAndNothingIsLost)
{
    m_doc.m_nLanguage = 2;
    m_doc.m_language.nDBFontSize = 14;
    OnLanguagePage([&](CDlgDefineJob &, CDlgDefineJobLanguage &page) {
        ExpectModal([&](CDialog &d) {
            Type(d, cmb3, "big");
            ExpectMessageBox(IDOK);
            Click(d, IDOK);
            ASSERT_EQ(MessageBoxes().size(), 1u);
            EXPECT_EQ(MessageBoxes()[0].text, "Size must be a number.");
            EXPECT_TRUE(d.IsWindowVisible());
            Click(d, IDCANCEL);
        });
        Click(page, IDC_LANG_DBFONT);
    });
    EXPECT_EQ(m_doc.m_language.nDBFontSize, 14);
}

class JobFonts : public JobDialogTest
{
};

// Sizes are points; the font dialog sees pixels at the screen's 96 per inch and gives points back.
TEST_F(JobFonts, EachRowRunsTheFontDialogWithItsHeightAndTakesBackTheChoice)
{
    struct Row
    {
        FlowchartFontKind kind;
        int button, faceEdit, sizeEdit;
        int points;
        LONG height;       // what the dialog starts with
        const char *typed; // a size typed in the dialog, or null to confirm it unchanged
        int back;
    };
    const Row rows[] = {
        {FF_INDEX, IDC_FONT_INDEXDEFINE, IDC_FONT_INDEXFACE, IDC_FONT_INDEXSIZE, 10, -13, nullptr, 10},
        {FF_NODENAME, IDC_FONT_NODENAMEDEFINE, IDC_FONT_NODENAMEFACE, IDC_FONT_NODENAMESIZE, 9, -12, nullptr, 9},
        {FF_PROGRAM, IDC_FONT_PROGRAMDEFINE, IDC_FONT_PROGRAMFACE, IDC_FONT_PROGRAMSIZE, 12, -16, "14", 14},
        {FF_SCREEN, IDC_FONT_SCREENDEFINE, IDC_FONT_SCREENFACE, IDC_FONT_SCREENSIZE, 20, -27, nullptr, 20},
        {FF_COMMENT, IDC_FONT_COMMENTDEFINE, IDC_FONT_COMMENTFACE, IDC_FONT_COMMENTSIZE, 8, -11, "36", 36},
    };
    for (const Row &row : rows)
    {
        SCOPED_TRACE(std::to_string(row.button));
        m_doc.m_language.fonts[row.kind] = FlowchartFont{"DejaVu Sans", row.points};
        EXPECT_EQ(Run(JSM_GLOBAL,
                      [&](CDlgDefineJob &dlg) {
                          auto &page = ShowPage<CDlgDefineJobFont>(dlg, "Fonts", J::JOB_FONT);
                          EXPECT_EQ(Text(page, row.sizeEdit), std::to_string(row.points).c_str());
                          ExpectModal([&](CDialog &d) {
                              auto &fd = static_cast<CFontDialog &>(d);
                              EXPECT_EQ(fd.m_cf.lpLogFont->lfHeight, row.height);
                              EXPECT_STREQ(fd.m_cf.lpLogFont->lfFaceName, "DejaVu Sans");
                              if (row.typed)
                                  Type(d, cmb3, row.typed);
                              Type(d, cmb1, "DejaVu Sans Mono");
                              Click(d, IDOK);
                          });
                          Click(page, row.button);
                          EXPECT_EQ(Text(page, row.sizeEdit), std::to_string(row.back).c_str());
                          EXPECT_EQ(Text(page, row.faceEdit), "DejaVu Sans Mono");
                          Click(dlg, IDOK);
                      }),
                  IDOK);
        EXPECT_EQ(m_doc.m_language.fonts[row.kind].nSize, row.back);
        EXPECT_EQ(m_doc.m_language.fonts[row.kind].strFace, "DejaVu Sans Mono");
    }
}

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
