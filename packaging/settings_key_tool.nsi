; The portable package's key tool: creates the settings key that the installer would
; create, with the same initial values and rights. Built by CMake, which defines
; LURK_VERSION and LURK_OUTFILE.

; LURK_TARGET (amd64-unicode) builds the 64-bit installer that the tests use on hosts that run
; no 32-bit process; what ships is 32-bit.
!ifdef LURK_TARGET
  Target ${LURK_TARGET}
!else
  Unicode true
!endif
SetCompressor /SOLID lzma
!include LogicLib.nsh
!include "settings_key.nsh"

Name "Quenwick Lurkmark settings"
OutFile "${LURK_OUTFILE}"
RequestExecutionLevel admin
ManifestDPIAware true
ShowInstDetails show
BrandingText "Quenwick Lurkmark ${LURK_VERSION}"

VIProductVersion "${LURK_VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "Quenwick Lurkmark"
VIAddVersionKey /LANG=1033 "CompanyName" "Quenwick"
VIAddVersionKey /LANG=1033 "FileDescription" "Creates the settings of Quenwick Lurkmark"
VIAddVersionKey /LANG=1033 "FileVersion" "${LURK_VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Quenwick"

Page instfiles

Function .onInit
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    MessageBox MB_ICONSTOP|MB_OK "Creating the settings of Quenwick Lurkmark needs administrator rights." /SD IDOK
    SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
    Quit
  ${EndIf}
FunctionEnd

Section
  !insertmacro LurkCreateSettingsKey
  DetailPrint "Settings: HKEY_LOCAL_MACHINE\${LURK_SETTINGS_KEY} (32-bit view)"
  ReadRegStr $0 HKLM "${LURK_SETTINGS_KEY}" "ResultPath"
  DetailPrint "Reports: $0"
SectionEnd
