# The main form, its channel grid and its printed page: Qt.
target_sources(dromel_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/DromelPgmView.h
  ${CMAKE_CURRENT_LIST_DIR}/DromelPgmView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DromelPgmViewGrid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DromelPgmViewPrint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PrintPage.h
  ${CMAKE_CURRENT_LIST_DIR}/PrintPage.cpp
)
