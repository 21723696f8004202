#include "host/app/UnappliedChanges.h"

#include <string>
#include <vector>

#include "host/jobfile/JobSnapshot.h"
#include "host/app/res/jobhost.h"
#include "host/model/HostLink.h"
#include "host/model/HostNode.h"
#include "host/model/JobDocument.h"
#include "link/CDlgDefineLink.h"
#include "node/CDlgDefineNode.h"

namespace
{

// The nodes and links as they are, put back by assignment: a trial store touches only their values (a start node
// clears the others' flag, a barcode page may set every input node's symbologies).
class JobValues
{
  public:
    explicit JobValues(JobDocument& doc) : m_doc(doc), m_bModified(doc.IsModified())
    {
        for (int i = 0; i < doc.GetNodeCount(); ++i)
            m_nodes.push_back(*doc.GetNodeAt(i));
        for (int i = 0; i < doc.GetLinkCount(); ++i)
            m_links.push_back(*doc.GetLinkAt(i));
    }
    void Restore()
    {
        for (int i = 0; i < m_doc.GetNodeCount() && size_t(i) < m_nodes.size(); ++i)
            *m_doc.GetNodeAt(i) = m_nodes[size_t(i)];
        for (int i = 0; i < m_doc.GetLinkCount() && size_t(i) < m_links.size(); ++i)
            *m_doc.GetLinkAt(i) = m_links[size_t(i)];
        m_doc.SetModifiedFlag(m_bModified);
    }

  private:
    JobDocument& m_doc;
    BOOL m_bModified;
    std::vector<HostNode> m_nodes;
    std::vector<HostLink> m_links;
};

class CDlgUnapplied : public CDialog
{
  public:
    CDlgUnapplied(CWnd* parent, const CString& text) : CDialog(IDD_UNAPPLIED, parent), m_strText(text) {}

  protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        SetDlgItemText(IDC_UNAPPLIED_TEXT, m_strText);
        return TRUE;
    }
    void OnApply() { EndDialog(IDC_UNAPPLIED_APPLY); }
    void OnDiscard() { EndDialog(IDC_UNAPPLIED_DISCARD); }
    DECLARE_MESSAGE_MAP()

  private:
    CString m_strText;
};

const MessageMap& CDlgUnapplied::GetThisMessageMap()
{
    static const MessageMap map(&CDialog::GetThisMessageMap(),
                                {
                                    mm::Command(IDC_UNAPPLIED_APPLY, BN_CLICKED, &CDlgUnapplied::OnApply),
                                    mm::Command(IDC_UNAPPLIED_DISCARD, BN_CLICKED, &CDlgUnapplied::OnDiscard),
                                });
    return map;
}

} // namespace

bool NodeDialogHoldsChanges(CDlgDefineNode& dlg, JobDocument& doc)
{
    if (!dlg.m_pNode || !dlg.m_pOptions || !dlg.m_hWnd)
        return false;
    CQuietMessageBoxes quiet;
    HWND focus = ::GetFocus(); // a refused value takes the focus to its field

    // Every page takes its controls, as Apply begins; a value a page refuses is one not stored yet.
    std::vector<OPTIONITEM*> links, pages;
    for (int i = 0; i < dlg.m_nLinkUsed && dlg.m_pLinkOptions; ++i)
        if (dlg.m_pLinkOptions[i].pPage && dlg.m_pLinkOptions[i].pObject)
            links.push_back(&dlg.m_pLinkOptions[i]);
    for (OPTIONITEM* opt = dlg.m_pOptions; opt->nID; ++opt)
        if (opt->pPage)
            pages.push_back(opt);
    bool changed = false;
    for (OPTIONITEM* opt : links)
        changed = changed || !opt->pPage->UpdateData(TRUE);
    for (OPTIONITEM* opt : pages)
        changed = changed || !opt->pPage->UpdateData(TRUE);

    // Then a trial store into the job itself, taken back at once: whether it changed what the job's file would hold.
    if (!changed)
    {
        JobValues values(doc);
        const std::string before = TakeJobSnapshot(doc);
        for (OPTIONITEM* opt : links)
            static_cast<CNodeLink*>(opt->pObject)->SaveDlgData(static_cast<CDlgDefineLink*>(opt->pPage));
        changed = !dlg.m_pNode->SaveDlgData(&dlg) || TakeJobSnapshot(doc) != before;
        values.Restore();
    }
    if (::IsWindow(focus) && ::GetFocus() != focus)
        CWnd::FromHandle(focus)->SetFocus();
    return changed;
}

UnappliedAnswer AskAboutUnappliedChanges(CWnd* parent, const CString& nodeLabel)
{
    CString text;
    text.Format("The node dialog holds changes to %s that were not applied.\n\nApply them to the node, or discard "
                "them?",
                nodeLabel.c_str());
    CDlgUnapplied dlg(parent, text);
    switch (dlg.DoModal())
    {
    case IDC_UNAPPLIED_APPLY: return UnappliedAnswer::Apply;
    case IDC_UNAPPLIED_DISCARD: return UnappliedAnswer::Discard;
    default: return UnappliedAnswer::Stay;
    }
}
