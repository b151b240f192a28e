; Mereth's setup: a per-user install that needs no administrator rights. scripts/package
; builds it with
;   makensis -DVERSION=x.y.z -DEXE64=... -DEXE32=... -DREADME=... -DOUTFILE=... Mereth.nsi
; With -DTARGET=amd64-unicode the setup itself is a 64-bit program and needs no EXE32
; (Wine without 32-bit support runs only that one).
;
; Switches: /S silent; /D=folder (last, unquoted) another folder; /NORUN (with /S) leaves
; the logon entry alone. The uninstaller takes /S and keeps the log and the figures then.

Unicode true
!ifdef TARGET
    Target ${TARGET}
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh

!define APP_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Mereth"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define STORE_KEY "Software\Brambleway\Mereth"
; The running program holds this mutex (its single-instance guard).
!define MUTEX_NAME "Brambleway.Mereth.Monitor"
!define SYNCHRONIZE 0x00100000
; A silent setup waits this long for a running Mereth to end, then gives up.
!ifndef SILENT_WAIT_SECONDS
    !define SILENT_WAIT_SECONDS 60
!endif
!define EXIT_MERETH_RUNS 3
!define EXIT_NOT_WRITABLE 4
!define ASK_EXIT "Mereth is running. Please exit it (right-click its icon beside the clock \
    and choose Exit Mereth), then press Retry."

Name "Mereth"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Mereth"
InstallDirRegKey HKCU "${APP_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
BrandingText "Mereth ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey ProductName "Mereth"
VIAddVersionKey CompanyName "Brambleway"
VIAddVersionKey FileDescription "Mereth Setup"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey ProductVersion "${VERSION}"
VIAddVersionKey LegalCopyright "Copyright (C) Brambleway"

Var RunAtLogon ; 1 when the setup writes the logon entry
Var RemoveDataBox
Var RemoveData ; BST_CHECKED when the user's log and figures go too; silent keeps them

!define MUI_ABORTWARNING
!define MUI_ICON "${NSISDIR}\Contrib\Graphics\Icons\modern-install.ico"
!define MUI_UNICON "${NSISDIR}\Contrib\Graphics\Icons\modern-uninstall.ico"

!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; The finish page's two boxes: the read-me box stands for the logon entry.
!define MUI_FINISHPAGE_SHOWREADME ""
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Start Mereth when I log on"
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION FinishLogonTicked
!define MUI_FINISHPAGE_RUN "$INSTDIR\Mereth.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Mereth now"
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FinishShow
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE FinishLeave
!insertmacro MUI_PAGE_FINISH

UninstPage custom un.OptionsPage un.OptionsLeave
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; WAIT_FOR_MERETH prefix: a running Mereth holds its files open and would overwrite the
; figures at exit, so setup and uninstaller wait until the user ends it. Never killed.
!macro WAIT_FOR_MERETH prefix
Function ${prefix}WaitForMereth
    Push $0
    Push $1
    StrCpy $1 0
    ${Do}
        System::Call 'kernel32::OpenMutexW(i ${SYNCHRONIZE}, i 0, w "${MUTEX_NAME}") p .r0'
        ${If} $0 P= 0
            ${Break}
        ${EndIf}
        System::Call 'kernel32::CloseHandle(p r0)'
        ${If} ${Silent}
            ${If} $1 >= ${SILENT_WAIT_SECONDS}
                SetErrorLevel ${EXIT_MERETH_RUNS}
                Quit
            ${EndIf}
            Sleep 1000
            IntOp $1 $1 + 1
        ${ElseIf} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${ASK_EXIT}" IDCANCEL`
            SetErrorLevel ${EXIT_MERETH_RUNS}
            Quit
        ${EndIf}
    ${Loop}
    Pop $1
    Pop $0
FunctionEnd
!macroend
!insertmacro WAIT_FOR_MERETH ""
!insertmacro WAIT_FOR_MERETH "un."

; The log is written beside the program, so the folder must be the user's to write.
; Leaves the error flag set when it is not.
Function CheckWritable
    Push $0
    Push $1
    StrCpy $1 0
    ${IfNot} ${FileExists} "$INSTDIR\*.*"
        StrCpy $1 1
    ${EndIf}
    ClearErrors
    CreateDirectory "$INSTDIR"
    FileOpen $0 "$INSTDIR\Mereth-write-check.tmp" w
    ${IfNot} ${Errors}
        FileClose $0
        Delete "$INSTDIR\Mereth-write-check.tmp"
    ${EndIf}
    ${If} $1 = 1
        RMDir "$INSTDIR" ; does not clear the error flag
    ${EndIf}
    Pop $1
    Pop $0
FunctionEnd

Function .onInit
    StrCpy $RunAtLogon 1
    ; Over an installed copy the user's choice stands: the entry only if it is there.
    ; $INSTDIR is that copy's folder by now.
    ReadRegStr $0 HKCU "${APP_KEY}" "InstallLocation"
    ${If} $0 != ""
        ReadRegStr $1 HKCU "${RUN_KEY}" "Mereth"
        ${If} $1 != '"$INSTDIR\Mereth.exe"'
            StrCpy $RunAtLogon 0
        ${EndIf}
    ${EndIf}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/NORUN" $1
    ${IfNot} ${Errors}
        StrCpy $RunAtLogon 0
    ${EndIf}
    Call WaitForMereth
FunctionEnd

Function DirectoryLeave
    Call CheckWritable
    ${If} ${Errors}
        MessageBox MB_OK|MB_ICONEXCLAMATION "Mereth cannot write to $INSTDIR. It keeps its \
            log beside the program, so please choose a folder of your own."
        Abort
    ${EndIf}
FunctionEnd

Function WriteRunValue
    WriteRegStr HKCU "${RUN_KEY}" "Mereth" '"$INSTDIR\Mereth.exe"'
FunctionEnd

; The value is removed only when it starts this copy; another copy's entry is its own.
!macro REMOVE_RUN_VALUE prefix
Function ${prefix}RemoveRunValue
    Push $0
    ReadRegStr $0 HKCU "${RUN_KEY}" "Mereth"
    ${If} $0 == '"$INSTDIR\Mereth.exe"'
        DeleteRegValue HKCU "${RUN_KEY}" "Mereth"
    ${EndIf}
    Pop $0
FunctionEnd
!macroend
!insertmacro REMOVE_RUN_VALUE ""
!insertmacro REMOVE_RUN_VALUE "un."

Function FinishLogonTicked
    Call WriteRunValue
FunctionEnd

Function FinishShow
    ${If} $RunAtLogon = 0
        ${NSD_Uncheck} $mui.FinishPage.ShowReadme
    ${EndIf}
FunctionEnd

Function FinishLeave
    ${NSD_GetState} $mui.FinishPage.ShowReadme $0
    ${If} $0 <> ${BST_CHECKED}
        Call RemoveRunValue
    ${EndIf}
FunctionEnd

Section "Mereth"
    ; The user may have started Mereth since the first look.
    Call WaitForMereth
    Call CheckWritable
    ${If} ${Errors}
        SetErrorLevel ${EXIT_NOT_WRITABLE}
        Abort "Mereth cannot write to $INSTDIR."
    ${EndIf}

    SetOutPath "$INSTDIR"
    ; Mereth.log and the figures in the registry stay as they are.
!ifdef EXE32
    ${If} ${RunningX64}
        File "/oname=Mereth.exe" "${EXE64}"
    ${Else}
        File "/oname=Mereth.exe" "${EXE32}"
    ${EndIf}
!else
    File "/oname=Mereth.exe" "${EXE64}"
!endif
    File "/oname=ReadMe.txt" "${README}"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortCut "$SMPROGRAMS\Mereth.lnk" "$INSTDIR\Mereth.exe"

    WriteRegStr HKCU "${APP_KEY}" "DisplayName" "Mereth"
    WriteRegStr HKCU "${APP_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${APP_KEY}" "Publisher" "Brambleway"
    WriteRegStr HKCU "${APP_KEY}" "DisplayIcon" "$INSTDIR\Mereth.exe"
    WriteRegStr HKCU "${APP_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${APP_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${APP_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${APP_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${APP_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${APP_KEY}" "EstimatedSize" $0

    ; With pages the finish page decides.
    ${If} ${Silent}
    ${AndIf} $RunAtLogon = 1
        Call WriteRunValue
    ${EndIf}
SectionEnd

Function un.onInit
    Call un.WaitForMereth
FunctionEnd

Function un.OptionsPage
    !insertmacro MUI_HEADER_TEXT "Uninstall Mereth" "Remove Mereth from your computer."
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateLabel} 0 0 100% 36u "Mereth will be removed from $INSTDIR.$\r$\n$\r$\nYour call \
        log (Mereth.log) and your figures and tariffs stay, ready for a later install."
    Pop $0
    ${NSD_CreateCheckbox} 0 44u 100% 12u "Also remove my call log and figures"
    Pop $RemoveDataBox
    GetDlgItem $0 $HWNDPARENT 1
    SendMessage $0 ${WM_SETTEXT} 0 "STR:$(^UninstallBtn)"
    nsDialogs::Show
FunctionEnd

Function un.OptionsLeave
    ${NSD_GetState} $RemoveDataBox $RemoveData
FunctionEnd

Section "un.Mereth"
    ; Checked again: the confirm page may have stood open a while.
    Call un.WaitForMereth
    Delete "$INSTDIR\Mereth.exe"
    Delete "$INSTDIR\ReadMe.txt"
    Delete "$INSTDIR\Uninstall.exe"
    Delete "$SMPROGRAMS\Mereth.lnk"
    Call un.RemoveRunValue
    DeleteRegKey HKCU "${APP_KEY}"
    ${If} $RemoveData = ${BST_CHECKED}
        Delete "$INSTDIR\Mereth.log"
        DeleteRegKey HKCU "${STORE_KEY}"
        DeleteRegKey /ifempty HKCU "Software\Brambleway"
    ${EndIf}
    RMDir "$INSTDIR" ; only when nothing of the user's is left in it
SectionEnd
