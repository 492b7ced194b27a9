; GlimmoraPlugins-Setup.exe: puts each Glimmora plug-in where its player looks for it, in the
; player's bitness, for every player it finds installed, and an uninstaller that takes away
; exactly what it put there. The engine itself is the maker's product and installed on its own.
;
; Built by scripts/package with makensis:
;   makensis -DX64_BIN=<64-bit deliverables> -DX86_BIN=<32-bit deliverables>
;            -DOUTFILE=<setup program> -DVERSION=<x.y.z> GlimmoraPlugins.nsi
; A deliverable missing from the folders leaves its player's section out of this package.
;
; The installer is a 32-bit program (it runs on every 64-bit Windows): it reads the 64-bit
; registry view and the real 64-bit Program Files folder for 64-bit players and runs the
; regsvr32 of each server's bitness. It runs on 64-bit Windows only, as the plug-ins do.
; Silent mode (/S) installs the plug-in of every player found and goes on without the engine.

Unicode true
Target x86-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!ifndef X64_BIN | X86_BIN | OUTFILE
  !error "give X64_BIN, X86_BIN and OUTFILE with -D (scripts/package does)"
!endif
!ifndef VERSION
  !define VERSION "1.0.0"
!endif

!include LogicLib.nsh
!include x64.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include Sections.nsh
!include MUI2.nsh

!include SetupLog.nsh
!insertmacro SetupLogFunctions "" "GlimmoraPlugins-Setup.log"
!insertmacro SetupLogFunctions "un." "GlimmoraPlugins-Uninstall.log"
!include Placements.nsh
!include PlayerDetection.nsh
!include EngineCheck.nsh
!include MediaCenterKeys.nsh

; The deliverables this package holds.
!if /FileExists "${X86_BIN}\libglimmora_plugin.dll"
  !define HAVE_VLC_X86
!endif
!if /FileExists "${X64_BIN}\NV_WMP.dll"
  !define HAVE_WMP_X64
!endif
!if /FileExists "${X86_BIN}\NV_WMP.dll"
  !define HAVE_WMP_X86
!endif
!if /FileExists "${X64_BIN}\NV_JMC.dll"
  !define HAVE_JMC_X64
!endif
!if /FileExists "${X86_BIN}\NV_JMC.dll"
  !define HAVE_JMC_X86
!endif

!define PRODUCT "Glimmora Plug-ins"
!define UNINSTALL_ENTRY "${UNINSTALL_KEYS}\GlimmoraPlugins"
!define VLC_PLUGIN "libglimmora_plugin.dll"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; The uninstaller and the COM servers (which are registered where they lie) live here.
InstallDir "$PROGRAMFILES64\Novalume\Glimmora Plugins"
ShowInstDetails show
ShowUninstDetails show
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "Novalume Inc."
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright Novalume Inc."
; The registration helper is not called in a package without COM servers.
!pragma warning disable 6010

!define MUI_COMPONENTSPAGE_NODESC
!define MUI_COMPONENTSPAGE_TEXT_TOP "The plug-ins of the players found on this computer. Each goes where its player looks for it, in the player's bitness."
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Shows a player's section, selected, when the player was found; hides it otherwise.
!macro OfferSection SECTION FOUND WHAT
  ${If} ${FOUND} != ""
    ${Log} "Found ${WHAT}."
    !insertmacro SelectSection ${SECTION}
  ${Else}
    !insertmacro UnselectSection ${SECTION}
    SectionSetText ${SECTION} ""
  ${EndIf}
!macroend

; Refreshes VLC's plug-in cache with the installation's own tool, when it has one.
!macro RefreshVlcCacheFunction PREFIX
  Function ${PREFIX}RefreshVlcCache
    Exch $0 ; VLC's folder
    Push $1
    ${If} ${FileExists} "$0\vlc-cache-gen.exe"
      ExecWait '"$0\vlc-cache-gen.exe" "$0\plugins"' $1
      ${Log} "Refreshed VLC's plug-in cache in $0\plugins (exit code $1)."
    ${EndIf}
    Pop $1
    Pop $0
  FunctionEnd
!macroend
!insertmacro RefreshVlcCacheFunction ""
!insertmacro RefreshVlcCacheFunction "un."

; An earlier installation is removed first, by its own uninstaller (run in place, so that it
; waits), so that what it placed for players that have moved or gone does not stay behind.
Section "-previous installation"
  SetRegView 64
  ReadRegStr $0 HKLM "${UNINSTALL_ENTRY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0\Uninstall.exe"
    ${Log} "Removing the earlier installation in $0"
    ExecWait '"$0\Uninstall.exe" /S _?=$0' $1
    Delete "$0\Uninstall.exe"
  ${EndIf}
SectionEnd

Section "-uninstaller"
  SetRegView 64
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_ENTRY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_ENTRY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_ENTRY}" "Publisher" "Novalume Inc."
  WriteRegStr HKLM "${UNINSTALL_ENTRY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_ENTRY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_ENTRY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_ENTRY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_ENTRY}" "NoRepair" 1
  WriteRegStr HKLM "${RECORD_KEY}" "Version" "${VERSION}"
SectionEnd

Section "Winamp" SecWinamp
  !insertmacro PlaceFile Winamp "${X86_BIN}\vis_Omnihost.dll" "$WinampDir\Plugins\vis_Omnihost.dll"
SectionEnd

Section "jetAudio" SecJetAudio
  !insertmacro PlaceFile JetAudio "${X86_BIN}\vis_Omnihost.dll" "$JetAudioDir\Plugins\vis_Omnihost.dll"
SectionEnd

Section "MediaMonkey" SecMediaMonkey
  !insertmacro PlaceFile MediaMonkey "${X86_BIN}\vis_Omnihost.dll" "$MediaMonkeyDir\Plugins\vis_Omnihost.dll"
SectionEnd

Section "iTunes" SecItunes
  ; The program folder when it can be written, else the user's own plug-in folder.
  StrCpy $0 "$ItunesDir\Plug-ins"
  ClearErrors
  FileOpen $1 "$ItunesDir\Glimmora-write-check.tmp" w
  ${If} ${Errors}
    StrCpy $0 "$APPDATA\Apple Computer\iTunes\iTunes Plug-ins"
  ${Else}
    FileClose $1
    Delete "$ItunesDir\Glimmora-write-check.tmp"
  ${EndIf}
  ${If} $ItunesBits == x64
    !insertmacro PlaceFile Itunes "${X64_BIN}\vis_Omnihost.dll" "$0\vis_Omnihost.dll"
  ${Else}
    !insertmacro PlaceFile Itunes "${X86_BIN}\vis_Omnihost.dll" "$0\vis_Omnihost.dll"
  ${EndIf}
SectionEnd

Section "VirtualDJ 8" SecVirtualDj
  ; The user's Documents folder as the shell reports it (it may have been moved).
  SetShellVarContext current
  !insertmacro PlaceFile VirtualDj "${X64_BIN}\vis_Omnihost.dll" "$DOCUMENTS\VirtualDJ\Plugins64\VideoEffect\vis_Omnihost.dll"
SectionEnd

Section "QCD" SecQcd
  !insertmacro PlaceFile Qcd "${X86_BIN}\vis_Omnihost.dll" "$QcdDir\Plugins\vis_Omnihost.dll"
SectionEnd

Section "RealPlayer" SecRealPlayer
  ; RealPlayer loads visualizations only from files with its own extension.
  !insertmacro PlaceFile RealPlayer "${X86_BIN}\vis_Omnihost.dll" "$RealVisualizationsDir\vis_Omnihost.rpv"
SectionEnd

Section "XMPlay" SecXmplay
  ; XMPlay loads module-query visualizations only from .svp files in its own folder.
  !insertmacro PlaceFile Xmplay "${X86_BIN}\vis_Omnihost.dll" "$XmplayDir\vis_Omnihost.svp"
SectionEnd

Section "VLC (64-bit)" SecVlc64
  !insertmacro PlaceFile Vlc64 "${X64_BIN}\${VLC_PLUGIN}" "$Vlc64Dir\plugins\visualization\${VLC_PLUGIN}"
  SetRegView 64
  WriteRegStr HKLM "${RECORD_KEY}" "Vlc64.Folder" "$Vlc64Dir"
  Push $Vlc64Dir
  Call RefreshVlcCache
SectionEnd

Section "VLC (32-bit)" SecVlc32
  !ifdef HAVE_VLC_X86
    !insertmacro PlaceFile Vlc32 "${X86_BIN}\${VLC_PLUGIN}" "$Vlc32Dir\plugins\visualization\${VLC_PLUGIN}"
    SetRegView 64
    WriteRegStr HKLM "${RECORD_KEY}" "Vlc32.Folder" "$Vlc32Dir"
    Push $Vlc32Dir
    Call RefreshVlcCache
  !endif
SectionEnd

Section "Windows Media Player" SecWmp
  !ifdef HAVE_WMP_X64
    ${If} $Wmp64Found != ""
      !insertmacro PlaceFile Wmp64 "${X64_BIN}\NV_WMP.dll" "$INSTDIR\x64\NV_WMP.dll"
      !insertmacro RegisterPlaced Wmp64 x64
    ${EndIf}
  !endif
  !ifdef HAVE_WMP_X86
    ${If} $Wmp32Found != ""
      !insertmacro PlaceFile Wmp32 "${X86_BIN}\NV_WMP.dll" "$INSTDIR\x86\NV_WMP.dll"
      !insertmacro RegisterPlaced Wmp32 x86
    ${EndIf}
  !endif
SectionEnd

Section "JRiver Media Center" SecJmc
  !ifdef HAVE_JMC_X64
    ${If} $Jmc64Found != ""
      !insertmacro PlaceFile Jmc64 "${X64_BIN}\NV_JMC.dll" "$INSTDIR\x64\NV_JMC.dll"
      StrCpy $KeysSlot Jmc64
      StrCpy $KeysView 64
      Call RecordMediaCenterKeys
      !insertmacro RegisterPlaced Jmc64 x64
    ${EndIf}
  !endif
  !ifdef HAVE_JMC_X86
    ${If} $Jmc32Found != ""
      !insertmacro PlaceFile Jmc32 "${X86_BIN}\NV_JMC.dll" "$INSTDIR\x86\NV_JMC.dll"
      StrCpy $KeysSlot Jmc32
      StrCpy $KeysView 32
      Call RecordMediaCenterKeys
      !insertmacro RegisterPlaced Jmc32 x86
    ${EndIf}
  !endif
SectionEnd

; Adds NAME to the list in $0 when the slot's file was placed.
!macro AddWhenPlaced SLOT NAME
  SetRegView 64
  ReadRegStr $1 HKLM "${RECORD_KEY}" "${SLOT}"
  ${If} $1 != ""
    ${If} $0 != ""
      StrCpy $0 "$0, "
    ${EndIf}
    StrCpy $0 "$0${NAME}"
  ${EndIf}
!macroend

; The 32-bit players given a plug-in find the engine only in the 32-bit folders.
Section "-engine for 32-bit players"
  StrCpy $0 ""
  !insertmacro AddWhenPlaced Winamp "Winamp"
  !insertmacro AddWhenPlaced JetAudio "jetAudio"
  !insertmacro AddWhenPlaced MediaMonkey "MediaMonkey"
  ${If} $ItunesBits == x86
    !insertmacro AddWhenPlaced Itunes "iTunes"
  ${EndIf}
  !insertmacro AddWhenPlaced Qcd "QCD"
  !insertmacro AddWhenPlaced RealPlayer "RealPlayer"
  !insertmacro AddWhenPlaced Xmplay "XMPlay"
  !insertmacro AddWhenPlaced Vlc32 "VLC (32-bit)"
  !insertmacro AddWhenPlaced Wmp32 "Windows Media Player (32-bit)"
  !insertmacro AddWhenPlaced Jmc32 "JRiver Media Center (32-bit)"
  Push $0
  Call WarnEngineFor32
SectionEnd

Function .onInit
  Call StartLog
  ${IfNot} ${RunningX64}
    ${Log} "The Glimmora plug-ins need 64-bit Windows."
    MessageBox MB_OK|MB_ICONSTOP "The Glimmora plug-ins need 64-bit Windows." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
  ${Log} "${PRODUCT} ${VERSION} setup"
  Call CheckEngine
  Call FindWinampTypes
  Call FindQcd
  Call FindRealPlayer
  Call FindXmplay
  Call FindItunes
  Call FindVirtualDj
  Call FindVlc
  Call FindWmp
  Call FindJmc
  !insertmacro OfferSection ${SecWinamp} $WinampDir "Winamp in $WinampDir"
  !insertmacro OfferSection ${SecJetAudio} $JetAudioDir "jetAudio in $JetAudioDir"
  !insertmacro OfferSection ${SecMediaMonkey} $MediaMonkeyDir "MediaMonkey in $MediaMonkeyDir"
  !insertmacro OfferSection ${SecItunes} $ItunesDir "iTunes ($ItunesBits) in $ItunesDir"
  !insertmacro OfferSection ${SecVirtualDj} $VirtualDjFound "VirtualDJ 8"
  !insertmacro OfferSection ${SecQcd} $QcdDir "QCD in $QcdDir"
  !insertmacro OfferSection ${SecRealPlayer} $RealVisualizationsDir "RealPlayer's visualizations in $RealVisualizationsDir"
  !insertmacro OfferSection ${SecXmplay} $XmplayDir "XMPlay in $XmplayDir"
  !insertmacro OfferSection ${SecVlc64} $Vlc64Dir "VLC (64-bit) in $Vlc64Dir"
  !ifdef HAVE_VLC_X86
    !insertmacro OfferSection ${SecVlc32} $Vlc32Dir "VLC (32-bit) in $Vlc32Dir"
  !else
    ${If} $Vlc32Dir != ""
      ${Log} "Found VLC (32-bit) in $Vlc32Dir, but this package has no 32-bit VLC module."
    ${EndIf}
    StrCpy $Vlc32Dir ""
    !insertmacro OfferSection ${SecVlc32} $Vlc32Dir ""
  !endif
  ; A player the package has no build for is not offered.
  !ifndef HAVE_WMP_X64
    StrCpy $Wmp64Found ""
  !endif
  !ifndef HAVE_WMP_X86
    StrCpy $Wmp32Found ""
  !endif
  StrCpy $0 "$Wmp64Found$Wmp32Found"
  !insertmacro OfferSection ${SecWmp} $0 "Windows Media Player (64-bit: '$Wmp64Found', 32-bit: '$Wmp32Found')"
  !ifndef HAVE_JMC_X64
    StrCpy $Jmc64Found ""
  !endif
  !ifndef HAVE_JMC_X86
    StrCpy $Jmc32Found ""
  !endif
  StrCpy $0 "$Jmc64Found$Jmc32Found"
  !insertmacro OfferSection ${SecJmc} $0 "JRiver Media Center (64-bit: '$Jmc64Found', 32-bit: '$Jmc32Found')"
FunctionEnd

!macro RemoveVlcModule BITS
  SetRegView 64
  ReadRegStr $0 HKLM "${RECORD_KEY}" "Vlc${BITS}.Folder"
  Push Vlc${BITS}
  Call un.RemovePlaced
  ${If} $0 != ""
    Push $0
    Call un.RefreshVlcCache
  ${EndIf}
  SetRegView 64
  DeleteRegValue HKLM "${RECORD_KEY}" "Vlc${BITS}.Folder"
!macroend

Section "Uninstall"
  SetRegView 64
  ${Log} "${PRODUCT} uninstall"
  Push Winamp
  Call un.RemovePlaced
  Push JetAudio
  Call un.RemovePlaced
  Push MediaMonkey
  Call un.RemovePlaced
  Push Itunes
  Call un.RemovePlaced
  Push VirtualDj
  Call un.RemovePlaced
  Push Qcd
  Call un.RemovePlaced
  Push RealPlayer
  Call un.RemovePlaced
  Push Xmplay
  Call un.RemovePlaced
  Push Wmp64
  Call un.RemovePlaced
  Push Wmp32
  Call un.RemovePlaced
  Push Jmc64
  Call un.RemovePlaced
  Push Jmc32
  Call un.RemovePlaced
  ; The media center's keys the registration made, once the control's own key is gone.
  StrCpy $KeysSlot Jmc64
  StrCpy $KeysView 64
  Call un.RemoveMediaCenterKeys
  StrCpy $KeysSlot Jmc32
  StrCpy $KeysView 32
  Call un.RemoveMediaCenterKeys
  ; VLC's cache is refreshed once its module is gone.
  !insertmacro RemoveVlcModule 64
  !insertmacro RemoveVlcModule 32
  SetRegView 64
  DeleteRegValue HKLM "${RECORD_KEY}" "Version"
  ; Only our own key, and the maker's only when nothing else of theirs is in it.
  DeleteRegKey /ifempty HKLM "${RECORD_KEY}"
  DeleteRegKey /ifempty HKLM "Software\Novalume"
  DeleteRegKey HKLM "${UNINSTALL_ENTRY}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR\x64"
  RMDir "$INSTDIR\x86"
  RMDir "$INSTDIR"
  ${GetParent} "$INSTDIR" $0
  RMDir $0
SectionEnd

Function un.onInit
  Call un.StartLog
FunctionEnd
