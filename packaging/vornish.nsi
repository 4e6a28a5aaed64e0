; The installer of Vornish: for the current user, without administrator
; rights, into %LOCALAPPDATA%\Programs\Vornish, where the launcher can write
; its buttons (VRN.dat) beside itself. A Japanese wizard, English on systems
; whose user-interface language is not Japanese.
;
; Made by cmake/MakePackages.cmake:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.2.3 -DVERSION_FOUR=1.2.3.0
;            -DFILES=<folder> [-DHELP] -DICON=<.ico> -DOUTFILE=<.exe> vornish.nsi
; FILES holds vornish.exe and, with HELP, VRN.chm.
;
; Silent use: setup.exe /S [/STARTUP] [/D=folder]; uninstall.exe /S keeps the
; user's buttons and settings. Exit code 2 when a running launcher did not
; close.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include WinMessages.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vornish"
!define SETTINGS_PARENT "Software\VB and VBA Program Settings"
!define SETTINGS_KEY "${SETTINGS_PARENT}\Vornish"
!define MAIN_CLASS "Vornish.frmMain"
!define MENU_LINK "$SMPROGRAMS\Vornish.lnk"
; The same shortcut the launcher's own settings make: Vornish.lnk in the
; Startup folder, the program without arguments, its folder as working folder.
!define STARTUP_LINK "$SMSTARTUP\Vornish.lnk"
!define CLOSE_WAIT_MS 10000

Name "Vornish"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Vornish"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Vornish ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!define MUI_FINISHPAGE_RUN "$INSTDIR\vornish.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one for systems whose language has no table here.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString WelcomeText ${LANG_ENGLISH} "Setup will install Vornish for you alone into$\r$\n$INSTDIR.$\r$\nIt needs no administrator rights.$\r$\n$\r$\nYour buttons and settings are kept. A running Vornish is asked to close first; it saves your buttons as it closes.$\r$\n$\r$\n$_CLICK"
LangString WelcomeText ${LANG_JAPANESE} "Vornish を今のユーザーだけのために$\r$\n$INSTDIR$\r$\nにインストールします。管理者の権限は要りません。$\r$\n$\r$\n登録したボタンと設定はそのまま残ります。実行中の Vornish には先に終了してもらいます (ボタンは終了時に保存されます)。$\r$\n$\r$\n$_CLICK"
LangString StartupSection ${LANG_ENGLISH} "Start with Windows"
LangString StartupSection ${LANG_JAPANESE} "Windows 起動時に開始"
LangString ProgramText ${LANG_ENGLISH} "The launcher, a shortcut in the Start menu and an uninstaller. Your buttons and settings are kept."
LangString ProgramText ${LANG_JAPANESE} "ランチャー本体、スタート メニューのショートカットとアンインストーラー。登録したボタンと設定はそのまま残ります。"
LangString StartupText ${LANG_ENGLISH} "A shortcut in your Startup folder, as the launcher's own settings make it."
LangString StartupText ${LANG_JAPANESE} "スタートアップ フォルダーにショートカットを作ります (ランチャーの設定で作るものと同じです)。"
LangString Closing ${LANG_ENGLISH} "Closing the running Vornish, which saves its buttons..."
LangString Closing ${LANG_JAPANESE} "実行中の Vornish を終了しています (ボタンを保存します)..."
LangString StillRunning ${LANG_ENGLISH} "Vornish is still running.$\r$\n$\r$\nPlease close it yourself (it saves your buttons as it closes), then choose Retry."
LangString StillRunning ${LANG_JAPANESE} "Vornish が終了しません。$\r$\n$\r$\nVornish を終了してから (ボタンは終了時に保存されます)、[再試行] を選んでください。"
LangString DeleteButtons ${LANG_ENGLISH} "Also delete your buttons (VRN.dat) and the settings of Vornish?$\r$\n$\r$\nChoose No to keep them for a later installation."
LangString DeleteButtons ${LANG_JAPANESE} "登録したボタン (VRN.dat) と Vornish の設定も削除しますか?$\r$\n$\r$\n[いいえ] を選ぶと、次のインストールのために残します。"

VIProductVersion "${VERSION_FOUR}"
VIFileVersion "${VERSION_FOUR}"
!macro VERSION_KEYS LANG DESCRIPTION
  VIAddVersionKey /LANG=${LANG} "ProductName" "Vornish"
  VIAddVersionKey /LANG=${LANG} "CompanyName" "Vornish"
  VIAddVersionKey /LANG=${LANG} "LegalCopyright" "Vornish"
  VIAddVersionKey /LANG=${LANG} "FileDescription" "${DESCRIPTION}"
  VIAddVersionKey /LANG=${LANG} "FileVersion" "${VERSION}"
  VIAddVersionKey /LANG=${LANG} "ProductVersion" "${VERSION}"
!macroend
!insertmacro VERSION_KEYS ${LANG_ENGLISH} "Vornish Setup"
!insertmacro VERSION_KEYS ${LANG_JAPANESE} "Vornish セットアップ"

; Functions both the installer and the uninstaller need (NSIS wants an "un."
; copy for the uninstaller).
!macro SHARED_FUNCTIONS un

; Asks every launcher started from $INSTDIR to close, as Windows does at
; log-off (WM_CLOSE to its main window), so that it saves its buttons and
; settings; waits for each to end. One that does not end in time is never
; killed: the user is asked to close it and retry, else (and in silent mode)
; the installation stops with exit code 2.
Function ${un}CloseLaunchers
  Push $R0
  Push $R1
  Push $R2
  Push $R3
  Push $R4
  again:
  StrCpy $R0 0
  next:
    FindWindow $R0 "${MAIN_CLASS}" "" 0 $R0
    StrCmp $R0 0 done
    System::Call "user32::GetWindowThreadProcessId(p R0, *i .R1)"
    ; SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION
    System::Call "kernel32::OpenProcess(i 0x101000, i 0, i R1) p .R2"
    StrCmp $R2 0 next
    System::Call "kernel32::QueryFullProcessImageNameW(p R2, i 0, w .R3, *i ${NSIS_MAX_STRLEN}) i .R4"
    ${If} $R4 = 0
    ${OrIf} $R3 != "$INSTDIR\vornish.exe"  ; StrCmp ignores case, as file names do
      System::Call "kernel32::CloseHandle(p R2)"
      Goto next
    ${EndIf}
    DetailPrint "$(Closing)"
    System::Call "user32::PostMessageW(p R0, i ${WM_CLOSE}, p 0, p 0)"
    System::Call "kernel32::WaitForSingleObject(p R2, i ${CLOSE_WAIT_MS}) i .R4"
    System::Call "kernel32::CloseHandle(p R2)"
    ; The closed window is gone: start the search again from the top.
    StrCmp $R4 0 again
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY again
    SetErrorLevel 2
    Abort "$(StillRunning)"
  done:
  Pop $R4
  Pop $R3
  Pop $R2
  Pop $R1
  Pop $R0
FunctionEnd

; The program the shortcut whose path is on the stack starts, in its place;
; empty when there is no such shortcut.
Function ${un}ShortcutTarget
  Exch $R0
  Push $R1
  Push $R2
  Push $R3
  Push $R4
  StrCpy $R4 ""
  ; IShellLinkW of CLSID_ShellLink, loaded through its IPersistFile.
  System::Call "ole32::CoCreateInstance(g '{00021401-0000-0000-C000-000000000046}', p 0, i 1, g '{000214F9-0000-0000-C000-000000000046}', *p .R1) i .R3"
  ${If} $R3 = 0
    System::Call "$R1->0(g '{0000010b-0000-0000-C000-000000000046}', *p .R2) i .R3"  ; QueryInterface
    ${If} $R3 = 0
      System::Call "$R2->5(w R0, i 0) i .R3"  ; IPersistFile::Load, STGM_READ
      ${If} $R3 = 0
        System::Call "$R1->3(w .R4, i ${NSIS_MAX_STRLEN}, p 0, i 0)"  ; IShellLinkW::GetPath
      ${EndIf}
      System::Call "$R2->2()"  ; Release
    ${EndIf}
    System::Call "$R1->2()"
  ${EndIf}
  StrCpy $R0 $R4
  Pop $R4
  Pop $R3
  Pop $R2
  Pop $R1
  Exch $R0
FunctionEnd

!macroend
!insertmacro SHARED_FUNCTIONS ""
!insertmacro SHARED_FUNCTIONS "un."

; Deletes a shortcut when it starts this installation's vornish.exe; one of
; the same name that starts another copy (a portable one) stays.
!macro DELETE_OWN_SHORTCUT un LINK
  Push "${LINK}"
  Call ${un}ShortcutTarget
  Pop $0
  ${If} $0 == "$INSTDIR\vornish.exe"
    Delete "${LINK}"
  ${EndIf}
!macroend

Section "Vornish" SecProgram
  SectionIn RO
  Call CloseLaunchers
  SetOutPath "$INSTDIR"
  File "${FILES}\vornish.exe"
!ifdef HELP
  File "${FILES}\VRN.chm"
!endif
  ; Never VRN.dat: the user's buttons beside the program stay as they are.
  ; Never Vornish.ini either: this copy keeps its settings in the registry,
  ; and a settings file the user put here stays as it is.
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "${MENU_LINK}" "$INSTDIR\vornish.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Vornish"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Vornish"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vornish.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "$(StartupSection)" SecStartup
  SetOutPath "$INSTDIR"  ; the shortcut's working folder
  CreateShortCut "${STARTUP_LINK}" "$INSTDIR\vornish.exe"
SectionEnd

; Unticked on a reinstallation: the start-up shortcut goes.
Section "-StartupOff"
  ${IfNot} ${SectionIsSelected} ${SecStartup}
    !insertmacro DELETE_OWN_SHORTCUT "" "${STARTUP_LINK}"
  ${EndIf}
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "$(ProgramText)"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecStartup} "$(StartupText)"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; "Start with Windows" starts ticked when /STARTUP is given or the shortcut
; already starts this installation's launcher.
Function .onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/STARTUP" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecStartup}
  ${EndIf}
  Push "${STARTUP_LINK}"
  Call ShortcutTarget
  Pop $0
  ${If} $0 == "$INSTDIR\vornish.exe"
    !insertmacro SelectSection ${SecStartup}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.CloseLaunchers
  !insertmacro DELETE_OWN_SHORTCUT "un." "${MENU_LINK}"
  !insertmacro DELETE_OWN_SHORTCUT "un." "${STARTUP_LINK}"
  Delete "$INSTDIR\vornish.exe"
  Delete "$INSTDIR\VRN.chm"
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(DeleteButtons)" /SD IDNO IDNO keep
    Delete "$INSTDIR\VRN.dat"
    Delete "$INSTDIR\Vornish.ini"
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "${SETTINGS_PARENT}"
  keep:
  ; Left by a launcher that ended while it wrote VRN.dat or Vornish.ini;
  ; never the buttons nor the settings.
  Delete "$INSTDIR\VRN.dat.~*.tmp"
  Delete "$INSTDIR\Vornish.ini.~*.tmp"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
