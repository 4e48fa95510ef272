# Runs PROGRAM check (under EMULATOR, if given) in WORK on the data set BASE
# with the files of CASE in its place, and compares the report with CASE's
# expected.txt. The parser's own words for a fault differ between libxml2
# versions; only where it found the fault counts.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
foreach(name remedy.xml list.xml garepertory.xml)
  if(EXISTS ${CASE}/${name})
    file(COPY_FILE ${CASE}/${name} ${WORK}/${name})
  else()
    file(COPY_FILE ${BASE}/${name} ${WORK}/${name})
  endif()
endforeach()
execute_process(COMMAND ${EMULATOR} ${PROGRAM} check
  WORKING_DIRECTORY ${WORK}
  OUTPUT_VARIABLE got
  RESULT_VARIABLE status)
file(READ ${CASE}/expected.txt wanted)
set(parserWords "well-formed XML \\([^\n]* (at line [0-9]+, column [0-9]+)\\)")
string(REGEX REPLACE "${parserWords}" "well-formed XML (\\1)" got "${got}")
string(REGEX REPLACE "${parserWords}" "well-formed XML (\\1)" wanted "${wanted}")
if(NOT got STREQUAL wanted)
  message(FATAL_ERROR "the report differs:\n--- got\n${got}--- wanted\n${wanted}")
endif()
# 0 without findings, 1 with, 2 when a file does not load; anything else is a crash.
if(wanted MATCHES "\nNo findings\\.\n$")
  set(expectedStatus "^0$")
else()
  set(expectedStatus "^[12]$")
endif()
if(NOT status MATCHES "${expectedStatus}")
  message(FATAL_ERROR "${PROGRAM} check ended with ${status}")
endif()
