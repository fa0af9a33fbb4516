// Resource ids of setup.exe.
#pragma once

// Dialogs
#define IDD_SETUP_DIALOG 102

// Icons
#define IDI_SETUP 128

// Controls of the install dialog
#define IDC_INSTALL_PDA 1000
#define IDC_INSTALL_DESKTOP 1001
#define IDC_WELCOME 1002
#define IDC_TARGET_FOLDER 1003
#define IDC_BROWSE 1004
#define IDC_TARGET_LABEL 1005
