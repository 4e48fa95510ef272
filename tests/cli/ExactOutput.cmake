# Runs PROGRAM (under EMULATOR, if given) with ARGS in WORKING_DIRECTORY and
# compares its standard output byte for byte with EXPECTED ("\n" written as
# \\n) or with the file EXPECTED_FILE. ctest's output matching and
# execute_process's OUTPUT_VARIABLE both drop carriage returns, so the output
# goes through a file, read as hex.
get_filename_component(PROGRAM_NAME "${PROGRAM}" NAME_WE)
string(MD5 run "${WORKING_DIRECTORY} ${ARGS}") # tests may run in parallel
set(file "${OUTPUT_DIRECTORY}/${PROGRAM_NAME}-exact-output-${run}.bin")
execute_process(COMMAND ${EMULATOR} ${PROGRAM} ${ARGS}
  WORKING_DIRECTORY ${WORKING_DIRECTORY}
  OUTPUT_FILE ${file}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} ended with ${status}")
endif()
file(READ ${file} got HEX)
if(EXPECTED_FILE)
  file(READ ${EXPECTED_FILE} wanted HEX)
else()
  string(REPLACE "\\n" "\n" expected "${EXPECTED}")
  string(HEX "${expected}" wanted)
endif()
if(NOT got STREQUAL wanted)
  message(FATAL_ERROR "output differs (${file}):\n  got    ${got}\n  wanted ${wanted}")
endif()
