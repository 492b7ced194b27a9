; The engine is the maker's product, installed on its own: the plug-ins find it as a product
; folder Novalume\Glimmora holding Resources\engine.txt under one of the support folders they
; search. 64-bit plug-ins search Program Files, Common Files and Program Files (x86); 32-bit
; plug-ins see only the 32-bit folders, Program Files (x86) and its Common Files.

!define ENGINE_MISSING_MESSAGE "The Glimmora visual engine is not installed on this computer. The plug-ins need it to draw anything: install Glimmora as well (before or after these plug-ins)."
!define ENGINE_64_ONLY_MESSAGE "The Glimmora visual engine is installed for 64-bit programs only, where 32-bit players do not look for it:"
!define ENGINE_64_ONLY_ADVICE "These plug-ins are installed, but they can draw only once Glimmora is installed for 32-bit programs as well (in Program Files (x86))."

Var EngineFor64 ; 1 when 64-bit plug-ins find the engine
Var EngineFor32 ; 1 when 32-bit plug-ins find the engine

!macro EngineIn FOLDER RESULT
  ${If} ${FileExists} "${FOLDER}\Novalume\Glimmora\Resources\engine.txt"
    StrCpy ${RESULT} 1
  ${EndIf}
!macroend

; Sets EngineFor64 and EngineFor32.
Function FindEngine
  StrCpy $EngineFor64 ""
  StrCpy $EngineFor32 ""
  !insertmacro EngineIn "$PROGRAMFILES64" $EngineFor64
  !insertmacro EngineIn "$COMMONFILES64" $EngineFor64
  !insertmacro EngineIn "$PROGRAMFILES32" $EngineFor64
  !insertmacro EngineIn "$PROGRAMFILES32" $EngineFor32
  !insertmacro EngineIn "$COMMONFILES32" $EngineFor32
FunctionEnd

; Tells the user when the engine is missing and lets them stop; a silent run goes on.
Function CheckEngine
  Call FindEngine
  ${If} "$EngineFor64$EngineFor32" == ""
    ${Log} "${ENGINE_MISSING_MESSAGE}"
    MessageBox MB_YESNO|MB_ICONEXCLAMATION "${ENGINE_MISSING_MESSAGE}$\r$\n$\r$\nInstall the plug-ins anyway?" /SD IDYES IDYES go_on
    Quit
    go_on:
  ${Else}
    ${Log} "The Glimmora visual engine is installed."
  ${EndIf}
FunctionEnd

; Stack: the names of the 32-bit players whose plug-ins were placed, ", " between them ("" for
; none). When the engine is there for 64-bit programs only, says that those players will not
; find it; the installation goes on.
Function WarnEngineFor32
  Exch $0
  ${If} $0 != ""
  ${AndIf} $EngineFor32 == ""
  ${AndIf} $EngineFor64 != ""
    ${Log} "${ENGINE_64_ONLY_MESSAGE} $0. ${ENGINE_64_ONLY_ADVICE}"
    MessageBox MB_OK|MB_ICONEXCLAMATION "${ENGINE_64_ONLY_MESSAGE} $0.$\r$\n$\r$\n${ENGINE_64_ONLY_ADVICE}" /SD IDOK
  ${EndIf}
  Pop $0
FunctionEnd
