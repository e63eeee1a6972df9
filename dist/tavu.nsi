; Installer of 岚禾休息软件 (tavu.exe). Built by scripts/dist:
;   makensis /DVERSION=x.y.z /DEXE=<tavu.exe> /DOUTFILE=<setup.exe> dist/tavu.nsi
; Per user by default ($LOCALAPPDATA\Programs\Tavu); for all users (Program Files) when run
; elevated. /CURRENTUSER or /ALLUSERS on the command line choose the mode themselves.
Unicode true
; 64-bit like the program: it installs into the 64-bit Program Files and registry view, and a
; 32-bit Windows refuses it at once, as it would refuse tavu.exe.
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!ifndef VERSION
  !error "VERSION is passed by scripts/dist"
!endif
!ifndef EXE
  !error "EXE is passed by scripts/dist"
!endif
!ifndef LICENSE_FILE
  !define LICENSE_FILE "..\LICENSE"
!endif
!ifndef OUTFILE
  !define OUTFILE "tavu-${VERSION}-setup.exe"
!endif

!define PRODUCT "岚禾休息软件"
!define PUBLISHER "岚禾软件"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavu"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The names the program itself uses (machine/integration.hpp).
!define AUTOSTART_NAME "LanHe"
!define MENU_FOLDER "岚禾软件创新产品"
!define LINK_NAME "岚禾休息软件"
; The main window's class and the message that ends the program through its own exit.
!define MAIN_CLASS "ZQX050505_20"
!define MSG_EXIT_NOW 0x8203

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tavu"
BrandingText "${PUBLISHER}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "MIT License, ${PUBLISHER}"

!define MUI_ICON "${NSISDIR}\Contrib\Graphics\Icons\modern-install.ico"
!define MUI_UNICON "${NSISDIR}\Contrib\Graphics\Icons\modern-uninstall.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\tavu.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE_FILE}"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

Var AllUsers

; Ends a running tavu.exe through its own exit (the system's screen saver is given back), then
; waits until its window and its file are free.
!macro EndRunningProgram un
Function ${un}EndRunningProgram
  FindWindow $0 "${MAIN_CLASS}"
  ${If} $0 = 0
    Return
  ${EndIf}
  SendMessage $0 ${MSG_EXIT_NOW} 0 0 /TIMEOUT=5000
  StrCpy $1 0
  ${DoWhile} $1 < 50
    FindWindow $0 "${MAIN_CLASS}"
    ${If} $0 = 0
      ${Break}
    ${EndIf}
    Sleep 100
    IntOp $1 $1 + 1
  ${Loop}
  ; The window goes first; the process holds its file a moment longer.
  StrCpy $1 0
  ${DoWhile} $1 < 50
    ${IfNot} ${FileExists} "$INSTDIR\tavu.exe"
      ${Break}
    ${EndIf}
    ; Opening the file for writing fails while the program still runs from it.
    ClearErrors
    FileOpen $2 "$INSTDIR\tavu.exe" a
    ${IfNot} ${Errors}
      FileClose $2
      ${Break}
    ${EndIf}
    Sleep 100
    IntOp $1 $1 + 1
  ${Loop}
FunctionEnd
!macroend
!insertmacro EndRunningProgram ""
!insertmacro EndRunningProgram "un."

Function .onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/CURRENTUSER" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 0
  ${Else}
    ClearErrors
    ${GetOptions} $R0 "/ALLUSERS" $R1
    ${IfNot} ${Errors}
      StrCpy $AllUsers 1
    ${Else}
      UserInfo::GetAccountType
      Pop $R1
      ${If} $R1 == "Admin"
        StrCpy $AllUsers 1
      ${Else}
        StrCpy $AllUsers 0
      ${EndIf}
    ${EndIf}
  ${EndIf}
  ${If} $AllUsers = 1
    SetShellVarContext all
    StrCpy $INSTDIR "$PROGRAMFILES64\Tavu"
  ${EndIf}
FunctionEnd

Section "岚禾休息软件（必需）" SecMain
  SectionIn RO
  Call EndRunningProgram
  SetOutPath "$INSTDIR"
  File "/oname=tavu.exe" "${EXE}"
  File "/oname=LICENSE.txt" "${LICENSE_FILE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${MENU_FOLDER}"
  CreateShortcut "$SMPROGRAMS\${MENU_FOLDER}\${LINK_NAME}.lnk" "$INSTDIR\tavu.exe" "" \
    "$INSTDIR\tavu.exe" 0 SW_SHOWNORMAL "" "岚禾护眼钟"

  ; The program's own record of where it lives ("dir1", system code page): with it the first
  ; start does not set up the shortcut and autostart again over what was chosen here.
  ; Written for the user who installs, as the program writes it.
  SetShellVarContext current
  CreateDirectory "$APPDATA\LanHe"
  FileOpen $0 "$APPDATA\LanHe\dir1" w
  FileWrite $0 "$INSTDIR\tavu.exe$\r$\n23$\r$\n"
  FileClose $0
  ${If} $AllUsers = 1
    SetShellVarContext all
  ${EndIf}

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tavu.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "开机自动运行" SecAutostart
  ; Quoted, as the program writes it: a folder with spaces never starts another program.
  WriteRegStr SHCTX "${RUN_KEY}" "${AUTOSTART_NAME}" '"$INSTDIR\tavu.exe"'
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecMain} "程序文件、开始菜单快捷方式和卸载信息。"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecAutostart} "登录 Windows 时自动启动岚禾休息软件。"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function un.onInit
  ; Installed for all users when the machine's key names this folder.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    StrCpy $AllUsers 1
    SetShellVarContext all
  ${Else}
    StrCpy $AllUsers 0
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.EndRunningProgram

  Delete "$INSTDIR\tavu.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"

  ; Start menu of the installation's context, then the user's own: the program makes its
  ; shortcut there (and on the desktop on request) itself.
  Delete "$SMPROGRAMS\${MENU_FOLDER}\${LINK_NAME}.lnk"
  RMDir "$SMPROGRAMS\${MENU_FOLDER}"
  SetShellVarContext current
  Delete "$SMPROGRAMS\${MENU_FOLDER}\${LINK_NAME}.lnk"
  RMDir "$SMPROGRAMS\${MENU_FOLDER}"
  Delete "$DESKTOP\${LINK_NAME}.lnk"

  ; Both autostart values, as the program's own switch removes them.
  DeleteRegValue HKLM "${RUN_KEY}" "${AUTOSTART_NAME}"
  DeleteRegValue HKCU "${RUN_KEY}" "${AUTOSTART_NAME}"

  ; Only "dir1" is this program's; dir2 and dir3 belong to the maker's other programs.
  Delete "$APPDATA\LanHe\dir1"

  ; The user's data: the settings, the program's own settings and the history, beside the
  ; program or in the user's AppData when that folder took no file. One question for all.
  ${If} ${FileExists} "$INSTDIR\lh20cfg"
  ${OrIf} ${FileExists} "$APPDATA\LanHe\Tavu\lh20cfg"
  ${OrIf} ${FileExists} "$INSTDIR\tavu.ini"
  ${OrIf} ${FileExists} "$APPDATA\LanHe\Tavu\tavu.ini"
  ${OrIf} ${FileExists} "$INSTDIR\tavu-history.db*"
  ${OrIf} ${FileExists} "$APPDATA\LanHe\Tavu\tavu-history.db*"
    MessageBox MB_YESNO|MB_ICONQUESTION "是否同时删除您的设置文件和历史统计？$\n选择“否”将保留它们，重新安装后继续使用。" \
      /SD IDNO IDNO keep_settings
    Delete "$INSTDIR\lh20cfg"
    Delete "$INSTDIR\tavu.ini"
    ; The database with its write-ahead log and any damaged copies moved aside.
    Delete "$INSTDIR\tavu-history.db*"
    Delete "$APPDATA\LanHe\Tavu\lh20cfg"
    Delete "$APPDATA\LanHe\Tavu\tavu.ini"
    Delete "$APPDATA\LanHe\Tavu\tavu-history.db*"
    keep_settings:
  ${EndIf}
  RMDir "$APPDATA\LanHe\Tavu"
  RMDir "$APPDATA\LanHe"
  RMDir "$INSTDIR"
  ${If} $AllUsers = 1
    SetShellVarContext all
  ${EndIf}

  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
