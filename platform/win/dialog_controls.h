// The dialog controls: buttons (push, check box, radio button, group box), static texts
// and pictures, and combo boxes: their styles, messages and notifications.
//
// Buttons: a click (mouse down and up inside, BM_CLICK, or Space on the focused button)
// sets the focus, lets an automatic check box flip its state and an automatic radio
// button check itself and uncheck the automatic radio buttons of its group, and then
// sends BN_CLICKED to the parent. BM_SETCHECK changes the state without a notification.
// Combo boxes: a drop-down list keeps its entries (sorted on insertion with CBS_SORT,
// ignoring case) and the current selection; its window text is the selected entry.
// CB_SETCURSEL sends nothing; a person's choice (CB_STANDIN_CHOOSE) sends CBN_DROPDOWN,
// CBN_SELCHANGE, CBN_SELENDOK and CBN_CLOSEUP in that order. A drop-down combo
// (CBS_DROPDOWN) has an edit child (id 1001, its first child) that holds the window text
// and takes the focus given to the combo box; typing in it sends CBN_EDITUPDATE and
// CBN_EDITCHANGE (text set by the program sends neither) and leaves the selection as it
// was. Heights: list items are the font's text height (CB_GETITEMHEIGHT 0), the selection
// field two more (CB_GETITEMHEIGHT -1), the closed box the field plus 6; a height given
// to SetWindowPos (or at creation) is the dropped list's, the box keeps its own. The
// dropped list is at least as wide as the box (CB_SETDROPPEDWIDTH widens it). The combo
// box sends CBN_KILLFOCUS when the focus leaves it and its edit.
// Pictures: a static with SS_BITMAP or SS_ICON whose template text is "#id" loads that
// bitmap or icon from the dialog's module when it is created and deletes it with itself;
// an image set with STM_SETIMAGE stays the caller's.
#pragma once
#include "platform/win/window_messages.h"
#include "platform/win/window_types.h"

// ---- Buttons.
#define BS_PUSHBUTTON 0x00000000L
#define BS_DEFPUSHBUTTON 0x00000001L
#define BS_AUTOCHECKBOX 0x00000003L
#define BS_RADIOBUTTON 0x00000004L
#define BS_3STATE 0x00000005L
#define BS_AUTO3STATE 0x00000006L
#define BS_GROUPBOX 0x00000007L
#define BS_AUTORADIOBUTTON 0x00000009L
#define BS_TYPEMASK 0x0000000FL
#define BS_ICON 0x00000040L
#define BS_NOTIFY 0x00004000L

#define BM_GETCHECK 0x00F0
#define BM_SETCHECK 0x00F1
#define BM_GETIMAGE 0x00F6
#define BM_SETIMAGE 0x00F7

#define BST_UNCHECKED 0x0000
#define BST_CHECKED 0x0001
#define BST_INDETERMINATE 0x0002

#define BN_CLICKED 0
#define BN_SETFOCUS 6
#define BN_KILLFOCUS 7

// Dialog codes (WM_GETDLGCODE) of buttons and statics.
#define DLGC_DEFPUSHBUTTON 0x0010
#define DLGC_UNDEFPUSHBUTTON 0x0020
#define DLGC_RADIOBUTTON 0x0040
#define DLGC_STATIC 0x0100
#define DLGC_BUTTON 0x2000

// ---- Static controls.
#define SS_LEFT 0x00000000L
#define SS_ICON 0x00000003L
#define SS_BITMAP 0x0000000EL
#define SS_TYPEMASK 0x0000001FL
#define SS_NOTIFY 0x00000100L

#define STM_GETIMAGE 0x0173

// Image types of BM_SETIMAGE, STM_SETIMAGE and LoadImageW.
#define IMAGE_BITMAP 0
#define IMAGE_ICON 1

// ---- Combo boxes.
#define CBS_DROPDOWN 0x0002L
#define CBS_DROPDOWNLIST 0x0003L
#define CBS_AUTOHSCROLL 0x0040L
#define CBS_SORT 0x0100L
#define CBS_NOINTEGRALHEIGHT 0x0400L

#define CB_ERR (-1)
#define CB_OKAY 0

#define CB_ADDSTRING 0x0143
#define CB_GETCOUNT 0x0146
#define CB_GETCURSEL 0x0147
#define CB_GETLBTEXT 0x0148
#define CB_GETLBTEXTLEN 0x0149
#define CB_SETCURSEL 0x014E
#define CB_SHOWDROPDOWN 0x014F
#define CB_GETITEMDATA 0x0150
#define CB_SETITEMDATA 0x0151
#define CB_GETDROPPEDCONTROLRECT 0x0152
#define CB_GETDROPPEDSTATE 0x0157
#define CB_FINDSTRINGEXACT 0x0158
#define CB_SETITEMHEIGHT 0x0153
#define CB_GETITEMHEIGHT 0x0154
#define CB_GETDROPPEDWIDTH 0x015F
#define CB_SETDROPPEDWIDTH 0x0160
#define CB_INITSTORAGE 0x0161

#define CBN_SELCHANGE 1
#define CBN_SETFOCUS 3
#define CBN_KILLFOCUS 4
#define CBN_EDITCHANGE 5
#define CBN_EDITUPDATE 6
#define CBN_DROPDOWN 7
#define CBN_CLOSEUP 8
#define CBN_SELENDOK 9

// A person opens the list and chooses entry wParam (the stand-in's own message).
#define CB_STANDIN_CHOOSE (WM_USER + 0x7C01)
