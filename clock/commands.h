#pragma once

// The clock's command identifiers, carried in the low word of WM_COMMAND's wParam.
const int cmdHideShow = 180;
const int cmdAlarm = 190;
const int cmdAbout = 192;
const int cmdRefresh = 194;
const int cmdHelp = 195;
const int cmdSettings = 196;
const int cmdAlwaysOnTop = 197;
const int cmdQuit = 200;
const int cmdSkinFirst = 10000;

// Identifiers that are never commands: the three separators and the insertion reference of the Skin item.
const int separatorAfterHideShow = 181;
const int separatorAfterSkin = 191;
const int separatorBeforeQuit = 193;
const int skinItemReference = 198;
