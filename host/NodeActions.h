// What upload, erase, edit, program and run-job nodes keep, and the hot key that runs any node. A
// HostNode carries these.
#pragma once

#include "platform/afxtypes.h"

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
};
