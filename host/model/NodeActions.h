// What upload, erase, edit, program and run-job nodes keep, and the hot key that runs any node. A
// HostNode carries these; HostNodeActions.cpp maps them to and from the node dialog's pages.
#pragma once

#include "platform/afxtypes.h"

class CDlgDefineNode;
class HostNode;

class NodeActions
{
  public:
    // Upload, erase and edit nodes work on a data file, usually a record's.
    int m_nRecordID = 0; // 0: a file of its own
    CString m_strDataFile;

    // Upload.
    BOOL m_bUploadAll = TRUE; // else the current record only
    BOOL m_bSendCtrlZ = FALSE;
    int m_nBaudRate = 9600;
    CString m_strProtocol = "Multipoint";

    // Erase.
    BOOL m_bDeleteWholeFile = TRUE; // else the last record only

    // Edit.
    BOOL m_bBrowseFromLast = FALSE;
    int m_nFieldSeparator = ','; // a code of the field terminator list

    // Program.
    CString m_strProgram;

    // Run job.
    CString m_strJobFile;
    CString m_strStartNode;

    // The key that runs the node from anywhere in the job: a key id of the keypad, 0 for none.
    int m_nHotKey = 0;

    // The baud rates and protocols a terminal's port offers, in the order the lists show them.
    static const int kBaudRates[8];
    static const char* const kProtocols[3];
};

void InitialActionPages(HostNode& node, CDlgDefineNode* dlg);
void SaveActionPages(HostNode& node, CDlgDefineNode* dlg);
