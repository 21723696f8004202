// One entry of a definition dialog's option tree, built and owned by the host.
#pragma once

#include <cstddef>
#include <type_traits>

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

// The layout hosts build their arrays against: every field in the declared order, the ids and host
// words 32 bits, and the pointer and handle fields pointer-sized on this 64-bit platform (on the
// original 32-bit one all nine fields were one word each).
static_assert(sizeof(int) == 4 && sizeof(DWORD) == 4, "option ids and host words are 32 bits");
static_assert(sizeof(OPTIONITEM::pszTitle) == sizeof(void*) && sizeof(OPTIONITEM::hItem) == sizeof(void*) &&
                  sizeof(OPTIONITEM::hParentItem) == sizeof(void*) && sizeof(OPTIONITEM::pPage) == sizeof(void*) &&
                  sizeof(OPTIONITEM::pObject) == sizeof(void*),
              "pointer and handle fields are pointer-sized");
static_assert(offsetof(OPTIONITEM, nID) == 0 && offsetof(OPTIONITEM, nID) < offsetof(OPTIONITEM, nParent) &&
                  offsetof(OPTIONITEM, nParent) < offsetof(OPTIONITEM, pszTitle) &&
                  offsetof(OPTIONITEM, pszTitle) < offsetof(OPTIONITEM, hItem) &&
                  offsetof(OPTIONITEM, hItem) < offsetof(OPTIONITEM, hParentItem) &&
                  offsetof(OPTIONITEM, hParentItem) < offsetof(OPTIONITEM, pPage) &&
                  offsetof(OPTIONITEM, pPage) < offsetof(OPTIONITEM, dwUser1) &&
                  offsetof(OPTIONITEM, dwUser1) < offsetof(OPTIONITEM, dwUser2) &&
                  offsetof(OPTIONITEM, dwUser2) < offsetof(OPTIONITEM, pObject),
              "fields in the declared order");
static_assert(offsetof(OPTIONITEM, pszTitle) == 8 && offsetof(OPTIONITEM, dwUser1) == 40 &&
                  offsetof(OPTIONITEM, dwUser2) == 44 && offsetof(OPTIONITEM, pObject) == 48 &&
                  sizeof(OPTIONITEM) == 56,
              "no padding but what pointer alignment needs: two ints, four pointers, two words, a pointer");
static_assert(std::is_standard_layout_v<OPTIONITEM> && std::is_trivially_copyable_v<OPTIONITEM>,
              "hosts fill arrays of it as plain records");

// Mode of the job definition dialog.
enum JOBSETTINGMODE
{
    JSM_GLOBAL = 1,  // global settings
    JSM_JOB = 2,     // settings of the current job
    JSM_LANGUAGE = 3 // job language
};
