# The main form with its channel grid and printed page, and the Test Frequency dialog: Qt.
target_sources(dromel_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/DromelPgmView.h
  ${CMAKE_CURRENT_LIST_DIR}/DromelPgmView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DromelPgmViewEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DromelPgmViewGrid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DromelPgmViewPrint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FormTips.h
  ${CMAKE_CURRENT_LIST_DIR}/FormTips.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PrintPage.h
  ${CMAKE_CURRENT_LIST_DIR}/PrintPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TestFreqDlg.h
  ${CMAKE_CURRENT_LIST_DIR}/TestFreqDlg.cpp
)
