; The Bellwick installer: copies the installation folder to a place the user picks, adds Start-menu
; shortcuts that start the programs in that folder, and offers to start the clock.
; makensis -DSOURCE=<installation folder> -DOUTFILE=<setup.exe> bellwick.nsi
Unicode true
!include "MUI2.nsh"

Name "Bellwick"
OutFile "${OUTFILE}"
; The clock keeps everything in the current user's registry, so a per-user folder needs no rights.
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Bellwick"
BrandingText "Quorvane - Bellwick beta 2"
VIProductVersion "0.2.0.0"
VIAddVersionKey "ProductName" "Bellwick"
VIAddVersionKey "CompanyName" "Quorvane"
VIAddVersionKey "FileVersion" "beta 2"
VIAddVersionKey "ProductVersion" "beta 2"
VIAddVersionKey "LegalCopyright" "Quorvane"
VIAddVersionKey "FileDescription" "Bellwick installer"

!define MUI_ICON "${__FILEDIR__}\..\resources\Bellwick.ico"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start Bellwick"
!define MUI_FINISHPAGE_RUN_FUNCTION startClock
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_LANGUAGE "English"

Section "Bellwick"
  SetOutPath "$INSTDIR"
  File "${SOURCE}\Bellwick.exe"
  File "${SOURCE}\uninstaller.exe"
  File /nonfatal "${SOURCE}\Plannery.exe"
  File "${SOURCE}\Bellwick.ico"
  File "${SOURCE}\Plannery.ico"
  SetOutPath "$INSTDIR\Help"
  File "${SOURCE}\Help\*.*"
  SetOutPath "$INSTDIR\Skins"
  File /r "${SOURCE}\Skins\*.*"

  ; A shortcut's working folder is the output path when it is made: the programs find everything there.
  SetOutPath "$INSTDIR"
  CreateDirectory "$SMPROGRAMS\Bellwick"
  CreateShortCut "$SMPROGRAMS\Bellwick\Bellwick.lnk" "$INSTDIR\Bellwick.exe" "" "$INSTDIR\Bellwick.ico"
  CreateShortCut "$SMPROGRAMS\Bellwick\Uninstall Bellwick.lnk" "$INSTDIR\uninstaller.exe"
SectionEnd

Function startClock
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\Bellwick.exe"'
FunctionEnd
