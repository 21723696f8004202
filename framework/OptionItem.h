// One entry of a definition dialog's option tree, built and owned by the host.
#pragma once

#include "platform/afxtypes.h"

class CDlgDefineBase;

struct OPTIONITEM
{
    int nID;                 // option id = the page's template id; 0 ends the array
    int nParent;             // index of the parent entry in the same array; -1 for the top level
    const char* pszTitle;    // label of the tree item
    HTREEITEM hItem;         // written by the container
    HTREEITEM hParentItem;   // written by the container
    CDlgDefineBase* pPage;   // created and owned by the container while the tree is filled
    DWORD dwUser1;           // the host's
    DWORD dwUser2;           // the host's; 1 on the node dialog's link entries
    void* pObject;           // the host object the page edits (record, link)
};

// Mode of the job definition dialog.
enum JOBSETTINGMODE
{
    JSM_GLOBAL = 1,  // global settings
    JSM_JOB = 2,     // settings of the current job
    JSM_LANGUAGE = 3 // job language
};
