// Modal dialogs built from templates in dialog units, their controls and
// the resource calls that find a template. Included by platform.h.
#pragma once

#include <cstdint>

using INT_PTR = intptr_t;
// Answers TRUE when it handled the message.
using DLGPROC = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

constexpr UINT WM_INITDIALOG = 0x0110;

// Resources: a dialog template is found, loaded and locked to a pointer.
struct HRSRC__;
using HRSRC = HRSRC__*;
using HGLOBAL = void*;
inline const wchar_t* const RT_DIALOG = reinterpret_cast<const wchar_t*>(uintptr_t{5});
HRSRC FindResourceW(HINSTANCE module, const wchar_t* name, const wchar_t* type);
HGLOBAL LoadResource(HINSTANCE module, HRSRC resource);
// For RT_DIALOG the data is a DLGTEMPLATE.
void* LockResource(HGLOBAL data);

// Runs the dialog until EndDialog; every other window is disabled meanwhile.
// Returns the value given to EndDialog, or -1 when it cannot be made.
INT_PTR DialogBoxIndirectParamW(HINSTANCE instance, const DLGTEMPLATE* dialog, HWND owner,
                                DLGPROC proc, LPARAM param);
BOOL EndDialog(HWND dialog, INT_PTR result);
HWND GetDlgItem(HWND dialog, int id);
LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL SetDlgItemTextW(HWND dialog, int id, const wchar_t* text);
// A control's dialog, or a dialog's owner.
HWND GetParent(HWND hwnd);

// Notifications, in the high word of WM_COMMAND's word parameter.
constexpr WORD BN_CLICKED = 0;
constexpr WORD LBN_SELCHANGE = 1;
constexpr WORD CBN_SELCHANGE = 1;

constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;
constexpr WPARAM BST_UNCHECKED = 0;
constexpr WPARAM BST_CHECKED = 1;

constexpr UINT LB_ADDSTRING = 0x0180;
constexpr UINT LB_SETCURSEL = 0x0186;
constexpr UINT LB_GETCURSEL = 0x0188;
constexpr UINT LB_GETCOUNT = 0x018B;
constexpr LRESULT LB_ERR = -1;

constexpr UINT CB_ADDSTRING = 0x0143;
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_SETCURSEL = 0x014E;
constexpr UINT CB_SHOWDROPDOWN = 0x014F;
constexpr UINT CB_GETDROPPEDSTATE = 0x0157;
constexpr LRESULT CB_ERR = -1;

// The shell's dialog set-up (ordinal 56): on Linux it is only recorded.
struct SHINITDLGINFO {
    DWORD dwMask;
    HWND hDlg;
    DWORD dwFlags;
};
constexpr DWORD SHIDIM_FLAGS = 0x0001;
constexpr DWORD SHIDIF_DONEBUTTON = 0x0001;
constexpr DWORD SHIDIF_SIZEDLG = 0x0002;
constexpr DWORD SHIDIF_SIZEDLGFULLSCREEN = 0x0004;
BOOL SHInitDialog(SHINITDLGINFO* info);
