; Installer of the Windows program, built by the CMake target qz_installer, which passes:
;   VERSION  the program's four-part version
;   OUTFILE  the installer to write
;   ICON     the program's .ico
;   FILES    a generated script that installs the program's files (macro InstallFiles) and
;            removes exactly those (macro RemoveFiles)
;   COMPRESSOR  lzma (the default) or zlib
;
; Command line: /S silent; /CurrentUser (the default) or /AllUsers. The uninstaller asks
; whether to keep the settings (silently: keeps them) unless /RemoveSettings is given.

; A 64-bit installer for the 64-bit program: its folder and registry entries need no
; redirection.
Target amd64-unicode
; zlib builds many times faster than lzma, for test builds; releases take lzma, the smaller.
!ifndef COMPRESSOR
    !define COMPRESSOR lzma
!endif
SetCompressor /SOLID ${COMPRESSOR}

!define PRODUCT "QZ Duvodoro Ruruzovad"
!define PUBLISHER "QZ Software"
!define EXE "qzscheduler.exe"
!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QZScheduler"
!define SETTINGS_KEY "Software\QZ Software\QZScheduler"
!define SETTINGS_PARENT_KEY "Software\QZ Software"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "ZE Zivuzoziz"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"

; Per user without elevation by default; per machine when chosen and allowed.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
; Where the uninstaller and a later installer find the mode and folder of this one.
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh
!include "${FILES}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
; The users page's texts, which the Turkish language file lacks.
!define MULTIUSER_TEXT_INSTALLMODE_TITLE "Kullanıcıları Seçin"
!define MULTIUSER_TEXT_INSTALLMODE_SUBTITLE "$(^NameDA) uygulamasının kimler için kurulacağını seçin."
!define MULTIUSER_INNERTEXT_INSTALLMODE_TOP "$(^NameDA) uygulamasını yalnızca kendiniz için mi, bu bilgisayarın tüm kullanıcıları için mi kurmak istediğinizi seçin. $(^ClickNext)"
!define MULTIUSER_INNERTEXT_INSTALLMODE_ALLUSERS "Bu bilgisayarı kullanan herkes için kur"
!define MULTIUSER_INNERTEXT_INSTALLMODE_CURRENTUSER "Yalnızca benim için kur"
!insertmacro MUI_LANGUAGE "Turkish"

LangString KeepSettings ${LANG_ENGLISH} "Keep your settings (switches, language, last action and everyday task) for a later installation?"
LangString KeepSettings ${LANG_TURKISH} "Ayarlarınız (anahtarlar, dil, son işlem ve her gün görevi) sonraki bir kurulum için saklansın mı?"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${PUBLISHER}"

Function .onInit
    !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Install"
    SetOutPath "$INSTDIR"
    !insertmacro InstallFiles
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0

    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallMode" "$MultiUser.InstallMode"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" \
        '"$INSTDIR\${UNINSTALLER}" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
        '"$INSTDIR\${UNINSTALLER}" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
    !insertmacro RemoveFiles
    Delete "$INSTDIR\${UNINSTALLER}"
    ; Only when empty: the user may have put other files into the folder.
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"

    ; A program that is gone must not be started at logon.
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"

    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/RemoveSettings" $1
    ${If} ${Errors}
        MessageBox MB_YESNO|MB_ICONQUESTION "$(KeepSettings)" /SD IDYES IDYES keep
    ${EndIf}
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "${SETTINGS_PARENT_KEY}"
keep:
SectionEnd
