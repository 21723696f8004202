// Ids of the platform tests' dialogs.
#define IDD_CONTROLS      5000
#define IDD_PAGE          5001
#define IDD_HOST          5002
#define IDC_NAME          5101
#define IDC_COUNT         5102
#define IDC_LIST          5103
#define IDC_EDITCOMBO     5104
#define IDC_CHECK         5105
#define IDC_MANUALCHECK   5106
#define IDC_RADIO1        5107
#define IDC_RADIO2        5108
#define IDC_RADIO3        5109
#define IDC_NOTES         5110
#define IDC_MEMO          5111
#define IDC_APPLY         5112
#define IDC_RADIO4        5113
#define IDC_RADIO5        5114
#define IDC_PAGE_EDIT     5201
#define IDC_PAGE_BUTTON   5202
#define IDC_HOST_EDIT     5301
#define IDC_PAGE_AREA     5302
#define IDS_GREETING      5900
// GDI and menu tests.
#define IDR_TESTMENU      5950
#define ID_TM_COPY        5951
#define ID_TM_PASTE       5952
#define ID_TM_CLEARALL    5953
#define ID_TM_DEEP        5954
#define ID_TM_CHECKED     5955
#define ID_TM_OTHER       5956
// A page never shown before its controls are driven.
#define IDD_LAZYPAGE      5003
#define IDC_LZ_R1         5405
#define IDC_LZ_R2         5406
#define IDC_LZ_R3         5407
#define IDC_LZ_EDIT       5410
#define IDC_LZ_MULTI      5411
#define IDC_LZ_DROPLIST   5413
// A page of lists never shown before its lists are filled.
#define IDD_LAZYLISTS     5004
#define IDC_LL_SORTED     5420
#define IDC_LL_SINGLE     5421
#define IDC_LL_REPORT     5422
