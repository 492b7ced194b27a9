; The engine is the maker's product, installed on its own: the plug-ins find it as a product
; folder Novalume\Glimmora holding Resources\engine.txt under one of the support folders they
; search (the Program Files folders and Common Files, in either bitness).

!define ENGINE_MISSING_MESSAGE "The Glimmora visual engine is not installed on this computer. The plug-ins need it to draw anything: install Glimmora as well (before or after these plug-ins)."

; Returns 1 when the engine is installed, else "".
Function EngineInstalled
  Push $0
  StrCpy $0 ""
  ${If} ${FileExists} "$PROGRAMFILES64\Novalume\Glimmora\Resources\engine.txt"
  ${OrIf} ${FileExists} "$COMMONFILES64\Novalume\Glimmora\Resources\engine.txt"
  ${OrIf} ${FileExists} "$PROGRAMFILES32\Novalume\Glimmora\Resources\engine.txt"
  ${OrIf} ${FileExists} "$COMMONFILES32\Novalume\Glimmora\Resources\engine.txt"
    StrCpy $0 1
  ${EndIf}
  Exch $0
FunctionEnd

; Tells the user when the engine is missing and lets them stop; a silent run goes on.
Function CheckEngine
  Push $0
  Call EngineInstalled
  Pop $0
  ${If} $0 == ""
    ${Log} "${ENGINE_MISSING_MESSAGE}"
    MessageBox MB_YESNO|MB_ICONEXCLAMATION "${ENGINE_MISSING_MESSAGE}$\r$\n$\r$\nInstall the plug-ins anyway?" /SD IDYES IDYES go_on
    Quit
    go_on:
  ${Else}
    ${Log} "The Glimmora visual engine is installed."
  ${EndIf}
  Pop $0
FunctionEnd
