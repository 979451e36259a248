# The include table: which layer each source file belongs to, and what each layer may
# include. Every build runs this (the include_table target); a file that breaks the table
# fails the build with its name, the line and what its layer may include.
# HACKING.md shows the same table.
#
# Alone, from the repository:   cmake -P scripts/include-table.cmake
# Options: -DROOT=<repository> (default: this script's folder's parent), -DSTAMP=<file>
# (touched when every file keeps the table).
cmake_minimum_required(VERSION 3.25)

# The layer of a file: the first pattern that matches its path from the repository root.
set(layer_of_path
  "^app/(AtomicFile|FileResult|LinkTarget|SaveLeftovers|Profile|AppPaths|AppClock|StopSignals|Settings|LangString|AsciiText|MulDiv|ExitStatus|CommandLine|FileReasonText|TextEncoding|DialogTemplate|LanguageFiles|HelpFiles|CommandTable|CommandIds|Sha256|JsonText)\\.(h|cpp)$" base
  "^app/(LangText|DialogBuilder|DialogStyle|TranslateDialog|AppMessageBox|AppPrintDialogs|AppFileDialog|AppOpenUrl)\\.(h|cpp)$" helpers
  "^app/" frame
  "^radio/" radio
  "^link/[A-Za-z]+Dlg\\.(h|cpp)$" views
  "^link/" link
  "^grid/" grid
  "^views/" views
  "^tools/dpmtool/PrintPdf\\.cpp$" dpmprint
  "^tools/dpmtool/" dpmtool
  "^tools/radiosim/" radiosim
)
# What each layer is called in messages, and what it may include besides itself (Qt: Qt's
# headers). A layer may include only layers whose own lists it contains, so that a file
# that keeps the table includes, through any header, only what its layer may.
set(base_name "app/ core files")
set(base_may "")
set(radio_name "radio/")
set(radio_may base)
set(link_name "link/ core files")
set(link_may base radio)
set(grid_name "grid/")
set(grid_may base radio Qt)
set(helpers_name "app/ Qt helpers")
set(helpers_may base Qt)
set(views_name "views/ and link/*Dlg")
set(views_may base radio link grid helpers Qt)
set(frame_name "app/ Qt files")
set(frame_may base radio link grid helpers views Qt)
set(dpmtool_name "tools/dpmtool/")
set(dpmtool_may base radio link)
set(dpmprint_name "tools/dpmtool/PrintPdf.cpp")
set(dpmprint_may base radio link grid helpers views dpmtool Qt)
set(radiosim_name "tools/radiosim/")
set(radiosim_may base radio link)
set(Qt_name "Qt")

if(NOT ROOT)
  get_filename_component(ROOT ${CMAKE_CURRENT_LIST_DIR} DIRECTORY)
endif()

function(layer_of path out)
  set(rest ${layer_of_path})
  while(rest)
    list(POP_FRONT rest pattern layer)
    if(path MATCHES "${pattern}")
      set(${out} ${layer} PARENT_SCOPE)
      return()
    endif()
  endwhile()
  set(${out} "" PARENT_SCOPE)
endfunction()

function(names_of layers out)
  set(names "")
  foreach(layer IN LISTS layers)
    list(APPEND names "${${layer}_name}")
  endforeach()
  list(JOIN names ", " text)
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(faults "")

# The table itself: what a layer may include may include only what the layer may.
set(layers "")
list(LENGTH layer_of_path count)
math(EXPR last "${count} - 1")
foreach(i RANGE 1 ${last} 2)
  list(GET layer_of_path ${i} layer)
  list(APPEND layers ${layer})
endforeach()
list(REMOVE_DUPLICATES layers)
foreach(layer IN LISTS layers)
  foreach(below IN LISTS ${layer}_may)
    foreach(further IN LISTS ${below}_may)
      if(NOT further STREQUAL layer AND NOT further IN_LIST ${layer}_may)
        list(APPEND faults "the table: ${${layer}_name} may include ${${below}_name}, which may \
include ${${further}_name}, but ${${layer}_name} may not")
      endif()
    endforeach()
  endforeach()
endforeach()

file(GLOB_RECURSE sources RELATIVE ${ROOT}
     ${ROOT}/app/*.h ${ROOT}/app/*.cpp ${ROOT}/radio/*.h ${ROOT}/radio/*.cpp
     ${ROOT}/link/*.h ${ROOT}/link/*.cpp ${ROOT}/grid/*.h ${ROOT}/grid/*.cpp
     ${ROOT}/views/*.h ${ROOT}/views/*.cpp ${ROOT}/tools/*.h ${ROOT}/tools/*.cpp)
list(SORT sources)
foreach(file IN LISTS sources)
  layer_of(${file} layer)
  if(NOT layer)
    list(APPEND faults "${file} is in no layer of the include table")
    continue()
  endif()
  set(own ${layer} ${${layer}_may})
  names_of("${own}" allowed)
  get_filename_component(folder ${file} DIRECTORY)
  file(STRINGS ${ROOT}/${file} lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS lines)
    if(NOT line MATCHES "([<\"])([^>\"]+)[>\"]")
      continue()
    endif()
    set(quoted ${CMAKE_MATCH_1})
    set(name ${CMAKE_MATCH_2})
    if(name MATCHES "^(Q[A-Za-z]*|Qt[A-Za-z]*/.*)$")
      set(target "<${name}>")
      set(target_layer Qt)
    elseif(quoted STREQUAL "\"" AND EXISTS ${ROOT}/${folder}/${name})
      file(RELATIVE_PATH target ${ROOT} ${ROOT}/${folder}/${name})
      layer_of(${target} target_layer)
    elseif(EXISTS ${ROOT}/${name})
      set(target ${name})
      layer_of(${target} target_layer)
    else()
      continue() # the system's headers
    endif()
    if(target_layer AND NOT target_layer STREQUAL layer AND NOT target_layer IN_LIST ${layer}_may)
      list(APPEND faults "${file} includes ${target}: ${${layer}_name} may include only ${allowed}")
    endif()
  endforeach()
endforeach()

if(faults)
  foreach(fault IN LISTS faults)
    message(NOTICE "${fault}")
  endforeach()
  message(FATAL_ERROR "The include table is broken (HACKING.md shows it).")
endif()
list(LENGTH sources count)
if(STAMP)
  file(TOUCH ${STAMP})
else()
  message(STATUS "${count} files keep the include table")
endif()
