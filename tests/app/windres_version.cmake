# Compiles the Windows version resource with mingw-w64's windres and checks what Windows will
# show: file and product version 1.00 in the US-English, Unicode block.
# cmake -DSOURCE=... -DOUTPUT=... -P windres_version.cmake
find_program(windres x86_64-w64-mingw32-windres)
if(NOT windres)
  message("SKIPPED: x86_64-w64-mingw32-windres is not installed")
  return()
endif()
execute_process(COMMAND ${windres} -i ${SOURCE} -o ${OUTPUT} -O coff
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "windres failed:\n${out}")
endif()
file(READ ${OUTPUT} bytes HEX)
# Resource strings are UTF-16LE: each ASCII letter is followed by a zero byte.
function(expect_text text)
  string(HEX "${text}" hex)
  string(REGEX REPLACE "(..)" "\\100" wide "${hex}")
  string(FIND "${bytes}" "${wide}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the compiled resource lacks \"${text}\"")
  endif()
endfunction()
foreach(text "040904B0" "FileVersion" "ProductVersion" "1.00" "CompanyName" "ProductName"
             "OriginalFilename" "quenzar.exe")
  expect_text("${text}")
endforeach()
message("the version resource compiles and carries version 1.00 in block 040904B0")
