; The setup log: every line the installer or the uninstaller shows in its details list also goes
; to a text file in the user's temporary folder, so that a silent run (/S) can be read back and a
; user who asks for help can send what happened. Each run starts its file afresh.
;   installer:   %TEMP%\GlimmoraPlugins-Setup.log
;   uninstaller: %TEMP%\GlimmoraPlugins-Uninstall.log

!macro SetupLogFunctions PREFIX FILE_NAME
  Function ${PREFIX}StartLog
    Push $0
    ClearErrors
    FileOpen $0 "$TEMP\${FILE_NAME}" w
    ${IfNot} ${Errors}
      FileClose $0
    ${EndIf}
    Pop $0
  FunctionEnd

  ; Stack: the line.
  Function ${PREFIX}WriteLog
    Exch $0
    Push $1
    DetailPrint "$0"
    ClearErrors
    FileOpen $1 "$TEMP\${FILE_NAME}" a
    ${IfNot} ${Errors}
      FileSeek $1 0 END
      FileWrite $1 "$0$\r$\n"
      FileClose $1
    ${EndIf}
    Pop $1
    Pop $0
  FunctionEnd
!macroend

; Log "text": one line in the details list and the log file.
!macro Log TEXT
  Push `${TEXT}`
  !ifdef __UNINSTALL__
    Call un.WriteLog
  !else
    Call WriteLog
  !endif
!macroend
!define Log "!insertmacro Log"
