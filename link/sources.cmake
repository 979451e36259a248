# Sources of link/: target_sources(dromel_core ...) for core files, target_sources(dromel_gui ...) for Qt files.
target_sources(dromel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/PreciseWait.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PortDevice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PortProbe.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PortSystemName.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinkPort.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommPort.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Protocol.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TransferEngine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinkMessages.cpp
)
target_sources(dromel_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/TransferDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TestModeDlg.cpp
)
