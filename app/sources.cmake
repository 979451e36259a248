target_sources(dromel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Profile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AppPaths.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LangString.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextEncoding.cpp
)
target_sources(DromelPgm PRIVATE ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
