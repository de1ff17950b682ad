#pragma once

// The demo dialog and its controls, shared by its template and its code.
#define IDD_CONTROLS_DEMO 100

#define IDC_CAPTIONED_BUTTON 101
#define IDC_ICON_ONLY_BUTTON 102
#define IDC_DEFAULT_BUTTON 103
#define IDC_DISABLED_BUTTON 104
#define IDC_FIRST_EDIT 105
#define IDC_MIDDLE_BUTTON 106
#define IDC_LAST_EDIT 107

#define IDC_OPENING_LINK 201
#define IDC_CENTRED_LINK 202
#define IDC_RIGHT_LINK 203
#define IDC_MIDDLE_LINK 204
#define IDC_FAILING_LINK 205
#define IDC_UNTITLED_LINK 206

#define IDC_MASKED_PICTURE 301
#define IDC_FOUR_COPY_PICTURE 302
#define IDC_PLAIN_PICTURE 303
#define IDC_CUT_PICTURE 304
// A static nothing is attached to, to compare the bitmap-less picture with.
#define IDC_UNATTACHED_STATIC 305

// The applet's images, under the applet's ids.
#define IDI_TEST_BEEP 1010
#define IDR_LINK_CURSOR 1030
#define IDB_MAKER_LOGO 1036
