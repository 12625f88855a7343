; The per-user installer of Tavilo: no administrator, into
; %LOCALAPPDATA%\Programs\Tavilo, with a Start menu shortcut, an uninstall
; entry for Settings > Apps, and pages in Persian (right to left) or English.
; packaging/make-dist.sh builds it:
;   makensis -DVERSION=1.2.3 -DSTAGE=<folder with the files> -DICON=<.ico>
;            -DOUTFILE=<setup.exe> tavilo.nsi
; Exit codes of a silent run: 0 done, 2 a running Tavilo did not close,
; 3 a newer version is installed (NSIS itself gives 1 when cancelled).

Unicode true
; The 32-bit stub does not run under a 64-bit-only Wine; Tavilo is 64-bit.
Target amd64-unicode
; Bit-for-bit the same installer from the same files, whenever they were made.
SetDateSave off
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!ifndef VERSION | STAGE | ICON | OUTFILE
  !error "define VERSION, STAGE, ICON and OUTFILE"
!endif

; What the program itself names (src/app/Form1.h, src/app/SingleInstance.cpp,
; src/ui/StartWithWindows.h, src/ui/Settings).
!define STRIP_CLASS "TaviloForm1"
!define EXIT_MESSAGE "Tavilo.Exit"
!define INSTANCE_MUTEX "Local\Tavilo.SingleInstance"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\Tavilo"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavilo"
!define SYNCHRONIZE 0x00100000
; Ten seconds for a running Tavilo to close, in 100 ms steps.
!define CLOSE_WAIT_STEPS 100

!define EXIT_NOT_CLOSED 2
!define EXIT_NEWER_INSTALLED 3

Name "Tavilo"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tavilo"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Tavilo ${VERSION}"

!include MUI2.nsh
!include LogicLib.nsh
!include nsDialogs.nsh
!include WordFunc.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_LANGDLL_ALLLANGUAGES
!define MUI_LANGDLL_WINDOWTITLE "Tavilo"
!define MUI_LANGDLL_INFO "زبان نصب را انتخاب کنید$\r$\nChoose the language of the installer."
; Kept in the uninstall entry, so that it goes with it.
!define MUI_LANGDLL_REGISTRY_ROOT HKCU
!define MUI_LANGDLL_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MUI_LANGDLL_REGISTRY_VALUENAME "InstallerLanguage"

Var StartWithWindows
Var StartWithWindowsBox

!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
Page custom OptionsPage OptionsPageLeave
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(StartNowText)"
!define MUI_FINISHPAGE_RUN_FUNCTION StartTavilo
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP "$(UninstallText)"
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the default.
!insertmacro MUI_LANGUAGE "Farsi"
!insertmacro MUI_LANGUAGE "English"

; Persian text: yeh U+06CC, keheh U+06A9, zero-width non-joiner U+200C.
LangString WelcomeText ${LANG_FARSI} "این برنامه تاویلو ${VERSION} را برای شما نصب می‌کند. دسترسی مدیر سیستم لازم نیست.$\r$\n$\r$\nاگر تاویلو باز است، پیش از نصب بسته می‌شود: زمان‌بندی خاموش کردنی که فعال است و ویرایشگری که باز است از دست می‌روند. تنظیمات و رویدادهای شما می‌مانند.$\r$\n$\r$\nبرای ادامه «بعد» را بزنید."
LangString WelcomeText ${LANG_ENGLISH} "This will install Tavilo ${VERSION} for you. No administrator rights are needed.$\r$\n$\r$\nIf Tavilo is running, it is closed first: an armed shutdown schedule and an open editor are lost. Your settings and events are kept.$\r$\n$\r$\nClick Next to continue."
LangString OptionsTitle ${LANG_FARSI} "گزینه‌ها"
LangString OptionsTitle ${LANG_ENGLISH} "Options"
LangString OptionsSubtitle ${LANG_FARSI} "تاویلو کی اجرا شود؟"
LangString OptionsSubtitle ${LANG_ENGLISH} "When should Tavilo start?"
LangString StartWithWindowsText ${LANG_FARSI} "شروع با ویندوز: تاویلو هنگام ورود شما به ویندوز اجرا شود"
LangString StartWithWindowsText ${LANG_ENGLISH} "Start with Windows: run Tavilo when you log on"
LangString StartNowText ${LANG_FARSI} "اکنون تاویلو را اجرا کن"
LangString StartNowText ${LANG_ENGLISH} "Start Tavilo now"
LangString NotClosedText ${LANG_FARSI} "تاویلو در ده ثانیه بسته نشد. آن را با «خروج» از منوی خودش ببندید و «تلاش دوباره» را بزنید، یا کار را لغو کنید."
LangString NotClosedText ${LANG_ENGLISH} "Tavilo did not close within ten seconds. Close it with Exit in its menu and choose Retry, or Cancel."
LangString NewerInstalledText ${LANG_FARSI} "نسخهٔ تازه‌تر تاویلو ($R0) نصب است. نسخهٔ قدیمی‌تر ${VERSION} به جای آن نصب شود؟"
LangString NewerInstalledText ${LANG_ENGLISH} "A newer Tavilo ($R0) is installed. Install the older version ${VERSION} over it?"
LangString UninstallText ${LANG_FARSI} "تاویلو از این رایانه حذف می‌شود. اگر باز است، اول بسته می‌شود."
LangString UninstallText ${LANG_ENGLISH} "Tavilo will be removed from this computer. If it is running, it is closed first."
LangString KeepDataText ${LANG_FARSI} "تنظیمات و رویدادهای تاویلو نگه داشته شوند؟$\r$\nاگر نه، آن‌ها هم پاک می‌شوند."
LangString KeepDataText ${LANG_ENGLISH} "Keep Tavilo's settings and events?$\r$\nIf not, they are deleted too."

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Tavilo"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "Tavilo"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Tavilo ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright © 2026 Tavilo"

; Posts the strip the exit message, once a second, until the program's
; single-instance mutex is gone; after ten seconds asks whether to try again
; (a silent run gives up with EXIT_NOT_CLOSED).
!macro DEFINE_CLOSE_RUNNING_TAVILO prefix
Function ${prefix}CloseRunningTavilo
  Push $0
  Push $1
  Push $2
  Push $3
  System::Call 'user32::RegisterWindowMessageW(w "${EXIT_MESSAGE}") i .r1'
  retry:
    ${For} $2 0 ${CLOSE_WAIT_STEPS}
      System::Call 'kernel32::OpenMutexW(i ${SYNCHRONIZE}, i 0, w "${INSTANCE_MUTEX}") p .r0 ? e'
      Pop $3
      ; Access denied (5): a Tavilo run as administrator holds it.
      ${If} $0 == 0
      ${AndIf} $3 != 5
        Pop $3
        Pop $2
        Pop $1
        Pop $0
        Return
      ${EndIf}
      System::Call 'kernel32::CloseHandle(p r0)'
      IntOp $0 $2 % 10
      ${If} $0 == 0
        FindWindow $0 "${STRIP_CLASS}"
        ${If} $0 != 0
          System::Call 'user32::PostMessageW(p r0, i r1, p 0, p 0)'
        ${EndIf}
      ${EndIf}
      Sleep 100
    ${Next}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(NotClosedText)" /SD IDCANCEL IDRETRY retry
    SetErrorLevel ${EXIT_NOT_CLOSED}
    Quit
FunctionEnd
!macroend
!insertmacro DEFINE_CLOSE_RUNNING_TAVILO ""
!insertmacro DEFINE_CLOSE_RUNNING_TAVILO "un."

Function .onInit
  StrCpy $LANGUAGE ${LANG_FARSI}
  !insertmacro MUI_LANGDLL_DISPLAY

  ReadRegStr $R0 HKCU "${UNINSTALL_KEY}" "DisplayVersion"
  ${If} $R0 != ""
    ; 1: the installed version is newer than this one.
    ${VersionCompare} $R0 "${VERSION}" $R1
    ${If} $R1 == 1
      MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(NewerInstalledText)" /SD IDNO IDYES older_chosen
      SetErrorLevel ${EXIT_NEWER_INSTALLED}
      Quit
      older_chosen:
    ${EndIf}
  ${EndIf}

  ; A new install starts with Windows; an upgrade keeps the user's choice.
  StrCpy $StartWithWindows ${BST_CHECKED}
  ${If} $R0 != ""
    ReadRegStr $R1 HKCU "${RUN_KEY}" "Tavilo"
    ${If} $R1 == ""
      StrCpy $StartWithWindows ${BST_UNCHECKED}
    ${EndIf}
  ${EndIf}
FunctionEnd

Function OptionsPage
  !insertmacro MUI_HEADER_TEXT "$(OptionsTitle)" "$(OptionsSubtitle)"
  nsDialogs::Create 1018
  Pop $0
  ; Right to left in Persian, as the pages of MUI are.
  nsDialogs::SetRTL $(^RTL)
  ${NSD_CreateCheckbox} 0 0 100% 12u "$(StartWithWindowsText)"
  Pop $StartWithWindowsBox
  ${NSD_SetState} $StartWithWindowsBox $StartWithWindows
  nsDialogs::Show
FunctionEnd

Function OptionsPageLeave
  ${NSD_GetState} $StartWithWindowsBox $StartWithWindows
FunctionEnd

Function StartTavilo
  Exec '"$INSTDIR\tavilo.exe"'
FunctionEnd

Section
  Call CloseRunningTavilo

  SetOutPath "$INSTDIR"
  File "${STAGE}\tavilo.exe"
  File "${STAGE}\README.txt"
  File "${STAGE}\LICENSE.txt"
  File "${STAGE}\NOTICE.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Tavilo.lnk" "$INSTDIR\tavilo.exe"

  ; The value the program's own Start with Windows setting writes.
  ${If} $StartWithWindows == ${BST_CHECKED}
    WriteRegStr HKCU "${RUN_KEY}" "Tavilo" '"$INSTDIR\tavilo.exe"'
  ${Else}
    DeleteRegValue HKCU "${RUN_KEY}" "Tavilo"
  ${EndIf}

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tavilo"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Tavilo"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\tavilo.exe",0'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallerLanguage" "$LANGUAGE"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize 0 $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  !insertmacro MUI_UNGETLANGUAGE
FunctionEnd

Section "Uninstall"
  Call un.CloseRunningTavilo

  Delete "$INSTDIR\tavilo.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\NOTICE.txt"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: the folder may hold files of the user's.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Tavilo.lnk"

  ; Another copy (a portable one, say) may have set its own Run value.
  ReadRegStr $0 HKCU "${RUN_KEY}" "Tavilo"
  ${If} $0 == '"$INSTDIR\tavilo.exe"'
    DeleteRegValue HKCU "${RUN_KEY}" "Tavilo"
  ${EndIf}
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  MessageBox MB_YESNO|MB_ICONQUESTION "$(KeepDataText)" /SD IDYES IDYES keep
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  RMDir /r "$APPDATA\Tavilo"
  keep:
SectionEnd
