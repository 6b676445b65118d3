; The 64-bit Windows installer of Tessera Puzzle, made by scripts/dist.sh:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.2.3 -DARCHIVOS=files.nsh
;            -DICONO=programa.ico -DSALIDA=setup.exe [-DCOMPRESOR=zlib] Tessera.nsi
; ARCHIVOS defines two macros from the laid-out folder's list of shipped
; files: InstalarArchivos (SetOutPath and File lines) and QuitarArchivos
; (Delete lines, then RMDir from the deepest folder up), so the uninstaller
; removes exactly what was installed.
Unicode true
Target amd64-unicode
; -DCOMPRESOR=zlib packs several times faster, and larger (for the tests).
!ifndef COMPRESOR
  !define COMPRESOR "/SOLID lzma"
!endif
SetCompressor ${COMPRESOR}
RequestExecutionLevel admin
ManifestDPIAware true

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include nsDialogs.nsh
!include "${ARCHIVOS}"

; Who makes the game, as the programs' version blocks say it.
!searchparse /file "${__FILEDIR__}/../resources/producto.h" '#define TESSERA_PRODUCTO "' PRODUCTO '"'
!searchparse /file "${__FILEDIR__}/../resources/producto.h" '#define TESSERA_EDITOR "' EDITOR '"'
!searchparse /file "${__FILEDIR__}/../resources/producto.h" '#define TESSERA_COPYRIGHT "' COPYRIGHT '"'
!define CLAVE "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessera"
!define ACCESO "$SMPROGRAMS\${PRODUCTO}.lnk"

Name "${PRODUCTO}"
OutFile "${SALIDA}"
InstallDir "$PROGRAMFILES64\Tessera"
InstallDirRegKey HKLM "${CLAVE}" "InstallLocation"
BrandingText "${PRODUCTO} ${VERSION}"

!define MUI_ICON "${ICONO}"
!define MUI_UNICON "${ICONO}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
UninstPage custom un.PaginaDatos un.PaginaDatosFin
!insertmacro MUI_UNPAGE_INSTFILES

; The game's six languages, chosen by the Windows language; English for any
; other. Its Portuguese is Brazilian.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Spanish"
!insertmacro MUI_LANGUAGE "PortugueseBR"
!insertmacro MUI_LANGUAGE "Italian"
!insertmacro MUI_LANGUAGE "French"
!insertmacro MUI_LANGUAGE "German"

LangString DatosJugador ${LANG_ENGLISH} "Also remove my saved games, scores, settings and own pictures"
LangString DatosJugador ${LANG_SPANISH} "Borrar también mis partidas guardadas, puntuaciones, ajustes e imágenes propias"
LangString DatosJugador ${LANG_PORTUGUESEBR} "Apagar também meus jogos salvos, pontuações, configurações e imagens próprias"
LangString DatosJugador ${LANG_ITALIAN} "Rimuovi anche le mie partite salvate, i punteggi, le impostazioni e le immagini personali"
LangString DatosJugador ${LANG_FRENCH} "Supprimer aussi mes parties enregistrées, scores, réglages et images personnelles"
LangString DatosJugador ${LANG_GERMAN} "Auch meine gespeicherten Spiele, Punktestände, Einstellungen und eigenen Bilder entfernen"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCTO}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCTO} ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${EDITOR}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${COPYRIGHT}"

Section "${PRODUCTO}"
  SectionIn RO
  SetShellVarContext all
  ; An earlier copy in this folder goes first, with what it shipped and this
  ; copy no longer does; silently, so the player's files stay.
  ReadRegStr $0 HKLM "${CLAVE}" "InstallLocation"
  ${If} $0 == $INSTDIR
  ${AndIf} ${FileExists} "$INSTDIR\Uninstall.exe"
    ExecWait '"$INSTDIR\Uninstall.exe" /S _?=$INSTDIR'
    Delete "$INSTDIR\Uninstall.exe"
  ${EndIf}
  !insertmacro InstalarArchivos
  ; The game's rule: with this file beside it, the player's files live in
  ; %APPDATA%\Tessera, as Program Files is not the player's to write.
  FileOpen $0 "$INSTDIR\Tessera.installed" w
  FileWrite $0 "${PRODUCTO} ${VERSION}$\r$\n"
  FileClose $0
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "${ACCESO}" "$INSTDIR\Tessera.exe"

  WriteRegStr HKLM "${CLAVE}" "DisplayName" "${PRODUCTO}"
  WriteRegStr HKLM "${CLAVE}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${CLAVE}" "Publisher" "${EDITOR}"
  WriteRegStr HKLM "${CLAVE}" "DisplayIcon" "$INSTDIR\Tessera.exe,0"
  WriteRegStr HKLM "${CLAVE}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${CLAVE}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${CLAVE}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${CLAVE}" "NoModify" 1
  WriteRegDWORD HKLM "${CLAVE}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${CLAVE}" "EstimatedSize" $0
SectionEnd

; The uninstaller's page with the box that also removes the player's
; files; unticked at first, and never shown by a silent uninstall, which
; keeps them.
Var Casilla
Var BorrarDatos
Function un.PaginaDatos
  !insertmacro MUI_HEADER_TEXT "$(MUI_UNTEXT_CONFIRM_TITLE)" "$(MUI_UNTEXT_CONFIRM_SUBTITLE)"
  nsDialogs::Create 1018
  Pop $0
  SetShellVarContext current
  ${NSD_CreateCheckbox} 0 0 100% 20u "$(DatosJugador)"
  Pop $Casilla
  ${NSD_CreateLabel} 12u 22u -12u 12u "$APPDATA\Tessera"
  Pop $0
  nsDialogs::Show
FunctionEnd
Function un.PaginaDatosFin
  ${NSD_GetState} $Casilla $BorrarDatos
FunctionEnd

Section "un.${PRODUCTO}"
  SetShellVarContext all
  Delete "${ACCESO}"
  DeleteRegKey HKLM "${CLAVE}"
  Delete "$INSTDIR\Tessera.installed"
  Delete "$INSTDIR\Uninstall.exe"
  !insertmacro QuitarArchivos
  RMDir "$INSTDIR"
  ${If} $BorrarDatos == ${BST_CHECKED}
    SetShellVarContext current
    RMDir /r "$APPDATA\Tessera"
  ${EndIf}
SectionEnd
