// Template and control ids of jobhost's main window's own dialogs.
#pragma once

#define IDD_UNAPPLIED 9450
#define IDC_UNAPPLIED_TEXT 9451
#define IDC_UNAPPLIED_APPLY 9452
#define IDC_UNAPPLIED_DISCARD 9453
