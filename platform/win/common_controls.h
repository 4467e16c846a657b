// The common controls the plug-in uses (list view with its groups, header, tooltip) and image lists:
// class names, messages, notifications, styles and structures.
#pragma once
#include "platform/win/window_messages.h"
#include "platform/win/window_types.h"

#define WC_LISTVIEWW L"SysListView32"
#define WC_HEADERW L"SysHeader32"
#define TOOLTIPS_CLASSW L"tooltips_class32"
#define WC_EDITW L"Edit"
#define WC_BUTTONW L"Button"
#define WC_STATICW L"Static"
#define WC_COMBOBOXW L"ComboBox"

// ---- Notification codes shared by every control.
#define NM_FIRST (0U - 0U)
#define NM_CLICK (NM_FIRST - 2)
#define NM_DBLCLK (NM_FIRST - 3)
#define NM_RCLICK (NM_FIRST - 5)
#define NM_SETFOCUS (NM_FIRST - 7)
#define NM_KILLFOCUS (NM_FIRST - 8)
#define NM_CUSTOMDRAW (NM_FIRST - 12)

// ---- Custom draw.
#define CDDS_PREPAINT 0x00000001
#define CDDS_POSTPAINT 0x00000002
#define CDDS_ITEM 0x00010000
#define CDDS_ITEMPREPAINT (CDDS_ITEM | CDDS_PREPAINT)
#define CDDS_ITEMPOSTPAINT (CDDS_ITEM | CDDS_POSTPAINT)
#define CDDS_SUBITEM 0x00020000
#define CDRF_DODEFAULT 0x00000000
#define CDRF_NEWFONT 0x00000002
#define CDRF_SKIPDEFAULT 0x00000004
#define CDRF_NOTIFYPOSTPAINT 0x00000010
#define CDRF_NOTIFYITEMDRAW 0x00000020
#define CDRF_NOTIFYSUBITEMDRAW 0x00000020
#define CDIS_SELECTED 0x0001
#define CDIS_FOCUS 0x0010
#define CDIS_HOT 0x0040

struct NMCUSTOMDRAW {
  NMHDR hdr;
  DWORD dwDrawStage = 0;
  HDC hdc = nullptr;
  RECT rc;
  DWORD_PTR dwItemSpec = 0;
  UINT uItemState = 0;
  LPARAM lItemlParam = 0;
};

struct NMLVCUSTOMDRAW {
  NMCUSTOMDRAW nmcd;
  COLORREF clrText = 0;
  COLORREF clrTextBk = 0;
  int iSubItem = 0;
  DWORD dwItemType = 0;
  COLORREF clrFace = 0;
  int iIconEffect = 0;
  int iIconPhase = 0;
  int iPartId = 0;
  int iStateId = 0;
  RECT rcText;
  UINT uAlign = 0;
};

// ---- List view.
#define LVS_REPORT 0x0001
#define LVS_LIST 0x0003
#define LVS_TYPEMASK 0x0003
#define LVS_SINGLESEL 0x0004
#define LVS_SHOWSELALWAYS 0x0008
#define LVS_EDITLABELS 0x0200
#define LVS_OWNERDRAWFIXED 0x0400
#define LVS_OWNERDATA 0x1000
#define LVS_NOCOLUMNHEADER 0x4000
#define LVS_NOSORTHEADER 0x8000

#define LVS_EX_GRIDLINES 0x00000001
#define LVS_EX_SUBITEMIMAGES 0x00000002
#define LVS_EX_CHECKBOXES 0x00000004
#define LVS_EX_TRACKSELECT 0x00000008
#define LVS_EX_HEADERDRAGDROP 0x00000010
#define LVS_EX_FULLROWSELECT 0x00000020
#define LVS_EX_TWOCLICKACTIVATE 0x00000080
#define LVS_EX_DOUBLEBUFFER 0x00010000

#define LVM_FIRST 0x1000
#define LVM_GETBKCOLOR (LVM_FIRST + 0)
#define LVM_GETIMAGELIST (LVM_FIRST + 2)
#define LVM_SETIMAGELIST (LVM_FIRST + 3)
#define LVM_GETITEMCOUNT (LVM_FIRST + 4)
#define LVM_DELETEITEM (LVM_FIRST + 8)
#define LVM_DELETEALLITEMS (LVM_FIRST + 9)
#define LVM_GETNEXTITEM (LVM_FIRST + 12)
#define LVM_GETITEMRECT (LVM_FIRST + 14)
#define LVM_HITTEST (LVM_FIRST + 18)
#define LVM_ENSUREVISIBLE (LVM_FIRST + 19)
#define LVM_SCROLL (LVM_FIRST + 20)
#define LVM_GETEDITCONTROL (LVM_FIRST + 24)
#define LVM_DELETECOLUMN (LVM_FIRST + 28)
#define LVM_GETCOLUMNWIDTH (LVM_FIRST + 29)
#define LVM_SETCOLUMNWIDTH (LVM_FIRST + 30)
#define LVM_GETHEADER (LVM_FIRST + 31)
#define LVM_GETTOPINDEX (LVM_FIRST + 39)
#define LVM_GETCOUNTPERPAGE (LVM_FIRST + 40)
#define LVM_SETITEMSTATE (LVM_FIRST + 43)
#define LVM_GETITEMSTATE (LVM_FIRST + 44)
#define LVM_SETITEMCOUNT (LVM_FIRST + 47)
#define LVM_SORTITEMS (LVM_FIRST + 48)
#define LVM_GETSELECTEDCOUNT (LVM_FIRST + 50)
#define LVM_SETEXTENDEDLISTVIEWSTYLE (LVM_FIRST + 54)
#define LVM_GETEXTENDEDLISTVIEWSTYLE (LVM_FIRST + 55)
#define LVM_GETSUBITEMRECT (LVM_FIRST + 56)
#define LVM_SUBITEMHITTEST (LVM_FIRST + 57)
#define LVM_SETCOLUMNORDERARRAY (LVM_FIRST + 58)
#define LVM_GETCOLUMNORDERARRAY (LVM_FIRST + 59)
#define LVM_SETHOTITEM (LVM_FIRST + 60)
#define LVM_GETHOTITEM (LVM_FIRST + 61)
#define LVM_GETSELECTIONMARK (LVM_FIRST + 66)
#define LVM_SETSELECTIONMARK (LVM_FIRST + 67)
#define LVM_GETITEMW (LVM_FIRST + 75)
#define LVM_SETITEMW (LVM_FIRST + 76)
#define LVM_INSERTITEMW (LVM_FIRST + 77)
#define LVM_GETTOOLTIPS (LVM_FIRST + 78)
#define LVM_SORTITEMSEX (LVM_FIRST + 81)
#define LVM_GETCOLUMNW (LVM_FIRST + 95)
#define LVM_SETCOLUMNW (LVM_FIRST + 96)
#define LVM_INSERTCOLUMNW (LVM_FIRST + 97)
#define LVM_GETITEMTEXTW (LVM_FIRST + 115)
#define LVM_SETITEMTEXTW (LVM_FIRST + 116)
#define LVM_EDITLABELW (LVM_FIRST + 118)

#define LVN_FIRST (0U - 100U)
#define LVN_ITEMCHANGING (LVN_FIRST - 0)
#define LVN_ITEMCHANGED (LVN_FIRST - 1)
#define LVN_INSERTITEM (LVN_FIRST - 2)
#define LVN_DELETEITEM (LVN_FIRST - 3)
#define LVN_DELETEALLITEMS (LVN_FIRST - 4)
#define LVN_COLUMNCLICK (LVN_FIRST - 8)
#define LVN_BEGINDRAG (LVN_FIRST - 9)
#define LVN_KEYDOWN (LVN_FIRST - 55)
#define LVN_BEGINLABELEDITW (LVN_FIRST - 75)
#define LVN_ENDLABELEDITW (LVN_FIRST - 76)
#define LVN_GETDISPINFOW (LVN_FIRST - 77)
#define LVN_ODFINDITEMW (LVN_FIRST - 79)

#define LVIF_TEXT 0x00000001
#define LVIF_IMAGE 0x00000002
#define LVIF_PARAM 0x00000004
#define LVIF_STATE 0x00000008
#define LVIF_INDENT 0x00000010
#define LVIF_NORECOMPUTE 0x00000800
#define LVIF_DI_SETITEM 0x00001000

#define LVIS_FOCUSED 0x0001
#define LVIS_SELECTED 0x0002
#define LVIS_DROPHILITED 0x0008
#define LVIS_STATEIMAGEMASK 0xF000
#define INDEXTOSTATEIMAGEMASK(i) ((i) << 12)

#define LPSTR_TEXTCALLBACKW ((LPWSTR)(INT_PTR)-1)
#define I_IMAGECALLBACK (-1)

#define LVNI_FOCUSED 0x0001
#define LVNI_SELECTED 0x0002
#define LVNI_CUT 0x0004
#define LVNI_DROPHILITED 0x0008
#define LVNI_ABOVE 0x0100

#define LVIR_BOUNDS 0
#define LVIR_ICON 1
#define LVIR_LABEL 2
#define LVIR_SELECTBOUNDS 3

#define LVHT_NOWHERE 0x0001
#define LVHT_ONITEMICON 0x0002
#define LVHT_ONITEMLABEL 0x0004
#define LVHT_ONITEMSTATEICON 0x0008
#define LVHT_ABOVE 0x0008
#define LVHT_BELOW 0x0010
#define LVHT_TORIGHT 0x0020
#define LVHT_TOLEFT 0x0040

#define LVCF_FMT 0x0001
#define LVCF_WIDTH 0x0002
#define LVCF_TEXT 0x0004
#define LVCF_SUBITEM 0x0008
#define LVCF_IMAGE 0x0010
#define LVCF_ORDER 0x0020
#define LVCFMT_LEFT 0x0000
#define LVCFMT_RIGHT 0x0001
#define LVCFMT_CENTER 0x0002
#define LVCFMT_JUSTIFYMASK 0x0003

#define LVSCW_AUTOSIZE (-1)
#define LVSCW_AUTOSIZE_USEHEADER (-2)
#define LVSIL_SMALL 1
#define LVSIL_STATE 2

#define LVFI_PARAM 0x0001
#define LVFI_STRING 0x0002
#define LVFI_PARTIAL 0x0008
#define LVFI_WRAP 0x0020

struct LVITEMW {
  UINT mask = 0;
  int iItem = 0;
  int iSubItem = 0;
  UINT state = 0;
  UINT stateMask = 0;
  LPWSTR pszText = nullptr;
  int cchTextMax = 0;
  int iImage = 0;
  LPARAM lParam = 0;
  int iIndent = 0;
  int iGroupId = 0;
};
using LVITEM = LVITEMW;

struct LVCOLUMNW {
  UINT mask = 0;
  int fmt = 0;
  int cx = 0;
  LPWSTR pszText = nullptr;
  int cchTextMax = 0;
  int iSubItem = 0;
  int iImage = 0;
  int iOrder = 0;
};
using LVCOLUMN = LVCOLUMNW;

struct NMLISTVIEW {
  NMHDR hdr;
  int iItem = 0;
  int iSubItem = 0;
  UINT uNewState = 0;
  UINT uOldState = 0;
  UINT uChanged = 0;
  POINT ptAction;
  LPARAM lParam = 0;
};

struct NMITEMACTIVATE {
  NMHDR hdr;
  int iItem = 0;
  int iSubItem = 0;
  UINT uNewState = 0;
  UINT uOldState = 0;
  UINT uChanged = 0;
  POINT ptAction;
  LPARAM lParam = 0;
  UINT uKeyFlags = 0;
};
#define LVKF_CONTROL 0x0002
#define LVKF_SHIFT 0x0004

struct NMLVDISPINFOW {
  NMHDR hdr;
  LVITEMW item;
};
using NMLVDISPINFO = NMLVDISPINFOW;

struct NMLVKEYDOWN {
  NMHDR hdr;
  WORD wVKey = 0;
  UINT flags = 0;
};

struct LVHITTESTINFO {
  POINT pt;
  UINT flags = 0;
  int iItem = 0;
  int iSubItem = 0;
  int iGroup = 0;
};
using LPLVHITTESTINFO = LVHITTESTINFO*;

struct LVFINDINFOW {
  UINT flags = 0;
  LPCWSTR psz = nullptr;
  LPARAM lParam = 0;
  POINT pt;
  UINT vkDirection = 0;
};

struct NMLVFINDITEMW {
  NMHDR hdr;
  int iStart = 0;
  LVFINDINFOW lvfi;
};
using NMLVFINDITEM = NMLVFINDITEMW;

// The compare functions of LVM_SORTITEMS (item data) and LVM_SORTITEMSEX (indexes).
using PFNLVCOMPARE = int (*)(LPARAM, LPARAM, LPARAM);

// ---- List-view groups (common controls 6).
#define LVM_GETGROUPRECT (LVM_FIRST + 98)
#define LVM_INSERTGROUP (LVM_FIRST + 145)
#define LVM_SETGROUPINFO (LVM_FIRST + 147)
#define LVM_GETGROUPINFO (LVM_FIRST + 149)
#define LVM_REMOVEGROUP (LVM_FIRST + 150)
#define LVM_GETGROUPCOUNT (LVM_FIRST + 152)
#define LVM_GETGROUPINFOBYINDEX (LVM_FIRST + 153)
#define LVM_ENABLEGROUPVIEW (LVM_FIRST + 157)
#define LVM_SORTGROUPS (LVM_FIRST + 158)
#define LVM_REMOVEALLGROUPS (LVM_FIRST + 160)
#define LVM_ISGROUPVIEWENABLED (LVM_FIRST + 175)

#define LVN_LINKCLICK (LVN_FIRST - 84)
#define LVN_GETEMPTYMARKUP (LVN_FIRST - 87)

#define LVIF_GROUPID 0x00000100
#define I_GROUPIDCALLBACK (-1)
#define I_GROUPIDNONE (-2)

#define LVGF_HEADER 0x00000001
#define LVGF_FOOTER 0x00000002
#define LVGF_STATE 0x00000004
#define LVGF_ALIGN 0x00000008
#define LVGF_GROUPID 0x00000010
#define LVGF_SUBTITLE 0x00000100
#define LVGF_TASK 0x00000200
#define LVGF_DESCRIPTIONTOP 0x00000400
#define LVGF_DESCRIPTIONBOTTOM 0x00000800
#define LVGF_TITLEIMAGE 0x00001000

#define LVGS_NORMAL 0x00000000
#define LVGS_COLLAPSED 0x00000001
#define LVGS_HIDDEN 0x00000002
#define LVGS_COLLAPSIBLE 0x00000008

#define LVGGR_GROUP 0
#define LVGGR_HEADER 1
#define LVGGR_LABEL 2

#define LVHT_EX_GROUP_HEADER 0x10000000

#define EMF_CENTERED 0x00000001
#define L_MAX_URL_LENGTH (2048 + 32 + 4)
#define MAX_LINKID_TEXT 48

struct LVGROUP {
  UINT cbSize = sizeof(LVGROUP);
  UINT mask = 0;
  LPWSTR pszHeader = nullptr;
  int cchHeader = 0;
  LPWSTR pszFooter = nullptr;
  int cchFooter = 0;
  int iGroupId = 0;
  UINT stateMask = 0;
  UINT state = 0;
  UINT uAlign = 0;
  LPWSTR pszSubtitle = nullptr;
  UINT cchSubtitle = 0;
  LPWSTR pszTask = nullptr;
  UINT cchTask = 0;
  LPWSTR pszDescriptionTop = nullptr;
  UINT cchDescriptionTop = 0;
  LPWSTR pszDescriptionBottom = nullptr;
  UINT cchDescriptionBottom = 0;
  int iTitleImage = 0;
  int iExtendedImage = 0;
  int iFirstItem = 0;
  UINT cItems = 0;
  LPWSTR pszSubsetTitle = nullptr;
  UINT cchSubsetTitle = 0;
};

// The compare function of LVM_SORTGROUPS: two group ids and the caller's data.
using PFNLVGROUPCOMPARE = int (*)(int, int, void*);

struct NMLVEMPTYMARKUP {
  NMHDR hdr;
  DWORD dwFlags = 0;
  WCHAR szMarkup[L_MAX_URL_LENGTH] = {};
};

struct LITEM {
  UINT mask = 0;
  int iLink = 0;
  UINT state = 0;
  UINT stateMask = 0;
  WCHAR szID[MAX_LINKID_TEXT] = {};
  WCHAR szUrl[L_MAX_URL_LENGTH] = {};
};

// LVN_LINKCLICK: a group's task link was clicked (iItem -1, iSubItem the group id).
struct NMLVLINK {
  NMHDR hdr;
  LITEM link;
  int iItem = 0;
  int iSubItem = 0;
};

// ---- Header.
#define HDS_HORZ 0x0000
#define HDS_BUTTONS 0x0002
#define HDS_HIDDEN 0x0008
#define HDS_DRAGDROP 0x0040

#define HDM_FIRST 0x1200
#define HDM_GETITEMCOUNT (HDM_FIRST + 0)
#define HDM_DELETEITEM (HDM_FIRST + 2)
#define HDM_HITTEST (HDM_FIRST + 6)
#define HDM_GETITEMRECT (HDM_FIRST + 7)
#define HDM_INSERTITEMW (HDM_FIRST + 10)
#define HDM_GETITEMW (HDM_FIRST + 11)
#define HDM_SETITEMW (HDM_FIRST + 12)
#define HDM_ORDERTOINDEX (HDM_FIRST + 15)
#define HDM_GETORDERARRAY (HDM_FIRST + 17)
#define HDM_SETORDERARRAY (HDM_FIRST + 18)

#define HDN_FIRST (0U - 300U)
#define HDN_ITEMCHANGINGA (HDN_FIRST - 0)
#define HDN_ITEMCHANGEDA (HDN_FIRST - 1)
#define HDN_ITEMCLICKA (HDN_FIRST - 2)
#define HDN_DIVIDERDBLCLICKA (HDN_FIRST - 5)
#define HDN_BEGINTRACKA (HDN_FIRST - 6)
#define HDN_ENDTRACKA (HDN_FIRST - 7)
#define HDN_BEGINDRAG (HDN_FIRST - 10)
#define HDN_ENDDRAG (HDN_FIRST - 11)
#define HDN_ITEMCHANGINGW (HDN_FIRST - 20)
#define HDN_ITEMCHANGEDW (HDN_FIRST - 21)
#define HDN_ITEMCLICKW (HDN_FIRST - 22)
#define HDN_ITEMDBLCLICKW (HDN_FIRST - 23)
#define HDN_DIVIDERDBLCLICKW (HDN_FIRST - 25)
#define HDN_BEGINTRACKW (HDN_FIRST - 26)
#define HDN_ENDTRACKW (HDN_FIRST - 27)
#define HDN_TRACKW (HDN_FIRST - 28)

#define HDI_WIDTH 0x0001
#define HDI_TEXT 0x0002
#define HDI_FORMAT 0x0004
#define HDI_LPARAM 0x0008
#define HDI_BITMAP 0x0010
#define HDI_IMAGE 0x0020
#define HDI_ORDER 0x0080

#define HDF_LEFT 0x0000
#define HDF_RIGHT 0x0001
#define HDF_CENTER 0x0002
#define HDF_JUSTIFYMASK 0x0003
#define HDF_SORTDOWN 0x0200
#define HDF_SORTUP 0x0400
#define HDF_BITMAP_ON_RIGHT 0x1000
#define HDF_BITMAP 0x2000
#define HDF_STRING 0x4000

#define HHT_NOWHERE 0x0001
#define HHT_ONHEADER 0x0002
#define HHT_ONDIVIDER 0x0004
#define HHT_ONDIVOPEN 0x0008
#define HHT_ABOVE 0x0100
#define HHT_BELOW 0x0200
#define HHT_TOLEFT 0x0800

struct HDITEMW {
  UINT mask = 0;
  int cxy = 0;
  LPWSTR pszText = nullptr;
  HBITMAP hbm = nullptr;
  int cchTextMax = 0;
  int fmt = 0;
  LPARAM lParam = 0;
  int iImage = 0;
  int iOrder = 0;
};
using HDITEM = HDITEMW;

struct NMHEADERW {
  NMHDR hdr;
  int iItem = 0;
  int iButton = 0;
  HDITEMW* pitem = nullptr;
};
using NMHEADER = NMHEADERW;

struct HDHITTESTINFO {
  POINT pt;
  UINT flags = 0;
  int iItem = 0;
};
using LPHDHITTESTINFO = HDHITTESTINFO*;

// ---- Tooltips.
#define TTM_ACTIVATE (WM_USER + 1)
#define TTM_SETMAXTIPWIDTH (WM_USER + 24)
#define TTM_POP (WM_USER + 28)
#define TTM_ADDTOOLW (WM_USER + 50)
#define TTM_DELTOOLW (WM_USER + 51)

#define TTN_FIRST (0U - 520U)
#define TTN_GETDISPINFOA (TTN_FIRST - 0)
#define TTN_GETDISPINFOW (TTN_FIRST - 10)
#define TTN_NEEDTEXTA TTN_GETDISPINFOA
#define TTN_NEEDTEXTW TTN_GETDISPINFOW

struct TOOLINFOW {
  UINT cbSize = sizeof(TOOLINFOW);
  UINT uFlags = 0;
  HWND hwnd = nullptr;
  UINT_PTR uId = 0;
  RECT rect;
  HINSTANCE hinst = nullptr;
  LPWSTR lpszText = nullptr;
  LPARAM lParam = 0;
  void* lpReserved = nullptr;
};
using TOOLINFO = TOOLINFOW;

struct NMTTDISPINFOW {
  NMHDR hdr;
  LPWSTR lpszText = nullptr;
  WCHAR szText[80] = {};
  HINSTANCE hinst = nullptr;
  UINT uFlags = 0;
  LPARAM lParam = 0;
};
struct NMTTDISPINFOA {
  NMHDR hdr;
  LPSTR lpszText = nullptr;
  char szText[80] = {};
  HINSTANCE hinst = nullptr;
  UINT uFlags = 0;
  LPARAM lParam = 0;
};
using TOOLTIPTEXTW = NMTTDISPINFOW;
using TOOLTIPTEXTA = NMTTDISPINFOA;

// ---- Common-controls version (DllGetVersion of "comctl32.dll").
struct DLLVERSIONINFO {
  DWORD cbSize = sizeof(DLLVERSIONINFO);
  DWORD dwMajorVersion = 0;
  DWORD dwMinorVersion = 0;
  DWORD dwBuildNumber = 0;
  DWORD dwPlatformID = 0;
};
using DLLGETVERSIONPROC = HRESULT (*)(DLLVERSIONINFO*);
