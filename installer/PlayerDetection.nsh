; Finding the players: each from the registry entries its own installer writes, in the registry
; view of its bitness, and only when the folder named there exists. Every function leaves ""
; in its result variable(s) for a player that is not installed.

Var WinampDir
Var JetAudioDir
Var MediaMonkeyDir
Var QcdDir
Var RealVisualizationsDir
Var XmplayDir
Var ItunesDir
Var ItunesBits
Var VirtualDjFound
Var Vlc64Dir
Var Vlc32Dir
Var Wmp64Found
Var Wmp32Found
Var Jmc64Found
Var Jmc32Found

!define UNINSTALL_KEYS "Software\Microsoft\Windows\CurrentVersion\Uninstall"

; Stack: a folder text. Returns it without surrounding quotes or a trailing backslash, or ""
; when no such folder exists.
Function ExistingFolder
  Exch $0
  Push $1
  StrCpy $1 $0 1
  ${If} $1 == '"'
    StrCpy $0 $0 "" 1
    StrCpy $1 $0 1 -1
    ${If} $1 == '"'
      StrCpy $0 $0 -1
    ${EndIf}
  ${EndIf}
  StrCpy $1 $0 1 -1
  ${If} $1 == "\"
    StrCpy $0 $0 -1
  ${EndIf}
  ${If} $0 == ""
  ${OrIfNot} ${FileExists} "$0\*.*"
    StrCpy $0 ""
  ${EndIf}
  Pop $1
  Exch $0
FunctionEnd

; Stack: an uninstall entry's name (the registry view is the caller's). Returns the program's
; folder: the entry's InstallLocation, else the folder of its UninstallString, else "".
Function UninstallFolder
  Exch $0
  Push $1
  ReadRegStr $1 HKLM "${UNINSTALL_KEYS}\$0" "InstallLocation"
  Push $1
  Call ExistingFolder
  Pop $1
  ${If} $1 == ""
    ReadRegStr $1 HKLM "${UNINSTALL_KEYS}\$0" "UninstallString"
    ${If} $1 != ""
      ; "C:\Folder\uninstall.exe" with or without quotes (and arguments after the quotes).
      StrCpy $0 $1 1
      ${If} $0 == '"'
        StrCpy $1 $1 "" 1
        ${WordFind} $1 '"' "+1" $1
      ${EndIf}
      ${GetParent} $1 $1
      Push $1
      Call ExistingFolder
      Pop $1
    ${EndIf}
  ${EndIf}
  StrCpy $0 $1
  Pop $1
  Exch $0
FunctionEnd

; KeyExists ROOT KEY RESULT: RESULT is 1 when the key exists in the current view, else "".
!macro KeyExists ROOT KEY RESULT
  ClearErrors
  EnumRegKey ${RESULT} ${ROOT} "${KEY}" 0
  ${If} ${Errors}
    StrCpy ${RESULT} ""
  ${Else}
    StrCpy ${RESULT} 1
  ${EndIf}
!macroend

; Winamp and the players that load its visualizations (all 32-bit programs).
Function FindWinampTypes
  SetRegView 32
  Push "Winamp"
  Call UninstallFolder
  Pop $WinampDir
  ${If} $WinampDir == ""
    ReadRegStr $0 HKCU "Software\Winamp" ""
    Push $0
    Call ExistingFolder
    Pop $WinampDir
  ${EndIf}
  Push "jetAudio"
  Call UninstallFolder
  Pop $JetAudioDir
  Push "MediaMonkey_is1"
  Call UninstallFolder
  Pop $MediaMonkeyDir
FunctionEnd

Function FindQcd
  SetRegView 32
  Push "QCD"
  Call UninstallFolder
  Pop $QcdDir
FunctionEnd

; RealPlayer names its visualizations folder (under Common Files) in its preferences.
Function FindRealPlayer
  SetRegView 32
  ReadRegStr $0 HKLM "Software\RealNetworks\Preferences\DT_Visualizations" ""
  Push $0
  Call ExistingFolder
  Pop $RealVisualizationsDir
  ${If} $RealVisualizationsDir == ""
    ReadRegStr $0 HKLM "Software\Microsoft\Windows\CurrentVersion\App Paths\realplay.exe" ""
    ${If} $0 != ""
    ${AndIf} ${FileExists} $0
      StrCpy $RealVisualizationsDir "$COMMONFILES32\Real\Visualizations"
    ${EndIf}
  ${EndIf}
FunctionEnd

; XMPlay has no installer of its own: the folder of the program the shell knows, else the
; usual folder.
Function FindXmplay
  SetRegView 32
  StrCpy $XmplayDir ""
  ReadRegStr $0 HKLM "Software\Microsoft\Windows\CurrentVersion\App Paths\xmplay.exe" ""
  ${If} $0 != ""
  ${AndIf} ${FileExists} $0
    ${GetParent} $0 $0
    Push $0
    Call ExistingFolder
    Pop $XmplayDir
  ${EndIf}
  ${If} $XmplayDir == ""
  ${AndIf} ${FileExists} "$PROGRAMFILES32\XMPlay\xmplay.exe"
    StrCpy $XmplayDir "$PROGRAMFILES32\XMPlay"
  ${EndIf}
FunctionEnd

; iTunes in either bitness: its program folder from its own key.
Function FindItunes
  StrCpy $ItunesBits ""
  SetRegView 64
  ReadRegStr $0 HKLM "Software\Apple Computer, Inc.\iTunes" "ProgramFolder"
  Push $0
  Call ExistingFolder
  Pop $ItunesDir
  ${If} $ItunesDir != ""
    StrCpy $ItunesBits x64
  ${Else}
    SetRegView 32
    ReadRegStr $0 HKLM "Software\Apple Computer, Inc.\iTunes" "ProgramFolder"
    Push $0
    Call ExistingFolder
    Pop $ItunesDir
    ${If} $ItunesDir != ""
      StrCpy $ItunesBits x86
    ${EndIf}
  ${EndIf}
FunctionEnd

; VirtualDJ 8 (64-bit): its key, machine-wide or the user's.
Function FindVirtualDj
  SetRegView 64
  !insertmacro KeyExists HKLM "Software\VirtualDJ" $VirtualDjFound
  ${If} $VirtualDjFound == ""
    !insertmacro KeyExists HKCU "Software\VirtualDJ" $VirtualDjFound
  ${EndIf}
FunctionEnd

; VLC: the 64-bit one in the 64-bit view, the 32-bit one in the 32-bit view; both may be there.
Function FindVlc
  SetRegView 64
  ReadRegStr $0 HKLM "Software\VideoLAN\VLC" "InstallDir"
  Push $0
  Call ExistingFolder
  Pop $Vlc64Dir
  SetRegView 32
  ReadRegStr $0 HKLM "Software\VideoLAN\VLC" "InstallDir"
  Push $0
  Call ExistingFolder
  Pop $Vlc32Dir
  ${If} $Vlc32Dir == $Vlc64Dir
    ; A 32-bit view that shows the 64-bit key (no separate view): one VLC, the 64-bit one.
    StrCpy $Vlc32Dir ""
  ${EndIf}
FunctionEnd

; Windows Media Player: the player's library in each system folder. The one users start on
; 64-bit Windows is the 32-bit player.
Function FindWmp
  StrCpy $Wmp64Found ""
  StrCpy $Wmp32Found ""
  ${DisableX64FSRedirection}
  ${If} ${FileExists} "$WINDIR\System32\wmp.dll"
    StrCpy $Wmp64Found 1
  ${EndIf}
  ${EnableX64FSRedirection}
  ${If} ${FileExists} "$WINDIR\SysWOW64\wmp.dll"
    StrCpy $Wmp32Found 1
  ${EndIf}
FunctionEnd

; JRiver Media Center: any major version's key, in the view of the media center's bitness.
Function FindJmc
  StrCpy $Jmc64Found ""
  StrCpy $Jmc32Found ""
  ${For} $1 11 49
    SetRegView 64
    !insertmacro KeyExists HKLM "Software\J. River\Media Center $1" $0
    ${If} $0 != ""
      StrCpy $Jmc64Found 1
    ${EndIf}
    SetRegView 32
    !insertmacro KeyExists HKLM "Software\J. River\Media Center $1" $0
    ${If} $0 != ""
      StrCpy $Jmc32Found 1
    ${EndIf}
  ${Next}
FunctionEnd
