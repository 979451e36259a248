# Sources of radio/: the radio layer, no Qt.
target_sources(dromel_radio PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/CellTyping.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChangedParts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChannelCsv.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChannelRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ColumnHeadings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CsvFormat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DocChange.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DocLifecycle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DromelPgmDoc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FormRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImageDiff.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImageFields.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DromelPgmDocModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OptionLists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TestFreqRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TestModeRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsCheck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StateDiff.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StoredValue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ToneTables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UndoHistory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UndoStepName.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ValueCodecs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ValueNotice.cpp
)
