# The main form and its channel grid: Qt.
target_sources(dromel_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/DromelPgmView.h
  ${CMAKE_CURRENT_LIST_DIR}/DromelPgmView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DromelPgmViewGrid.cpp
)
