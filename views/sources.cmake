# The main form with its channel grid, and the Test Frequency dialog: Qt.
target_sources(dromel_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/DromelPgmView.h
  ${CMAKE_CURRENT_LIST_DIR}/DromelPgmView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DromelPgmViewGrid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TestFreqDlg.h
  ${CMAKE_CURRENT_LIST_DIR}/TestFreqDlg.cpp
)
