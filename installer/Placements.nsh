; What the installer puts where, and how the uninstaller takes exactly that away again.
;
; Every file placed in a player's folder is recorded under RECORD_KEY (64-bit registry view) as
; a value named after its slot, holding the file's full path; when placing it had to create
; folders, "<slot>.Created" holds the outermost folder made. COM servers registered with
; regsvr32 are recorded with "<slot>.Registered" = the bitness of the regsvr32 that registered
; them. The uninstaller reads only these records: player folders that have moved since, files
; that were never ours and folders that were there before are left alone.

!define RECORD_KEY "Software\Novalume\Glimmora Plugins"

; Stack: a folder. Returns the outermost of its folders that does not exist yet ("" when the
; folder exists).
!macro TopMissingFolderFunction PREFIX
  Function ${PREFIX}TopMissingFolder
    Exch $0
    Push $1
    Push $2
    StrCpy $2 ""
    ${DoUntil} ${FileExists} "$0\*.*"
      StrCpy $2 $0
      ${GetParent} $0 $1
      ${If} $1 == ""
      ${OrIf} $1 == $0
        ${ExitDo}
      ${EndIf}
      StrCpy $0 $1
    ${Loop}
    StrCpy $0 $2
    Pop $2
    Pop $1
    Exch $0
  FunctionEnd
!macroend
!insertmacro TopMissingFolderFunction ""

; The arguments of the functions below, set by their callers (NSIS functions take no
; parameters of their own).
Var PlaceSlot        ; a record's slot
Var PlaceSource      ; the file to copy (already extracted)
Var PlaceDestination ; its full path in the player's folder
Var RegsvrBits       ; x64 or x86
Var RegsvrArguments  ; the switches before the path
Var RegsvrPath       ; the server
Var RegsvrResult     ; regsvr32's exit code, or "error" when it could not be started

; Copies PlaceSource to PlaceDestination, creating folders as needed, and records it under
; PlaceSlot.
Function PlaceFile
  Push $3
  Push $4
  ${GetParent} $PlaceDestination $4
  Push $4
  Call TopMissingFolder
  Pop $3
  ClearErrors
  CreateDirectory $4
  CopyFiles /SILENT $PlaceSource $PlaceDestination
  ${If} ${Errors}
  ${OrIfNot} ${FileExists} $PlaceDestination
    ${Log} "Could not write $PlaceDestination: the plug-in was not installed there."
  ${Else}
    SetRegView 64
    WriteRegStr HKLM "${RECORD_KEY}" "$PlaceSlot" "$PlaceDestination"
    ${If} $3 != ""
      WriteRegStr HKLM "${RECORD_KEY}" "$PlaceSlot.Created" "$3"
    ${EndIf}
    ${Log} "Installed $PlaceDestination"
  ${EndIf}
  Pop $4
  Pop $3
FunctionEnd

; PlaceFile SLOT SOURCE DESTINATION: SOURCE is a file of the package (compile time).
!macro PlaceFile SLOT SOURCE DESTINATION
  InitPluginsDir
  File "/oname=$PLUGINSDIR\${SLOT}.file" "${SOURCE}"
  StrCpy $PlaceSlot "${SLOT}"
  StrCpy $PlaceSource "$PLUGINSDIR\${SLOT}.file"
  StrCpy $PlaceDestination "${DESTINATION}"
  Call PlaceFile
!macroend

; Runs the regsvr32 of RegsvrBits (x64: System32 seen without the 32-bit redirection; x86:
; SysWOW64) with RegsvrArguments on RegsvrPath; sets RegsvrResult.
!macro RunRegsvr32Function PREFIX
  Function ${PREFIX}RunRegsvr32
    ${If} $RegsvrBits == x64
      ${DisableX64FSRedirection}
      ExecWait '"$WINDIR\System32\regsvr32.exe" $RegsvrArguments "$RegsvrPath"' $RegsvrResult
      ${EnableX64FSRedirection}
    ${Else}
      ExecWait '"$WINDIR\SysWOW64\regsvr32.exe" $RegsvrArguments "$RegsvrPath"' $RegsvrResult
    ${EndIf}
    ${If} $RegsvrResult == ""
      StrCpy $RegsvrResult error
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro RunRegsvr32Function ""

; RegisterPlaced SLOT BITS: registers the server the slot records with the regsvr32 of BITS.
!macro RegisterPlaced SLOT BITS
  SetRegView 64
  ReadRegStr $RegsvrPath HKLM "${RECORD_KEY}" "${SLOT}"
  ${If} $RegsvrPath != ""
    StrCpy $RegsvrBits "${BITS}"
    StrCpy $RegsvrArguments "/s"
    Call RunRegsvr32
    SetRegView 64
    ${If} $RegsvrResult == 0
      WriteRegStr HKLM "${RECORD_KEY}" "${SLOT}.Registered" "${BITS}"
      ${Log} "Registered $RegsvrPath (${BITS})"
    ${Else}
      ${Log} "Registering $RegsvrPath failed (regsvr32 exit code $RegsvrResult)."
    ${EndIf}
  ${EndIf}
!macroend

; Stack: slot. Unregisters (when it was registered) and deletes what the slot records, removes
; the folders the installer created for it when they are empty, and forgets the slot.
Function un.RemovePlaced
  Exch $0
  Push $1
  Push $2
  Push $3
  Push $4
  Push $5
  SetRegView 64
  ReadRegStr $1 HKLM "${RECORD_KEY}" "$0"
  ${If} $1 != ""
    ReadRegStr $2 HKLM "${RECORD_KEY}" "$0.Registered"
    ${If} $2 != ""
      StrCpy $RegsvrBits $2
      StrCpy $RegsvrArguments "/u /s"
      StrCpy $RegsvrPath $1
      Call un.RunRegsvr32
      ${If} $RegsvrResult == 0
        ${Log} "Unregistered $1"
      ${Else}
        ${Log} "Unregistering $1 failed (regsvr32 exit code $RegsvrResult)."
      ${EndIf}
    ${EndIf}
    ClearErrors
    Delete $1
    ${If} ${FileExists} $1
      ${Log} "Could not remove $1 (in use?): it goes at the next restart."
      Delete /REBOOTOK $1
    ${Else}
      ${Log} "Removed $1"
    ${EndIf}
    SetRegView 64
    ReadRegStr $2 HKLM "${RECORD_KEY}" "$0.Created"
    ${If} $2 != ""
      ; Only folders inside the one the installer made, innermost first, and only when empty.
      StrLen $4 $2
      ${GetParent} $1 $3
      ${Do}
        StrCpy $5 $3 $4
        ${If} $5 != $2
          ${ExitDo}
        ${EndIf}
        RMDir $3
        ${If} $3 == $2
          ${ExitDo}
        ${EndIf}
        ${GetParent} $3 $3
      ${Loop}
    ${EndIf}
  ${EndIf}
  SetRegView 64
  DeleteRegValue HKLM "${RECORD_KEY}" "$0"
  DeleteRegValue HKLM "${RECORD_KEY}" "$0.Created"
  DeleteRegValue HKLM "${RECORD_KEY}" "$0.Registered"
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

!insertmacro RunRegsvr32Function "un."
