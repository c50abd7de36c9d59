; The installer of Quenwick Lurkmark. Built by CMake, which defines LURK_VERSION, LURK_STAGE
; (the folder holding the files to ship), LURK_FILE_LISTS (the generated demo lists),
; LURK_ICON (the program's icon) and LURK_OUTFILE.

; LURK_TARGET (amd64-unicode) builds the 64-bit installer that the tests use on hosts that run
; no 32-bit process; what ships is 32-bit.
!ifdef LURK_TARGET
  Target ${LURK_TARGET}
!else
  Unicode true
!endif
SetCompressor /SOLID lzma
!include MUI2.nsh
!include LogicLib.nsh
!include WinVer.nsh
!include "settings_key.nsh"
!include "${LURK_FILE_LISTS}"

!define LURK_UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quenwick Lurkmark"
!define LURK_SHORTCUT "Quenwick Lurkmark.lnk"

Name "Quenwick Lurkmark ${LURK_VERSION}"
OutFile "${LURK_OUTFILE}"
; A 32-bit program: $PROGRAMFILES is "Program Files (x86)" on 64-bit Windows.
InstallDir "$PROGRAMFILES\Quenwick Lurkmark"
InstallDirRegKey HKLM "${LURK_UNINSTALL_KEY}" "InstallLocation"
; The settings key is in HKEY_LOCAL_MACHINE and the files under Program Files.
RequestExecutionLevel admin
ManifestDPIAware true
BrandingText "Quenwick Lurkmark ${LURK_VERSION}"

VIProductVersion "${LURK_VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "Quenwick Lurkmark"
VIAddVersionKey /LANG=1033 "CompanyName" "Quenwick"
VIAddVersionKey /LANG=1033 "FileDescription" "Quenwick Lurkmark Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${LURK_VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${LURK_VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Quenwick"

!define MUI_ICON "${LURK_ICON}"
!define MUI_UNICON "${LURK_ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "Quenwick Lurkmark is installed. Start it from the Start menu, point it at the folder of prey.exe and choose your options.$\r$\n$\r$\nReports are saved in the folder $\"Lurkmark Results$\" in your documents."
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  ; The oldest Windows the program runs on: Windows XP with Service Pack 3. XP is build 2600
  ; with every service pack, and every later Windows (XP x64 too) has a higher build number.
  StrCpy $0 "new enough"
  ${IfNot} ${AtLeastBuild} 2600
    StrCpy $0 "too old"
  ${ElseIf} ${AtMostBuild} 2600
    ${IfNot} ${AtLeastServicePack} 3
      StrCpy $0 "too old"
    ${EndIf}
  ${EndIf}
  ${If} $0 == "too old"
    MessageBox MB_ICONSTOP|MB_OK "Quenwick Lurkmark needs Windows XP with Service Pack 3 or later." /SD IDOK
    SetErrorLevel 1150 ; ERROR_OLD_WIN_VERSION
    Quit
  ${EndIf}
  SetRegView 32
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    MessageBox MB_ICONSTOP|MB_OK "Installing Quenwick Lurkmark needs administrator rights." /SD IDOK
    SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
    Quit
  ${EndIf}
FunctionEnd

Section "Quenwick Lurkmark"
  SetRegView 32
  SetOutPath "$INSTDIR"
  File "${LURK_STAGE}/QWK_Lurkmark.exe"
  File "${LURK_STAGE}/QWK_FrameRecorder.dll"
  File "${LURK_STAGE}/version.txt"
  SetOutPath "$INSTDIR\Demos"
  !insertmacro LurkInstallDemos
  SetOutPath "$INSTDIR\Help"
  File "${LURK_STAGE}/Help/help.chm"
  SetOutPath "$INSTDIR"

  !insertmacro LurkCreateSettingsKey

  ; The program folder keeps Windows' default rights; a program started without elevation
  ; keeps its debug log, diagnostics report and other working files here instead.
  SetShellVarContext all
  CreateDirectory "$APPDATA\${LURK_DATA_FOLDER}"
  !insertmacro LurkGrantUsers "$APPDATA\${LURK_DATA_FOLDER}" ${LURK_SE_FILE_OBJECT} "${LURK_DATA_GRANT}"

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  SetShellVarContext all
  CreateShortcut "$SMPROGRAMS\${LURK_SHORTCUT}" "$INSTDIR\QWK_Lurkmark.exe" "" "$INSTDIR\QWK_Lurkmark.exe" 0

  WriteRegStr HKLM "${LURK_UNINSTALL_KEY}" "DisplayName" "Quenwick Lurkmark"
  WriteRegStr HKLM "${LURK_UNINSTALL_KEY}" "DisplayVersion" "${LURK_VERSION}"
  WriteRegStr HKLM "${LURK_UNINSTALL_KEY}" "Publisher" "Quenwick"
  WriteRegStr HKLM "${LURK_UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\QWK_Lurkmark.exe"
  WriteRegStr HKLM "${LURK_UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${LURK_UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${LURK_UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${LURK_UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${LURK_UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes what the installer put in and the program's own working files; the folder is only
; removed when empty, so reports saved beside the program (its default "Benchmark" folder)
; and anything else the user keeps there stay, as does the results folder in the documents.
Section "Uninstall"
  SetRegView 32
  Delete "$INSTDIR\QWK_Lurkmark.exe"
  Delete "$INSTDIR\QWK_FrameRecorder.dll"
  Delete "$INSTDIR\version.txt"
  !insertmacro LurkRemoveDemos
  RMDir "$INSTDIR\Demos"
  Delete "$INSTDIR\Help\help.chm"
  Delete "$INSTDIR\Help\help.chm.sig"
  RMDir "$INSTDIR\Help"
  Delete "$INSTDIR\debug.txt"
  Delete "$INSTDIR\dxinfo.txt"
  Delete "$INSTDIR\batchview.txt"
  Delete "$INSTDIR\*.uTMP"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  SetShellVarContext all
  Delete "$SMPROGRAMS\${LURK_SHORTCUT}"
  ; The working files in the data folder go too; reports in its "Benchmark" folder stay.
  Delete "$APPDATA\${LURK_DATA_FOLDER}\debug.txt"
  Delete "$APPDATA\${LURK_DATA_FOLDER}\dxinfo.txt"
  Delete "$APPDATA\${LURK_DATA_FOLDER}\batchview.txt"
  Delete "$APPDATA\${LURK_DATA_FOLDER}\Help\help.chm"
  Delete "$APPDATA\${LURK_DATA_FOLDER}\Help\help.chm.sig"
  RMDir "$APPDATA\${LURK_DATA_FOLDER}\Help"
  RMDir "$APPDATA\${LURK_DATA_FOLDER}"
  RMDir "$APPDATA\Quenwick"

  DeleteRegKey HKLM "${LURK_SETTINGS_KEY}"
  DeleteRegKey /ifempty HKLM "${LURK_VENDOR_KEY}"
  DeleteRegKey HKLM "${LURK_UNINSTALL_KEY}"
SectionEnd
