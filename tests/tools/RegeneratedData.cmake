# Runs CONVERTER (with PYTHON) on SOURCE into a fresh OUTPUT and fails unless
# OUTPUT and COMMITTED hold the same files with the same bytes.
file(REMOVE_RECURSE ${OUTPUT})
execute_process(COMMAND ${PYTHON} ${CONVERTER} ${SOURCE} ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the converter ended with ${status}")
endif()
file(GLOB made RELATIVE ${OUTPUT} ${OUTPUT}/*)
file(GLOB committed RELATIVE ${COMMITTED} ${COMMITTED}/*)
if(NOT made STREQUAL committed)
  message(FATAL_ERROR "the converter makes ${made}; ${COMMITTED} holds ${committed}")
endif()
foreach(name IN LISTS made)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT}/${name} ${COMMITTED}/${name}
    RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "${COMMITTED}/${name} is not what the converter makes of ${SOURCE} "
      "(${OUTPUT}/${name}); convert again: python3 tools/convert_publicum.py")
  endif()
endforeach()
