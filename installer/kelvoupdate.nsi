; The Windows installer of kelvoupdate and the diagnostic tools, built by
; makensis from the windows preset's programs (see installer/CMakeLists.txt,
; which passes PROGRAMS_DIR, VERSION and OUT_FILE). /S installs silently;
; /D=FOLDER, last on the command line, picks another folder.
Unicode true
SetCompressor zlib
RequestExecutionLevel admin

!define PRODUCT "KelvoUpdate"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUT_FILE}"
InstallDir "$PROGRAMFILES\${PRODUCT}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "${PRODUCT}"
  SetOutPath "$INSTDIR"
  File "${PROGRAMS_DIR}/kelvoupdate.exe"
  File "${PROGRAMS_DIR}/kelvo-ftp.exe"
  File "${PROGRAMS_DIR}/kelvo-listing.exe"
  File "${PROGRAMS_DIR}/kelvo-scramble.exe"
  File "${PROGRAMS_DIR}/kelvo-script.exe"
  File "${PROGRAMS_DIR}/kelvo-statements.exe"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\kelvoupdate.exe"
  Delete "$INSTDIR\kelvo-ftp.exe"
  Delete "$INSTDIR\kelvo-listing.exe"
  Delete "$INSTDIR\kelvo-scramble.exe"
  Delete "$INSTDIR\kelvo-script.exe"
  Delete "$INSTDIR\kelvo-statements.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
