; The media center's display plug-ins' key. Registering the control writes its plug-in key
; below "Software\J. River\Media Center <N>\Plugins\Display" for every installed version N, and
; makes that key (and Plugins) where the media center has none; unregistering removes only the
; plug-in key. So that the uninstaller leaves no empty keys of ours behind, the installer
; records, before registering, the outermost of those keys that each version lacks
; ("<slot>.MadeKey.<N>" = Plugins or Plugins\Display, under RECORD_KEY), and the uninstaller
; removes them again when nothing has come into them.

!define MEDIA_CENTER_KEY "Software\J. River\Media Center"

; The arguments of the functions below.
Var KeysSlot ; Jmc64 or Jmc32
Var KeysView ; the registry view of the media center's bitness: 64 or 32

; SetRegView takes no variable.
!macro SetKeysView
  ${If} $KeysView == 64
    SetRegView 64
  ${Else}
    SetRegView 32
  ${EndIf}
!macroend

Function RecordMediaCenterKeys
  Push $0
  Push $1
  Push $2
  ${For} $0 11 49
    !insertmacro SetKeysView
    !insertmacro KeyExists HKLM "${MEDIA_CENTER_KEY} $0" $1
    ${If} $1 != ""
      !insertmacro KeyExists HKLM "${MEDIA_CENTER_KEY} $0\Plugins\Display" $1
      ${If} $1 == ""
        !insertmacro KeyExists HKLM "${MEDIA_CENTER_KEY} $0\Plugins" $2
        ${If} $2 == ""
          StrCpy $2 "Plugins"
        ${Else}
          StrCpy $2 "Plugins\Display"
        ${EndIf}
        SetRegView 64
        WriteRegStr HKLM "${RECORD_KEY}" "$KeysSlot.MadeKey.$0" $2
      ${EndIf}
    ${EndIf}
  ${Next}
  SetRegView 64
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

Function un.RemoveMediaCenterKeys
  Push $0
  Push $1
  ${For} $0 11 49
    SetRegView 64
    ReadRegStr $1 HKLM "${RECORD_KEY}" "$KeysSlot.MadeKey.$0"
    ${If} $1 != ""
      DeleteRegValue HKLM "${RECORD_KEY}" "$KeysSlot.MadeKey.$0"
      !insertmacro SetKeysView
      DeleteRegKey /ifempty /ifnovalues HKLM "${MEDIA_CENTER_KEY} $0\Plugins\Display"
      ${If} $1 == "Plugins"
        DeleteRegKey /ifempty /ifnovalues HKLM "${MEDIA_CENTER_KEY} $0\Plugins"
      ${EndIf}
    ${EndIf}
  ${Next}
  SetRegView 64
  Pop $1
  Pop $0
FunctionEnd
