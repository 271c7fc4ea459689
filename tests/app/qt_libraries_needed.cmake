# The command line starts with Qt Core alone: the program's ELF file needs libQt6Core and no
# other Qt library, while the windows' module, which brings Qt Gui and Widgets, does need them
# (which also shows that the entries are read at all).
# cmake -DPROGRAM=... -DMODULE=... -P qt_libraries_needed.cmake
cmake_minimum_required(VERSION 3.25)
find_program(READELF NAMES readelf)
if(NOT READELF)
  message("SKIPPED: readelf is not installed")
  return()
endif()

# The Qt libraries among the DT_NEEDED entries of `file`, in `variable`.
function(qt_libraries_needed file variable)
  execute_process(COMMAND ${READELF} --dynamic --wide ${file}
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "readelf cannot read ${file}:\n${err}")
  endif()
  string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*\\[libQt[^]\n]*\\]" entries "${out}")
  set(names)
  foreach(entry IN LISTS entries)
    string(REGEX REPLACE ".*\\[(libQt[^]]*)\\]" "\\1" name "${entry}")
    list(APPEND names ${name})
  endforeach()
  list(SORT names)
  set(${variable} "${names}" PARENT_SCOPE)
endfunction()

qt_libraries_needed(${PROGRAM} program)
if(NOT program STREQUAL "libQt6Core.so.6")
  message(FATAL_ERROR "${PROGRAM} should need Qt Core alone, but needs: ${program}")
endif()
qt_libraries_needed(${MODULE} module)
foreach(library libQt6Core.so.6 libQt6Gui.so.6 libQt6Widgets.so.6)
  if(NOT library IN_LIST module)
    message(FATAL_ERROR "${MODULE} should need ${library}, but needs: ${module}")
  endif()
endforeach()
message("the program needs ${program}; the windows' module needs ${module}")
