; The setup program of Ravelha for Windows, made by scripts/windows/package.sh with makensis:
;   makensis -DVERSION=0.1 -DOUTFILE=... -DFILES=arquivos.nsh -DICON=ravelha.ico -DSIZE_KB=... ravelha.nsi
; It installs into Program Files, adds a Start menu entry, optionally a desktop shortcut, and an
; uninstaller listed in "Adicionar ou remover programas". "/S" installs without questions (for units
; that deploy by script); "/S /ATALHO" adds the desktop shortcut too. The data folder
; (C:\Molvedan\Ravelha) is the program's, not the setup's: neither the setup nor the uninstaller
; touches it.
; A 64-bit setup for a 64-bit program: it writes into the 64-bit Program Files and registry.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "Sections.nsh"
!include "LogicLib.nsh"
!include "${FILES}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Ravelha"

Name "Ravelha ${VERSION}"
Caption "Ravelha ${VERSION} - instalação"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Ravelha"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
BrandingText "Ravelha - escalas de serviço"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1046 "ProductName" "Ravelha"
VIAddVersionKey /LANG=1046 "FileDescription" "Instalação do Ravelha"
VIAddVersionKey /LANG=1046 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1046 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1046 "LegalCopyright" "Ravelha"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\ravelha.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Abrir o Ravelha agora"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "PortugueseBR"

Section "Ravelha (programa)" SecProgram
  SectionIn RO
  SetShellVarContext all
  !insertmacro RavelhaInstallFiles
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Desinstalar.exe"

  CreateDirectory "$SMPROGRAMS\Ravelha"
  CreateShortcut "$SMPROGRAMS\Ravelha\Ravelha.lnk" "$INSTDIR\ravelha.exe" "" "$INSTDIR\ravelha.exe" 0
  CreateShortcut "$SMPROGRAMS\Ravelha\Desinstalar o Ravelha.lnk" "$INSTDIR\Desinstalar.exe"

  SetRegView 64
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Ravelha"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Ravelha"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\ravelha.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Desinstalar.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Desinstalar.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section /o "Atalho na área de trabalho" SecDesktop
  SetShellVarContext all
  CreateShortcut "$DESKTOP\Ravelha.lnk" "$INSTDIR\ravelha.exe" "" "$INSTDIR\ravelha.exe" 0
SectionEnd

LangString DESC_SecProgram ${LANG_PORTUGUESEBR} "O programa, a linha de comando (ravelha-cli) e a entrada no menu Iniciar."
LangString DESC_SecDesktop ${LANG_PORTUGUESEBR} "Um atalho do Ravelha na área de trabalho."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} $(DESC_SecProgram)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} $(DESC_SecDesktop)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  SetRegView 64
  ; /ATALHO: the desktop shortcut in a silent install.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/ATALHO" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecDesktop}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  SetShellVarContext all
  !insertmacro RavelhaRemoveFiles
  Delete "$INSTDIR\Desinstalar.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Ravelha\Ravelha.lnk"
  Delete "$SMPROGRAMS\Ravelha\Desinstalar o Ravelha.lnk"
  RMDir "$SMPROGRAMS\Ravelha"
  Delete "$DESKTOP\Ravelha.lnk"
  SetRegView 64
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

Function un.onInit
  SetRegView 64
FunctionEnd
