// Ids of the pages that only the container's tests use.
#define IDD_TESTPAGE          5500
#define IDC_TESTPAGE_NUMBER   5501
#define IDC_TESTPAGE_CHECK    5502
