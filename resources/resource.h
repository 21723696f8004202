//{{NO_DEPENDENCIES}}
// Resource ids of pdtdlg.rc, shared with the code.
//
#define IDD_FIND                        2190
#define IDB_BUTTON                      3063
#define IDC_FIND_MATCHCASE              4157
#define IDC_FIND_TEXT                   4158
#define IDC_FIND_PROMPT                 4173
#define IDC_FIND_OUTPUTTOPANE2          4232

// Next default values for new objects
//
#ifdef APSTUDIO_INVOKED
#ifndef APSTUDIO_READONLY_SYMBOLS
#define _APS_NEXT_RESOURCE_VALUE        3064
#define _APS_NEXT_COMMAND_VALUE         32771
#define _APS_NEXT_CONTROL_VALUE         4233
#define _APS_NEXT_SYMED_VALUE           101
#endif
#endif
