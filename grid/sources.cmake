# The grid control, its cell editors and the binding of a grid to a dialog's control: Qt.
target_sources(dromel_grid PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/GridCell.h
  ${CMAKE_CURRENT_LIST_DIR}/CellRange.h
  ${CMAKE_CURRENT_LIST_DIR}/DrawTextFormat.h
  ${CMAKE_CURRENT_LIST_DIR}/DrawTextFormat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridNotify.h
  ${CMAKE_CURRENT_LIST_DIR}/GridNotify.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrl.h
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrlPaint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrlInput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCtrlTyping.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CellEditorLink.h
  ${CMAKE_CURRENT_LIST_DIR}/CellEditorLink.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CellEdit.h
  ${CMAKE_CURRENT_LIST_DIR}/CellEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CellCombo.h
  ${CMAKE_CURRENT_LIST_DIR}/CellCombo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CellList.h
  ${CMAKE_CURRENT_LIST_DIR}/CellList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DDXGrid.h
  ${CMAKE_CURRENT_LIST_DIR}/DDXGrid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridEditing.h
  ${CMAKE_CURRENT_LIST_DIR}/GridEditing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridLayout.h
  ${CMAKE_CURRENT_LIST_DIR}/GridLayout.cpp
)
