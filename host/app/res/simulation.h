// Template and control ids of jobhost's simulation window.
#pragma once

#define IDD_SIMULATION 9400
#define IDC_SIM_RUN 9401
#define IDC_SIM_STOP 9402
#define IDC_SIM_RESTART 9403
#define IDC_SIM_STATE 9404
#define IDC_SIM_FILES 9405
#define IDC_SIM_DATA 9406
#define IDC_SIM_LOG 9407
#define IDC_SIM_SCAN 9408
#define IDC_SIM_SCANBTN 9409
#define IDC_SIM_LOADFILE 9410
#define IDC_SIM_SCREEN 9411
#define IDC_SIM_FILES_LABEL 9412
#define IDC_SIM_LOG_LABEL 9413
#define IDC_SIM_SCAN_LABEL 9414
