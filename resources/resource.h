#pragma once

// Identifiers of the string table that every program carries (shared with the resource script).
#define textProductName 2000
#define textAlarmCaption 2001
#define textAbout 2002
#define textAboutCaption 2003
#define textFirstRun 2004
#define textSkinMissing 2005
#define textErrorCaption 2006
#define textMenuHideShow 2010
#define textMenuAlarm 2011
#define textMenuAbout 2012
#define textMenuQuit 2013
#define textMenuRefresh 2014
#define textMenuHelp 2015
#define textMenuSettings 2016
#define textMenuAlwaysOnTop 2017
#define textMenuSkin 2018
#define textUninstalled 2100
#define textUninstallCaption 2101
#define textEditorAdd 3000
#define textEditorChange 3001
#define textEditorDelete 3002
#define textEditorEventLabel 3100
#define textEditorOk 3101
#define textEditorCancel 3102
#define textEditorDefaultEvent 3103
#define textEditorCommandLabel 3104
#define textEditorBrowse 3105
#define textEditorConfirmDelete 3200
#define textEditorSettings 3201
#define textEditorEventCaption 3202
#define textEditorCaption 3204
