# Installation and the Debian package.
#
# The program keeps the layout it has in the build folder: one folder,
# <prefix>/lib/dromelpgm/, holds the executables (and dpmtool's page printer) with setting.ini, the language files
# and the help files beside them, since the program finds its files beside its executable.
# <prefix>/bin/ gets links to the three. The settings file is the site's: it is installed as
# <sysconfdir>/dromelpgm/setting.ini (/etc/dromelpgm/ for the prefix /usr, where the package
# keeps it as a conffile) and the program finds it through a link beside itself. Desktop entry, icons, AppStream data, the file type
# of data files, manual pages and shell completion go to their usual places under share/.
include(GNUInstallDirs)

set(DROMEL_APP_ID org.dromelpgm.DromelPgm)
# A program's own folder lives under lib/, not lib/<triplet>/.
set(DROMEL_INSTALL_DIR lib/dromelpgm)
set(DROMEL_DESKTOP_DIR ${CMAKE_SOURCE_DIR}/res/desktop)

install(TARGETS DromelPgm dpmtool dpmtool-print radiosim RUNTIME DESTINATION ${DROMEL_INSTALL_DIR})
# The shipped data comes from the sources: the copies in the build folder may carry local
# changes (scripts/run points COM1 at its simulated radio).
set(DROMEL_SHIPPED_SETTINGS ${DROMEL_SHIPPED_DATA})
list(FILTER DROMEL_SHIPPED_SETTINGS INCLUDE REGEX "\\.ini$")
set(DROMEL_SHIPPED_LANGUAGES ${DROMEL_SHIPPED_DATA})
list(FILTER DROMEL_SHIPPED_LANGUAGES EXCLUDE REGEX "\\.ini$")
install(FILES ${DROMEL_SHIPPED_LANGUAGES} DESTINATION ${DROMEL_INSTALL_DIR})
install(FILES ${DROMEL_SHIPPED_SETTINGS} DESTINATION ${CMAKE_INSTALL_FULL_SYSCONFDIR}/dromelpgm)
# Relative, so that an unpacked or moved tree finds its own; the package's link is made
# absolute by dh_link, as links between top-level folders are there.
install(CODE "
  set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${DROMEL_INSTALL_DIR}/setting.ini\")
  file(RELATIVE_PATH target \"\${CMAKE_INSTALL_PREFIX}/${DROMEL_INSTALL_DIR}\"
       \"${CMAKE_INSTALL_FULL_SYSCONFDIR}/dromelpgm/setting.ini\")
  message(STATUS \"Installing: \${link} -> \${target}\")
  file(CREATE_LINK \"\${target}\" \"\${link}\" SYMBOLIC)")
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
foreach(page app/DromelPgm.1 tools/dpmtool/dpmtool.1 tools/radiosim/radiosim.1)
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

# The Debian package is built from debian/ by scripts/package (dpkg-buildpackage).
install(FILES ${CMAKE_SOURCE_DIR}/res/udev/70-dromelpgm-cable.rules
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/dromelpgm/examples)
