// Control ids of the font dialog's template, under the names Windows gives them in dlgs.h.
#define psh3        1026
#define pshHelp     1038
#define chx1        1040
#define chx2        1041
#define grp1        1072
#define grp2        1073
#define stc1        1088
#define stc2        1089
#define stc3        1090
#define stc4        1091
#define stc5        1092
#define stc6        1093
#define cmb1        1136
#define cmb2        1137
#define cmb3        1138
#define cmb4        1139
#define IDD_FONTDIALOG 1543
