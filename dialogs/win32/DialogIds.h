// Resource identifiers of the launcher's dialogs and their controls.
#pragma once

// "ボタン設定"
#define IDD_BUTTONSET 100
#define IDC_BS_FRAME 1000
#define IDC_BS_ICON 1001      // the icon preview
#define IDC_BS_PREVIOUS 1002  // "<"
#define IDC_BS_NEXT 1003      // ">"
#define IDC_BS_BROWSE 1004    // "ｱｲｺﾝﾌｧｲﾙ参照..."
#define IDC_BS_CHOOSE 1005    // "色設定(&C)..."
#define IDC_BS_STANDARD 1006  // "標準(&H)"
#define IDC_BS_NUMBER 1010    // the shown icon number, "/" and the icon count
#define IDC_BS_SLASH 1011
#define IDC_BS_COUNT_ICONS 1012
#define IDC_BS_TITLE 1020
#define IDC_BS_TARGET 1021
#define IDC_BS_FOLDER 1022
#define IDC_BS_PARAM 1023
#define IDC_BS_STATE 1030
#define IDC_BS_LOCK 1031
#define IDC_BS_LOCK_LABEL 1032
#define IDC_BS_SWATCH 1040
#define IDC_BS_LAUNCHES 1041
#define IDC_BS_RANK 1042

// "ランチャー設定" and its three pages
#define IDD_SET 200
#define IDD_SET_BUTTONS 201
#define IDD_SET_SYSTEM 202
#define IDD_SET_OTHER 203
#define IDC_SET_TABS 2000
#define IDC_SET_SIZE 2010
#define IDC_SET_ROW 2011     // "横"
#define IDC_SET_COLUMN 2012  // "縦"
#define IDC_SET_SWATCH0 2020  // standard, locked, system objects
#define IDC_SET_SWATCH1 2021
#define IDC_SET_SWATCH2 2022
#define IDC_SET_CHOOSE0 2030  // "色設定..." of each swatch
#define IDC_SET_CHOOSE1 2031
#define IDC_SET_CHOOSE2 2032
#define IDC_SET_STANDARD0 2033  // "標準" of each swatch
#define IDC_SET_STANDARD1 2034
#define IDC_SET_STANDARD2 2035
#define IDC_SET_COLOR_CHANGE 2040
#define IDC_SET_WINDOW_TOP 2041
#define IDC_SET_COUNT 2042
#define IDC_SET_STARTUP 2043
#define IDC_SET_SYSTEM0 2050  // one per system object, 2050 to 2062
#define IDC_SET_SELECT_ALL 2070
#define IDC_SET_CLEAR_ALL 2071
#define IDC_SET_DBLCLICK 2080
#define IDC_SET_BAR_COLOUR 2081
#define IDC_SET_TASKBAR 2082
#define IDC_SET_POSITION_FRAME 2089
#define IDC_SET_POSITION0 2090  // floating, left, top, right, bottom: 2090 to 2094

// "起動ランキング"
#define IDD_LANKING 300
#define IDC_LANK_LIST 3000   // lvwLank
#define IDC_LANK_CLEAR 3001  // cmdFunc(1) "クリア(&C)"; cmdFunc(0) "OK" is IDOK

// "ﾜﾝﾎﾟｲﾝﾄ"
#define IDD_TIPS 400
#define IDC_TIPS_PICTURE 4000  // picTip, the white area behind the tip
#define IDC_TIPS_ICON 4001
#define IDC_TIPS_HEADING 4002  // lblinfo
#define IDC_TIPS_NUMBER 4003   // lblTip(0)
#define IDC_TIPS_TEXT 4004     // lblTip(1)
#define IDC_TIPS_NEXT 4010     // cmdPaging(0), (1) and (2): 4010 to 4012
#define IDC_TIPS_PREVIOUS 4011
#define IDC_TIPS_RANDOM 4012
#define IDC_TIPS_START 4020  // chkStartTips

// "ﾊﾞｰｼﾞｮﾝ情報"
#define IDD_ABOUT 500
#define IDC_ABOUT_ICON 5000   // imgIcon
#define IDC_ABOUT_TITLE 5001  // lblInfo(0) and its white shadow lblInfo(1), drawn as one
#define IDC_ABOUT_MAIL 5005   // lblInfo(5)
#define IDC_ABOUT_WEB 5006    // lblInfo(6)
#define IDC_ABOUT_SYSINFO 5010  // cmdSysInfo
