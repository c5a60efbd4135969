; The Windows installer of Logodex, made by scripts/package.sh with NSIS:
;   makensis -DVERSION=1.0.0 -DSTAGE=folder -DICON=logodex.ico -DOUTFILE=setup.exe
;            -DFILES=install.nsh -DUNFILES=uninstall.nsh logodex.nsi
; STAGE holds the shipped files; FILES and UNFILES hold one File and one
; Delete line for each of them (from packaging/shipped-files.txt).
;
; It installs into Program Files (or the folder chosen) for all users, with
; a Start-menu shortcut and an entry in Apps & Features; /S installs
; silently, "Uninstall.exe /S" removes silently.

; TARGET, when given, is NSIS's target of the installer: amd64-unicode for
; the 64-bit build that the tests pack on a machine running no 32-bit
; programs. The shipped installer is a 32-bit Unicode one.
!ifdef TARGET
Target "${TARGET}"
!else
Unicode true
!endif
SetCompressor /SOLID lzma
SetDateSave off
ManifestDPIAware true
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define PRODUCT "Logodex"
!define PUBLISHER "The Logodex developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Logodex"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}; MIT licence"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_PAGE_HEADER_SUBTEXT "Logodex is under the MIT licence."
!define MUI_LICENSEPAGE_TEXT_TOP "The licence of Logodex:"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!define MUI_PAGE_HEADER_TEXT "Third-party notices"
!define MUI_PAGE_HEADER_SUBTEXT "The data Logodex ships come under these licences."
!define MUI_LICENSEPAGE_TEXT_TOP "The notices of the data and software Logodex ships:"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\THIRD-PARTY-NOTICES.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Logodex.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\ReadMe.txt"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

Section "Logodex"
  SetOutPath "$INSTDIR"
  !include "${FILES}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The shortcut starts Logodex in its own folder ($OUTDIR).
  SetShellVarContext all
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Logodex.exe" "" "$INSTDIR\Logodex.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Logodex.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  !include "${UNFILES}"
  ; What Logodex wrote: the pages of a run in this folder (when it was
  ; writable), those of the uninstalling user's runs in the user's own
  ; folder, and the help program's index beside the help.
  Delete "$INSTDIR\Html*.htm"
  Delete "$INSTDIR\Logodex.GID"
  Delete "$INSTDIR\Logodex.FTS"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  SetShellVarContext current
  Delete "$LOCALAPPDATA\${PRODUCT}\Html*.htm"
  RMDir "$LOCALAPPDATA\${PRODUCT}"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
