// Resource ids of support.rc. They sit apart from the library's own ids: both scripts share the resource chain.
#pragma once

#define IDD_SCRIPTPAD                   28500
#define IDC_SCRIPTPAD_TEXT              28501
