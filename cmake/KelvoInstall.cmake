# Installing on POSIX: `cmake --install` and the Debian package (`cpack -G
# DEB`). Programs go to bin; the archiver stand-in to
# libexec/kelvoupdate/winrar, the "program files" folder that the registry
# stand-in names; the README, the pages under docs and the example site files
# to the documentation folder. Windows has its own installer (installer/).
include(GNUInstallDirs)
# The package's name, not the project's, as Debian names documentation folders.
set(CMAKE_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/kelvoupdate)

set(KELVO_INSTALLED_TOOLS kelvo-ftp kelvo-listing kelvo-scramble kelvo-script kelvo-statements)
install(TARGETS kelvoupdate ${KELVO_INSTALLED_TOOLS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET atualiza_quarvessa)
  install(TARGETS atualiza_quarvessa RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# The preparation looks for "winrar.exe" and the archive step starts
# "WinRAR.exe": on POSIX these are two names, one program.
set(KELVO_ARCHIVER_DIR ${CMAKE_INSTALL_LIBEXECDIR}/kelvoupdate/winrar)
install(PROGRAMS $<TARGET_FILE:kelvo-archiver> DESTINATION ${KELVO_ARCHIVER_DIR}
        RENAME winrar.exe)
install(CODE "file(CREATE_LINK winrar.exe
  \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${KELVO_ARCHIVER_DIR}/WinRAR.exe\" SYMBOLIC)")

install(FILES README.md docs/architecture.md docs/deployment.md docs/scripts.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY docs/screens DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES docs/examples/kelvoupdate.ini docs/examples/aliases.ini
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
# The example registry stand-in names the archiver's folder below the prefix
# the files are installed to, which is known only when they are.
install(CODE "
  set(KELVO_PROGRAM_FILES \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBEXECDIR}/kelvoupdate\")
  configure_file(\"${CMAKE_CURRENT_LIST_DIR}/registry.reg.in\"
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DOCDIR}/examples/registry.reg\" @ONLY)")

set(CPACK_PACKAGE_NAME kelvoupdate)
set(CPACK_PACKAGE_VERSION ${KELVOUPDATE_VERSION})
set(CPACK_PACKAGE_CONTACT "KelvoUpdate maintainers <kelvoupdate@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Updates a shop's programs and databases from the maker's servers")
# The install-time prefix above must be the package's own, not a staging
# folder: the files are installed below DESTDIR with the prefix /usr.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# Libraries the programs link (MariaDB Connector/C, libarchive, Qt) are found
# by dpkg-shlibdeps; the Firebird client is loaded at run time, so it is named
# here, and Qt's platform plugins for the screens on a display.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libfbclient2 (>= 3.0)")
if(TARGET atualiza_quarvessa)
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", qt6-qpa-plugins")
endif()
# A client database opened by its path, without a server, needs the engine.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "firebird3.0-server-core")
include(CPack)
