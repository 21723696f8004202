// A Chinese or Japanese job in jobhost: the window text converts in the job's code page from the moment the job
// is opened or made new, and again when its language changes; the prompts, Find and the node names read and take
// the job's own characters, and a character the job cannot hold is refused where it is typed.
#include "app_harness.h"

#include "framework/CDlgDefine.h"

using namespace pdt::test;

namespace
{

class JobCodePage : public MainWindowTest
{
  protected:
    CodePageScope m_codePage{GetACP()};

    // A GB job: the start node's name, its "Done:" prompt and a node to find, in GB2312.
    static std::unique_ptr<JobDocument> ChineseJob(int dbCode = 1)
    {
        auto doc = MakeSampleJob();
        doc->m_nLanguage = 1;
        doc->m_language.nDBFontCode = dbCode;
        const int cp = dbCode == 2 ? 950 : 936;
        doc->m_language.strDone = Utf8ToCodePage("\xE5\xAE\x8C\xE6\x88\x90", cp);                          // 完成
        doc->FindNodeByName("Totals")->m_strName = Utf8ToCodePage("\xE5\x90\x88\xE8\xAE\xA1", cp).c_str(); // 合计
        doc->SetModifiedFlag(FALSE);
        return doc;
    }

    // Runs a job dialog (Define > Job or Language) on its page `page` and hands that page to `act` before OK.
    void OnJobPage(UINT command, int page, const std::function<void(CDialog&, CWnd&)>& act)
    {
        ExpectModal([&](CDialog& dlg) {
            auto& job = dynamic_cast<CDlgDefine&>(dlg);
            job.SelectOption(page, 0);
            Pump();
            OPTIONITEM* opt = job.GetOption(page, 0);
            ASSERT_TRUE(opt && opt->pPage);
            act(dlg, *opt->pPage);
            Click(dlg, IDOK);
        });
        Menu("Define", command);
    }
};

TEST_F(JobCodePage, ThePromptsPageShowsAndTakesTheJobsCharacters)
{
    for (int dbCode : {1, 2})
    {
        SCOPED_TRACE(dbCode);
        const int cp = dbCode == 2 ? 950 : 936;
        Open(ChineseJob(dbCode));
        EXPECT_EQ(GetACP(), cp);
        const int beeps = Beeps();
        OnJobPage(ID_DEFINE_JOB, IDD_JOB_PROMPTMAIN, [&](CDialog&, CWnd& page) {
            EXPECT_EQ(CWnd::FromHandle(Item(page, IDC_PROMPT_DONE))->GetWindowText().ToUtf8(),
                      "\xE5\xAE\x8C\xE6\x88\x90");
            Focus(Item(page, IDC_PROMPT_ABORT));
            TypeUnicode("\xE5\x8F\x96\xE6\xB6\x88"); // 取消
            TypeUnicode("\xED\x95\x9C");             // a Hangul syllable: no GB or Big5 code for it
            EXPECT_NE(RefusalShown().find(CodePageName(cp)), std::string::npos) << RefusalShown();
        });
        EXPECT_EQ(Doc().m_language.strAbort, Utf8ToCodePage("\xE5\x8F\x96\xE6\xB6\x88", cp));
        EXPECT_EQ(Doc().m_language.strDone, Utf8ToCodePage("\xE5\xAE\x8C\xE6\x88\x90", cp)) << "untouched";
        EXPECT_EQ(Beeps(), beeps + 1);
        frame->DestroyWindow();
        frame.reset();
    }
}

TEST_F(JobCodePage, FindTakesTheJobsCharacters)
{
    Open(ChineseJob());
    ExpectModal([&](CDialog& dlg) {
        Focus(Item(dlg, IDC_FIND_TEXT));
        TypeUnicode("\xE5\x90\x88\xE8\xAE\xA1");
        Click(dlg, IDOK);
    });
    Menu("Edit", ID_EDIT_FIND);
    HostNode* node = View().GetSelectedNode();
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->m_strName.ToUtf8(), "\xE5\x90\x88\xE8\xAE\xA1");
    EXPECT_TRUE(MessageBoxes().empty());
}

TEST_F(JobCodePage, TheCodePageFollowsTheJobOpenedMadeNewAndItsLanguage)
{
    Open(ChineseJob());
    EXPECT_EQ(GetACP(), 936);
    OnJobPage(ID_DEFINE_LANGUAGE, IDD_JOB_LANGUAGE, [](CDialog&, CWnd& page) { Click(page, IDC_LANG_JAPANESE); });
    EXPECT_EQ(Doc().m_nLanguage, 2);
    EXPECT_EQ(GetACP(), 932) << "a language change";
    Menu("Edit", ID_EDIT_UNDO);
    EXPECT_EQ(Doc().m_nLanguage, 1);
    EXPECT_EQ(GetACP(), 936) << "undone";
    Menu("File", ID_FILE_NEW);
    EXPECT_EQ(GetACP(), 1252) << "a new job is English";
}

} // namespace
