# Compiles the Win32 shutdown request with the MinGW-w64 cross compiler.
# Usage: cmake -DSOURCE=<file.cpp> -DOUTPUT=<file.obj> [-DINCLUDES=<dir>|<dir>...] -P mingw_compile.cmake
# INCLUDES are taken as system headers (Qt's own, from this machine, stand in for Windows').
find_program(MINGW_CXX NAMES x86_64-w64-mingw32-g++)
if(NOT MINGW_CXX)
  message("SKIPPED: x86_64-w64-mingw32-g++ is not installed (Debian: g++-mingw-w64-x86-64), "
          "so the Windows shutdown code cannot be compiled here")
  if(CMAKE_VERSION VERSION_GREATER_EQUAL 3.29)
    cmake_language(EXIT 77)
  endif()
  return()
endif()

set(include_flags)
if(INCLUDES)
  string(REPLACE "|" ";" include_dirs "${INCLUDES}")
  foreach(dir IN LISTS include_dirs)
    list(APPEND include_flags -isystem ${dir})
  endforeach()
endif()
execute_process(
  COMMAND ${MINGW_CXX} -std=c++20 -Wall -Wextra -Werror ${include_flags} -c ${SOURCE}
          -o ${OUTPUT}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${MINGW_CXX} failed to compile ${SOURCE}")
endif()
message("Compiled ${SOURCE} with ${MINGW_CXX}")
