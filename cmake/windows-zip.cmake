# The Windows zip: kestrune.exe, morvale.exe and README.md in one folder,
# built with the programs (target windows_zip, part of the default build).
set(windows_zip_dir kestrune-${PROJECT_VERSION}-windows)
set(windows_zip_file ${CMAKE_BINARY_DIR}/${windows_zip_dir}.zip)
set(stage ${CMAKE_BINARY_DIR}/zip-stage)
file(MAKE_DIRECTORY ${stage})
add_custom_command(
  OUTPUT ${windows_zip_file}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}/${windows_zip_dir}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}/${windows_zip_dir}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:kestrune> $<TARGET_FILE:morvale>
          ${PROJECT_SOURCE_DIR}/README.md ${stage}/${windows_zip_dir}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${windows_zip_file}
  COMMAND ${CMAKE_COMMAND} -E tar cf ${windows_zip_file} --format=zip ${windows_zip_dir}
  WORKING_DIRECTORY ${stage}
  DEPENDS kestrune morvale ${PROJECT_SOURCE_DIR}/README.md
  COMMENT "Packing ${windows_zip_dir}.zip"
  VERBATIM)
add_custom_target(windows_zip ALL DEPENDS ${windows_zip_file})
