# Builds the composition fuzz target with clang's libFuzzer and runs it for a bounded number of
# inputs. cmake -DSOURCE_DIR=... -DWORK_DIR=... -DQT_INCLUDES=a|b -DQT_CORE=lib -DRUNS=n -P ...
find_program(clang NAMES clang++ clang++-14)
if(NOT clang)
  message("SKIPPED: clang++ is not installed")
  return()
endif()
string(REPLACE "|" ";" includes "${QT_INCLUDES}")
set(flags -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined
          -fno-sanitize-recover=undefined -I${SOURCE_DIR}/src)
foreach(dir ${includes})
  list(APPEND flags -isystem ${dir})
endforeach()
file(MAKE_DIRECTORY ${WORK_DIR}/corpus)
execute_process(COMMAND ${clang} ${flags}
    ${SOURCE_DIR}/tests/fuzz/fuzz_composition.cpp
    ${SOURCE_DIR}/src/tweak/composition/composition.cpp
    ${QT_CORE} -o ${WORK_DIR}/fuzz_composition
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT result EQUAL 0)
  if(out MATCHES "libclang_rt.fuzzer|cannot find -l|fuzzer.*not found")
    message("SKIPPED: clang's libFuzzer runtime is not installed (libclang-rt-14-dev)\n${out}")
    return()
  endif()
  message(FATAL_ERROR "the fuzz target did not build:\n${out}")
endif()
execute_process(COMMAND ${WORK_DIR}/fuzz_composition -runs=${RUNS} -seed=1 -max_len=512
    -print_final_stats=1 ${WORK_DIR}/corpus
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the fuzz target found a failing input (see above)")
endif()
