// A flowchart link of the reference host: its condition and actions, and their mapping to the link page.
#pragma once

#include <string>

#include "framework/HostObjects.h"

class JobDocument;

// What the job checks before it follows the link.
enum : int
{
    LINK_NO_CONDITION = 0,
    LINK_KEY = 1,        // a key pressed on the terminal
    LINK_INPUT_DATA = 2, // the node's input equals a value
    LINK_VERIFY = 3,     // the result of the node's verification
    LINK_EXPRESSION = 4, // an expression of the job's program language
};

enum : int
{
    VERIFY_PASS_ALWAYS = 0,
    VERIFY_SUCCESS = 1,
    VERIFY_FAIL = 2,
};

class HostLink : public CNodeLink
{
  public:
    HostLink(JobDocument* doc, int id, int fromNodeId, int toNodeId);

    BOOL InitialDlgData(CDlgDefineLink* page) override;
    BOOL SaveDlgData(CDlgDefineLink* page) override;
    CString GetLabel() override;
    void Define() override;
    JobDocument* GetJobDocument() const { return m_pDoc; }

    int m_nCondition = LINK_NO_CONDITION;
    CString m_strKey; // key name in the terminal's keymap
    CString m_strInputData;
    int m_nVerifyResult = VERIFY_PASS_ALWAYS;
    CString m_strExpression;

    BOOL m_bEOR = FALSE; // write record m_nRecordID when the link is followed
    int m_nRecordID = 0; // 0: none
    BOOL m_bINIT = FALSE;
    BOOL m_bRRLI = FALSE;
    BOOL m_bAlarm = FALSE;
    BOOL m_bExcludeFromMakeJob = FALSE;

    // What a newer job file held for this object that this version does not know, as that file's text: kept as
    // given and written back on save. The model never reads it.
    std::string m_strExtra;

  private:
    void TakePage(CDlgDefineLink& page);

    JobDocument* m_pDoc;
};
    void TakePage(CDlgDefineLink& page);

