// The job-wide settings of the reference host's document: what the job dialog's general pages edit. The
// flowchart is drawn with these sizes and colours.
#pragma once

#include "platform/afxtypes.h"

// The flowchart's colours, in the order of the colour page's pickers.
enum JobColour : int
{
    JC_COMMENT,
    JC_MENU,
    JC_COLLECT,
    JC_MATH,
    JC_EDIT,
    JC_ERASE,
    JC_UPLOAD,
    JC_PROGRAM,
    JC_RUNJOB,
    JC_LINK,
    JC_NODETEXT,
    JC_STARTNODE,
    JC_SELNODE,
    JC_SELLINK,
    JC_EXCLUDED,
    JC_SCREEN, // the terminal screen's background, kept in the document's m_crScreenBackground
    JC_COUNT
};

// What a colour is when nothing chose another: a node kind's own colour, or the fixed one of the others.
COLORREF DefaultJobColour(int which);

struct JobSettings
{
    JobSettings();

    // Basic.
    BOOL bNoEscTerminate = FALSE;
    BOOL bJobEngineLog = FALSE;
    // The terminal's address: "A" to "Z" or "0" to "6".
    char chAddress = 'A';
    // Flowchart sizes.
    int nNodeHeight = 50;
    int nNodeWidth = 100;
    int nPageHeight = 1600;
    int nPageWidth = 2200;
    // Flowchart colours but the screen's.
    COLORREF crColours[JC_COUNT] = {};
    // Making the job.
    BOOL bSkipSearchTable = FALSE;
    BOOL bSkipFont = FALSE;
    BOOL bNoLookupDownload = FALSE;
    BOOL bSkipJobNameFile = FALSE;
    BOOL bNoAutoDownload = FALSE;
    BOOL bFastSpeed = FALSE;
    BOOL bVersion4Job = FALSE;
    // Simulating it.
    BOOL bLargeWindow = FALSE;
};
