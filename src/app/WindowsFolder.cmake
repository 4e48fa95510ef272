# The folder a Windows user runs as it is (cpack makes a zip of it): the
# program with the Qt DLLs, their plugins and the compiler's runtime beside
# it, orvex-compare, the tips, each repertory folder with a launcher that
# starts the program in it (the folders themselves are installed with the
# other platforms'), the licence and a note on how to start.
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

# Debian's mingw runtime and the Qt build carry their debugging information,
# two thirds of the folder's size; the folder's copies go without it.
if(CMAKE_STRIP)
  install(CODE "
    file(GLOB_RECURSE libraries \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.dll\")
    foreach(library IN LISTS libraries)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${library}\" COMMAND_ERROR_IS_FATAL ANY)
    endforeach()")
endif()

# "Orvex (data).cmd" starts the program in data\, and so on for each data
# folder that comes with it.
foreach(folder IN LISTS ORVEX_DATA_FOLDERS)
  set(ORVEX_FOLDER_NAME ${folder})
  configure_file(Orvex.cmd.in "${CMAKE_CURRENT_BINARY_DIR}/Orvex (${folder}).cmd" @ONLY NEWLINE_STYLE CRLF)
  install(FILES "${CMAKE_CURRENT_BINARY_DIR}/Orvex (${folder}).cmd" DESTINATION .)
endforeach()

# Named .txt so that a double click opens it.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
configure_file(README-Windows.txt ${CMAKE_CURRENT_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.txt DESTINATION .)
