# Compiles the Win32 shutdown request with the MinGW-w64 cross compiler.
# Usage: cmake -DSOURCE=<file.cpp> -DOUTPUT=<file.obj> -P mingw_compile.cmake
find_program(MINGW_CXX NAMES x86_64-w64-mingw32-g++)
if(NOT MINGW_CXX)
  message("SKIPPED: x86_64-w64-mingw32-g++ is not installed (Debian: g++-mingw-w64-x86-64), "
          "so the Windows shutdown code cannot be compiled here")
  if(CMAKE_VERSION VERSION_GREATER_EQUAL 3.29)
    cmake_language(EXIT 77)
  endif()
  return()
endif()

execute_process(
  COMMAND ${MINGW_CXX} -std=c++20 -Wall -Wextra -Werror -c ${SOURCE} -o ${OUTPUT}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${MINGW_CXX} failed to compile ${SOURCE}")
endif()
message("Compiled ${SOURCE} with ${MINGW_CXX}")
