; The setup program of Kreuzwart for Windows. scripts/windows-package stages the program's folder
; and runs
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.26 -DFILE_VERSION=1.26.0.0 -DICON=<kreuzwart.ico>
;     -DOUTFILE=<setup.exe>
;     -DINSTALL_FILES=<list> -DUNINSTALL_FILES=<list> -DSIZE_KB=<size in KiB> kreuzwart.nsi
; where the two lists, written from the staged folder, install its files and remove exactly those.
;
; With administrator rights Kreuzwart is installed for every user into Program Files, otherwise
; for the person alone into %LOCALAPPDATA%\Programs; /CurrentUser asks for the latter with
; administrator rights too. /S installs silently, /D=<folder> (last) names another folder. The
; uninstaller removes the files, the Start menu entry, the ticket files' association and the entry
; in "Apps", never the person's own files: ZW.INI, Ziehungen.sqlite, tickets in the folder stay,
; and so does the folder when they are there.

Unicode true
; The 32-bit stub does not start where only 64-bit Windows programs run (wine64 alone).
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
ManifestSupportedOS all
; An administrator is asked to elevate and installs for everyone; anyone else installs alone.
RequestExecutionLevel highest

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define PROGRAM "kreuzwart.exe"
!define UNINSTALLER "Deinstallieren.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kreuzwart"
; The ticket files' type. A ProgID holds no hyphen; its shown name is "Kreuzwart-Schein".
!define PROGID "Kreuzwart.Schein"
!define SHCNE_ASSOCCHANGED 0x08000000

Name "Kreuzwart ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "Kreuzwart ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${FILE_VERSION}"
VIFileVersion "${FILE_VERSION}"

; ---- Pages, German throughout

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_UNABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "Kreuzwart prüft Spielscheine für Lotto 6 aus 49, Spiel 77 und Super 6 \
  gegen die Ziehungen.$\r$\n$\r$\nDieser Assistent richtet Kreuzwart ${VERSION} ein: mit \
  Administratorrechten für alle Benutzer dieses Computers, sonst nur für Sie.$\r$\n$\r$\n$_CLICK"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "Kreuzwart ${VERSION} ist eingerichtet. Sie starten es im Startmenü; \
  ein Doppelklick auf einen Spielschein (*.sch) öffnet ihn in Kreuzwart."
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP "Kreuzwart ${VERSION} wird aus dem unten genannten Ordner \
  entfernt. Ihre Einstellungen (ZW.INI), das Archiv der Ziehungen (Ziehungen.sqlite) und Ihre \
  Spielscheine bleiben erhalten. Klicken Sie auf Deinstallieren, um fortzufahren."
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "German"

VIAddVersionKey /LANG=${LANG_GERMAN} "ProductName" "Kreuzwart"
VIAddVersionKey /LANG=${LANG_GERMAN} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "CompanyName" "Kreuzwart"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileDescription" "Kreuzwart ${VERSION} einrichten"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "LegalCopyright" "Copyright 2026 Kreuzwart"

; ---- Per machine or per person

; SetShellVarContext chooses the Start menu ($SMPROGRAMS) and SHCTX (HKLM or HKCU) as well.
Function .onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/CurrentUser" $1
  ${If} ${Errors}
    UserInfo::GetAccountType
    Pop $1
  ${Else}
    StrCpy $1 "User"
  ${EndIf}
  ${If} $1 == "Admin"
    SetShellVarContext all
    StrCpy $2 "$PROGRAMFILES64\Kreuzwart"
  ${Else}
    SetShellVarContext current
    StrCpy $2 "$LOCALAPPDATA\Programs\Kreuzwart"
  ${EndIf}
  ; /D= on the command line wins; otherwise an earlier install's folder, then the usual one.
  ${If} $INSTDIR == ""
    ReadRegStr $INSTDIR SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $INSTDIR == ""
      StrCpy $INSTDIR $2
    ${EndIf}
  ${EndIf}
FunctionEnd

Section
  ; An earlier version is removed first, so that none of its files outlive the new uninstaller's
  ; list. It runs in place (_?=) and is waited for; the person's files stay as always.
  ${If} ${FileExists} "$INSTDIR\${UNINSTALLER}"
    DetailPrint "Die bisherige Fassung von Kreuzwart wird entfernt."
    ExecWait '"$INSTDIR\${UNINSTALLER}" /S _?=$INSTDIR'
    Delete "$INSTDIR\${UNINSTALLER}"
  ${EndIf}

  !include "${INSTALL_FILES}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateShortcut "$SMPROGRAMS\Kreuzwart.lnk" "$INSTDIR\${PROGRAM}" "" "$INSTDIR\${PROGRAM}" 0 \
    SW_SHOWNORMAL "" "Prüft Spielscheine für Lotto 6 aus 49, Spiel 77 und Super 6"

  ; A double click on a ticket opens it in Kreuzwart, as "Schein laden" would.
  WriteRegStr SHCTX "Software\Classes\.sch" "" "${PROGID}"
  WriteRegStr SHCTX "Software\Classes\.sch\OpenWithProgids" "${PROGID}" ""
  WriteRegStr SHCTX "Software\Classes\${PROGID}" "" "Kreuzwart-Schein"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\${PROGRAM},0"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\shell\open\command" "" \
    '"$INSTDIR\${PROGRAM}" "%1"'

  ; The entry under "Apps" (Programs and Features).
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Kreuzwart"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Kreuzwart"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1

  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd

; ---- The uninstaller

Function un.onInit
  ; The install this uninstaller belongs to: the one for everyone when the machine's entry names
  ; its folder.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    UserInfo::GetAccountType
    Pop $1
    ${If} $1 != "Admin"
      MessageBox MB_OK|MB_ICONSTOP "Kreuzwart ist für alle Benutzer dieses Computers installiert. \
        Entfernen kann es nur ein Administrator." /SD IDOK
      Quit
    ${EndIf}
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
FunctionEnd

Section "Uninstall"
  !include "${UNINSTALL_FILES}"
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Only when empty: a folder holding the person's ZW.INI, archive or tickets stays.
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\Kreuzwart.lnk"

  ; .sch stays another program's where one has taken it since.
  ReadRegStr $0 SHCTX "Software\Classes\.sch" ""
  ${If} $0 == "${PROGID}"
    DeleteRegValue SHCTX "Software\Classes\.sch" ""
  ${EndIf}
  DeleteRegValue SHCTX "Software\Classes\.sch\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty SHCTX "Software\Classes\.sch\OpenWithProgids"
  DeleteRegKey /ifempty SHCTX "Software\Classes\.sch"
  DeleteRegKey SHCTX "Software\Classes\${PROGID}"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"

  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd
