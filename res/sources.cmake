# Shipped data (settings, language files, help) is copied beside the executables.
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
