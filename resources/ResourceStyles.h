// Window and control style bits used by the dialog templates, defined here so that
// the resources compile without the platform's headers.
#pragma once

#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_VISIBLE 0x10000000L
#define WS_CAPTION 0x00C00000L
#define WS_SYSMENU 0x00080000L
#define WS_GROUP 0x00020000L
#define WS_TABSTOP 0x00010000L
#define DS_MODALFRAME 0x0080L
#define DS_SETFONT 0x0040L
#define BS_PUSHBUTTON 0x0000L
#define BS_DEFPUSHBUTTON 0x0001L
#define SS_LEFT 0x0000L
#define SS_BLACKFRAME 0x0007L
#define VS_FF_DEBUG 0x00000001L
#define VOS__WINDOWS32 0x00000004L
#define VFT_DLL 0x00000002L
#define VFT2_UNKNOWN 0x00000000L
#define LANG_ENGLISH 0x09
#define SUBLANG_ENGLISH_US 0x01
#define IDC_STATIC (-1)

// Window style shared by the module's dialogs.
#define QUIB_DIALOG_STYLE (WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME)
