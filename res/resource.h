// Resource identifiers, shared by the C++ sources and WordMaint.rc.
#ifndef WORDMAINT_RES_RESOURCE_H
#define WORDMAINT_RES_RESOURCE_H

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_MAIN 102
#define IDR_MAINFRAME 128
#define IDD_INSTRUCTIONS 129

#define IDC_LIBRARY_COMBO 1000
#define IDC_WORD_LIST 1001
#define IDC_INSTRUCTIONS 1002
#define IDC_INSTRUCTIONS_TEXT 1003
#define IDC_CLEAR 1004
#define IDC_BACKUP 1005
#define IDC_IMPORT 1006
#define IDC_HOMEPAGE_LINK 1007

// The word list's commands: its keys and its shortcut menu.
#define IDM_UNDO 2001
#define IDM_REDO 2002
#define IDM_DELETE_ROWS 2003
#define IDM_SELECT_ALL 2004
#define IDM_CUT 2005
#define IDM_COPY 2006
#define IDM_PASTE 2007
#define IDM_FIND 2008
#define IDM_CODE_PHRASES 2009

// System-menu command: the low four bits of SC_* values are reserved for the system.
#define IDM_ABOUTBOX 0x0010

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#endif
