# Sources of app/: the base layer (no Qt), and the GUI's helpers, setup dialogs, frame and
# application object.
target_sources(dromel_base PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/AtomicFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileResult.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinkTarget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SaveLeftovers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Profile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AppPaths.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AppClock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StopSignals.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LangString.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AsciiText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MulDiv.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CommandLine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileReasonText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextEncoding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DialogTemplate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LanguageFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HelpFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Sha256.cpp
  ${CMAKE_CURRENT_LIST_DIR}/JsonText.cpp
)
target_sources(dromel_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/LangText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AppMessageBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AppFileDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AppPrintDialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AppDocQuestions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AppOpenUrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ComPortDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LanguageDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AboutDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HelpWnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DialogStyle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DialogBuilder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TranslateDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainFrm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DromelPgmApp.cpp
)
target_sources(DromelPgm PRIVATE ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
