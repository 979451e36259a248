# Sources of link/: the link layer (no Qt), and the transfer and Test Mode dialogs of the GUI.
target_sources(dromel_link PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/PreciseWait.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PortDevice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PortProbe.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PortSystemName.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinkPort.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommPort.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Protocol.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TransferEngine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinkMessages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BackupStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HistoryLog.cpp
)
target_sources(dromel_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/TransferDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TestModeDlg.cpp
)
