# Shipped data (settings, language files) is copied beside the executables.
file(GLOB DROMEL_SHIPPED_DATA CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_LIST_DIR}/*.ini ${CMAKE_CURRENT_LIST_DIR}/*.lng)
set(DROMEL_SHIPPED_OUTPUTS "")
foreach(src IN LISTS DROMEL_SHIPPED_DATA)
  get_filename_component(name ${src} NAME)
  add_custom_command(OUTPUT ${DROMEL_BIN_DIR}/${name}
                     COMMAND ${CMAKE_COMMAND} -E copy_if_different ${src} ${DROMEL_BIN_DIR}/${name}
                     DEPENDS ${src})
  list(APPEND DROMEL_SHIPPED_OUTPUTS ${DROMEL_BIN_DIR}/${name})
endforeach()
add_custom_target(shipped_data ALL DEPENDS ${DROMEL_SHIPPED_OUTPUTS})
add_dependencies(DromelPgm shipped_data)
# Dialog templates and artwork, compiled into the program.
target_sources(dromel_gui PRIVATE ${CMAKE_CURRENT_LIST_DIR}/resources.qrc)

# Help: one set of pages per shipped language under help/<language file title>/, with the
# style sheet all languages share in help/, compiled with qhelpgenerator into
# <language file title>.qch beside the program. The same pages, with the style sheet, are
# copied to help/<language file title>/ beside the program for a browser, and the help
# project is compiled from there. Every folder of help/ that holds its <title>.qhp is a
# language's help: adding a language takes files only.
file(GLOB DROMEL_HELP_PROJECTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/help/*/*.qhp)
set(DROMEL_HELP_LANGUAGES "")
foreach(project IN LISTS DROMEL_HELP_PROJECTS)
  get_filename_component(lang ${project} NAME_WE)
  get_filename_component(folder ${project} DIRECTORY)
  get_filename_component(folder ${folder} NAME)
  if(lang STREQUAL folder)
    list(APPEND DROMEL_HELP_LANGUAGES ${lang})
  endif()
endforeach()
set(DROMEL_HELP_OUTPUTS "")
foreach(lang IN LISTS DROMEL_HELP_LANGUAGES)
  set(dir ${CMAKE_CURRENT_LIST_DIR}/help/${lang})
  set(pages_dir ${DROMEL_BIN_DIR}/help/${lang})
  file(GLOB pages CONFIGURE_DEPENDS ${dir}/*.html)
  set(copies "")
  foreach(page IN LISTS pages ITEMS ${CMAKE_CURRENT_LIST_DIR}/help/style.css)
    get_filename_component(name ${page} NAME)
    add_custom_command(OUTPUT ${pages_dir}/${name}
                       COMMAND ${CMAKE_COMMAND} -E copy_if_different ${page} ${pages_dir}/${name}
                       DEPENDS ${page})
    list(APPEND copies ${pages_dir}/${name})
  endforeach()
  add_custom_command(OUTPUT ${DROMEL_BIN_DIR}/${lang}.qch
                     COMMAND ${CMAKE_COMMAND} -E copy_if_different ${dir}/${lang}.qhp ${pages_dir}/${lang}.qhp
                     COMMAND Qt6::qhelpgenerator ${pages_dir}/${lang}.qhp -o ${DROMEL_BIN_DIR}/${lang}.qch
                     COMMAND ${CMAKE_COMMAND} -E rm -f ${pages_dir}/${lang}.qhp
                     DEPENDS ${dir}/${lang}.qhp ${copies}
                     COMMENT "Compiling the help ${lang}.qch")
  list(APPEND DROMEL_HELP_OUTPUTS ${DROMEL_BIN_DIR}/${lang}.qch ${copies})
endforeach()
add_custom_target(help_files ALL DEPENDS ${DROMEL_HELP_OUTPUTS})
add_dependencies(DromelPgm help_files)
