; The settings key and the rights a program running without elevation needs, shared by the
; installer and the portable package's key tool. The program's own folder keeps Windows'
; default rights (only administrators change it): nothing a standard user writes is ever run.

!include LogicLib.nsh

!define LURK_VENDOR_KEY "SOFTWARE\Quenwick"
!define LURK_SETTINGS_KEY "SOFTWARE\Quenwick\Lurkmark"

; SE_OBJECT_TYPE values of SetNamedSecurityInfo. NSIS programs are 32-bit, so a registry
; key's name means the 32-bit view, as it does for RegOpenKeyEx and SetRegView 32.
!define LURK_SE_FILE_OBJECT 1
!define LURK_SE_REGISTRY_KEY 4
; The key by the name SetNamedSecurityInfo takes. The 64-bit build of these scripts (made only
; for the tests on hosts that run no 32-bit process) names the 32-bit view where 64-bit
; Windows keeps it.
!if ${NSIS_PTR_SIZE} > 4
  !define LURK_SETTINGS_KEY_OBJECT "MACHINE\SOFTWARE\WOW6432Node\Quenwick\Lurkmark"
!else
  !define LURK_SETTINGS_KEY_OBJECT "MACHINE\${LURK_SETTINGS_KEY}"
!endif

; Users may read the key and set its values: the program opens it with KEY_READ and
; KEY_SET_VALUE and nothing more. Every option is stored when the user changes it, in this
; one key for the whole PC, so a standard user must be able to set values. No value makes
; the program run what it did not verify: the host overrides only choose where updates and
; the help file come from, and each of those is checked against the maker's signature.
!define LURK_KEY_GRANT "D:(A;CI;0x2001b;;;BU)"
; The data folder, where the program keeps its working files when it cannot write beside
; itself: Users may create, change and delete files there (read, write, execute, delete),
; so that every account of the PC can work in it, whoever made a file first.
!define LURK_DATA_GRANT "D:(A;OICI;0x1301bf;;;BU)"
!define LURK_DATA_FOLDER "Quenwick\Lurkmark"

; Adds the grant (an SDDL DACL) to an object. The DACL is set unprotected, so Windows merges
; the inheritable entries of the parent into it: the grant adds to the object's rights and
; takes none away. A failure is shown (silent: logged) and sets exit code 2; the files and
; values are in place, but a user without elevation cannot change the settings.
!macro LurkGrantUsers OBJECT TYPE GRANT
  System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW(w "${GRANT}", i 1, *p .r1, p 0) i .r0 ?e'
  Pop $2
  ${If} $0 = 0
    StrCpy $0 $2
  ${Else}
    System::Call 'advapi32::GetSecurityDescriptorDacl(p r1, *i .r3, *p .r4, *i .r5) i .r0'
    System::Call 'advapi32::SetNamedSecurityInfoW(w "${OBJECT}", i ${TYPE}, i 4, p 0, p 0, p r4, p 0) i .r0'
    System::Call 'kernel32::LocalFree(p r1)'
  ${EndIf}
  ${If} $0 <> 0
    DetailPrint "Could not give the Users group access to ${OBJECT} (error $0)."
    MessageBox MB_ICONEXCLAMATION|MB_OK "Could not give the Users group access to$\r$\n${OBJECT}$\r$\n(error $0).$\r$\n$\r$\nStarted without administrator rights, Lurkmark may not be able to save its settings or working files." /SD IDOK
    SetErrorLevel 2
  ${EndIf}
!macroend

; Creates the settings key with what a first start needs, keeping every value an earlier
; installation or the user has set, and lets the Users group write it.
!macro LurkCreateSettingsKey
  SetRegView 32
  ; Reports go to the user's documents, never under Program Files. The program only keeps a
  ; results folder that exists, so it is made here.
  ReadRegStr $0 HKLM "${LURK_SETTINGS_KEY}" "ResultPath"
  ${If} $0 == ""
  ${OrIfNot} ${FileExists} "$0*.*"
    SetShellVarContext current
    StrCpy $0 "$DOCUMENTS\Lurkmark Results\"
    CreateDirectory "$0"
    WriteRegStr HKLM "${LURK_SETTINGS_KEY}" "ResultPath" "$0"
  ${EndIf}
  ; No game folder until the user picks prey.exe; no pass under way.
  ClearErrors
  ReadRegStr $0 HKLM "${LURK_SETTINGS_KEY}" "Path"
  ${If} ${Errors}
    WriteRegStr HKLM "${LURK_SETTINGS_KEY}" "Path" ""
  ${EndIf}
  ClearErrors
  ReadRegStr $0 HKLM "${LURK_SETTINGS_KEY}" "NoErrorWarning"
  ${If} ${Errors}
    WriteRegStr HKLM "${LURK_SETTINGS_KEY}" "NoErrorWarning" "0"
  ${EndIf}
  !insertmacro LurkGrantUsers "${LURK_SETTINGS_KEY_OBJECT}" ${LURK_SE_REGISTRY_KEY} "${LURK_KEY_GRANT}"
!macroend
