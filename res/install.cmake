# Installation and the Debian package.
#
# The program keeps the layout it has in the build folder: one folder,
# <prefix>/lib/dromelpgm/, holds the executables (and dpmtool's page printer) with setting.ini, the language files
# and the help files beside them, since the program finds its files beside its executable.
# <prefix>/bin/ gets links to the three. Desktop entry, icons, AppStream data, the file type
# of data files, manual pages and shell completion go to their usual places under share/.
include(GNUInstallDirs)

set(DROMEL_APP_ID org.dromelpgm.DromelPgm)
# A program's own folder lives under lib/, not lib/<triplet>/.
set(DROMEL_INSTALL_DIR lib/dromelpgm)
set(DROMEL_DESKTOP_DIR ${CMAKE_SOURCE_DIR}/res/desktop)

install(TARGETS DromelPgm dpmtool dpmtool-print radiosim RUNTIME DESTINATION ${DROMEL_INSTALL_DIR})
# The shipped data comes from the sources: the copies in the build folder may carry local
# changes (scripts/run points COM1 at its simulated radio).
install(FILES ${DROMEL_SHIPPED_DATA} DESTINATION ${DROMEL_INSTALL_DIR})
# The help files are built into the program's folder, one per language file.
install(DIRECTORY ${DROMEL_BIN_DIR}/ DESTINATION ${DROMEL_INSTALL_DIR}
        FILES_MATCHING PATTERN "*.qch" PATTERN "help" EXCLUDE)
# The same pages as plain HTML, for a browser (the About box's link), with the shared data.
install(DIRECTORY ${DROMEL_BIN_DIR}/help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/dromelpgm/help)

# Links in bin/, relative so that the tree can be moved or unpacked anywhere. The programs
# follow /proc/self/exe through the link to their own folder.
foreach(program DromelPgm dpmtool radiosim)
  install(CODE "
    set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\")
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(RELATIVE_PATH target \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\"
         \"\${CMAKE_INSTALL_PREFIX}/${DROMEL_INSTALL_DIR}/${program}\")
    message(STATUS \"Installing: \${link} -> \${target}\")
    file(CREATE_LINK \"\${target}\" \"\${link}\" SYMBOLIC)")
endforeach()

# Desktop integration.
install(FILES ${DROMEL_DESKTOP_DIR}/${DROMEL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${DROMEL_DESKTOP_DIR}/${DROMEL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${DROMEL_DESKTOP_DIR}/${DROMEL_APP_ID}.mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${DROMEL_APP_ID}.xml)
install(FILES ${DROMEL_DESKTOP_DIR}/${DROMEL_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The PNG icons are rendered from the SVG.
find_program(DROMEL_RSVG_CONVERT rsvg-convert REQUIRED)
set(DROMEL_ICON_OUTPUTS "")
foreach(size 16 32 48 64 128 256)
  set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/${DROMEL_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
                     COMMAND ${DROMEL_RSVG_CONVERT} -w ${size} -h ${size}
                             -o ${png} ${DROMEL_DESKTOP_DIR}/${DROMEL_APP_ID}.svg
                     DEPENDS ${DROMEL_DESKTOP_DIR}/${DROMEL_APP_ID}.svg
                     COMMENT "Rendering the ${size}x${size} icon")
  list(APPEND DROMEL_ICON_OUTPUTS ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(icons ALL DEPENDS ${DROMEL_ICON_OUTPUTS})

# Manual pages, compressed as Debian keeps them.
set(DROMEL_MAN_OUTPUTS "")
foreach(page tools/dpmtool/dpmtool.1 tools/radiosim/radiosim.1)
  get_filename_component(name ${page} NAME)
  set(gz ${CMAKE_BINARY_DIR}/man/${name}.gz)
  add_custom_command(OUTPUT ${gz}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
                     COMMAND gzip -9 -n -c ${CMAKE_SOURCE_DIR}/${page} > ${gz}
                     DEPENDS ${CMAKE_SOURCE_DIR}/${page}
                     COMMENT "Compressing the manual page ${name}")
  list(APPEND DROMEL_MAN_OUTPUTS ${gz})
endforeach()
add_custom_target(manpages ALL DEPENDS ${DROMEL_MAN_OUTPUTS})
install(FILES ${DROMEL_MAN_OUTPUTS} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(FILES ${CMAKE_SOURCE_DIR}/tools/dpmtool/dpmtool.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME dpmtool)

# The Debian package: scripts/package builds it with cpack.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dromelpgm)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming tool for 16-channel handheld radios")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "DromelPgm developers <dromelpgm@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The first line of the description is the summary above.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "DromelPgm reads the configuration memory of a 16-channel handheld two-way
radio over its USB programming cable, edits the radio-wide options and the
16 channels on one form, saves and loads data files (.dpm), prints, and
writes the result back into the radio. English and Chinese user interface.
.
The package also holds dpmtool, a command-line tool to create, show and edit
data files, exchange channels as CSV and read or write radios, and radiosim,
a simulated radio on a pseudo-terminal for trying the tool without a radio.")
# dpkg-shlibdeps computes the libraries; the fonts are what the dialogs and the printout
# are laid out for, loaded through fontconfig at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The help window reads its index through the Qt SQL SQLite driver, loaded at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-wqy-microhei, libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${DROMEL_DESKTOP_DIR}/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
