# The folder a Windows user runs as it is (cpack makes a zip of it): the
# program with the Qt DLLs, their plugins and the compiler's runtime beside
# it, orvex-compare, the tips, each repertory folder with a launcher that
# starts the program in it, the licence and a note on how to start.
install(TARGETS orvex RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/data/help.txt DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
              $<TARGET_FILE:Qt6::PrintSupport> DESTINATION .)
# Qt looks for its plugins in these folders beside the program.
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
if(MINGW)
  # The programs carry their own C++ runtime; Qt's DLLs need the shared one.
  foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                    OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${runtime_path}")
      message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${runtime} is")
    endif()
    install(FILES ${runtime_path} DESTINATION .)
  endforeach()
endif()

# Every folder of data/ that holds a repertory goes along as it is, at the
# same place (the tips file excepted, which sits beside the program).
file(GLOB ORVEX_REPERTORIES RELATIVE ${PROJECT_SOURCE_DIR} CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/data/garepertory.xml ${PROJECT_SOURCE_DIR}/data/*/garepertory.xml)
set(ORVEX_DATA_FOLDERS)
foreach(repertory IN LISTS ORVEX_REPERTORIES)
  get_filename_component(folder ${repertory} DIRECTORY)
  list(APPEND ORVEX_DATA_FOLDERS ${folder})
endforeach()
foreach(folder IN LISTS ORVEX_DATA_FOLDERS)
  file(GLOB files LIST_DIRECTORIES false CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*)
  list(REMOVE_ITEM files ${PROJECT_SOURCE_DIR}/data/help.txt)
  install(FILES ${files} DESTINATION ${folder})
  # "Orvex (data).cmd" starts the program in data\, and so on.
  get_filename_component(ORVEX_FOLDER_NAME ${folder} NAME)
  string(REPLACE "/" "\\" ORVEX_FOLDER_PATH ${folder})
  configure_file(Orvex.cmd.in "${CMAKE_CURRENT_BINARY_DIR}/Orvex (${ORVEX_FOLDER_NAME}).cmd" @ONLY NEWLINE_STYLE CRLF)
  install(FILES "${CMAKE_CURRENT_BINARY_DIR}/Orvex (${ORVEX_FOLDER_NAME}).cmd" DESTINATION .)
endforeach()

# The licence: the project's file, or else the same GNU GPL text as Debian keeps it.
if(EXISTS ${PROJECT_SOURCE_DIR}/LICENSE)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
elseif(EXISTS /usr/share/common-licenses/GPL-3)
  install(FILES /usr/share/common-licenses/GPL-3 DESTINATION . RENAME LICENSE.txt)
endif()
configure_file(README-Windows.txt ${CMAKE_CURRENT_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.txt DESTINATION .)
