//{{NO_DEPENDENCIES}}
// Resource ids of pdtdlg.rc, shared with the code.
//
#define ID_APPLY_NOW                    3
#define IDD_DEFINE_JOB                  2102
#define IDD_LINK                        2111
#define IDD_LINK_IN                     2112
#define IDD_LINK_OUT                    2113
#define IDD_DEFINE_NODE                 2114
#define IDD_NODE_BASIC                  2115
#define IDD_NODE_NOTES                  2124
#define IDD_NODE_SCREEN                 2127
#define IDD_NODE_SCREENPOSITION         2128
#define IDD_DEFINE_PORTABLE             2137
#define IDD_DEFINE_RECORD               2141
#define IDD_NODE_CMTFONTCOLOR           2150
#define IDC_NODE_DESCRIPTION            4141
#define IDC_LINK_INFO                   4141
#define IDC_DATAFILE                    4155
#define IDC_CMT_FONTDEFINE              4161
#define IDC_NODE_GLOBALACCESS           4172
#define IDC_NODE_EXCLUDE                4173
#define IDC_OPTIONTREE                  4186
#define IDC_LINK_ALARM                  4198
#define IDC_LINK_PASSALWAYS             4199
#define IDC_LINK_EOR                    4200
#define IDC_LINK_EXPRESSION             4201
#define IDC_LINK_FAIL                   4202
#define IDC_LINK_GRP_EXPRESSION         4203
#define IDC_LINK_GRP_INPUTDATA          4204
#define IDC_LINK_GRP_KEYINPUT           4205
#define IDC_LINK_GRP_VERIFY             4206
#define IDC_LINK_INPUTDATA              4207
#define IDC_LINK_KEY                    4208
#define IDC_LINK_RRLI                   4209
#define IDC_LINK_INIT                   4210
#define IDC_LINK_SUCCESS                4211
#define IDC_LINK_EXCLUDE                4212
#define IDC_NODE_NAME                   4223
#define IDC_CMT_REFERENCENODE           4225
#define IDC_HELPCOMMAND                 4231
#define IDC_SCRIPTPAD                   4235
#define IDC_PAGEFRAME                   4236
#define IDC_NODE_STARTNODE              4266
#define IDC_NODE_COMMENT                4272
#define IDC_RECORDLIST                  4300
#define IDC_NODE_COLOR                  4335
#define IDC_CMT_TEXTCOLOR               4346
#define IDC_CMT_BACKCOLOR               4347
#define IDC_CMT_DEFAULTFONT             4350
#define IDC_SEPARATOR                   4373
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
