# Installs the build into a scratch prefix and checks that exactly the two
# programs land in bin/.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "install failed: ${status}")
endif()
file(GLOB_RECURSE installed RELATIVE ${PREFIX} ${PREFIX}/*)
list(SORT installed)
set(expected bin/kestrune${SUFFIX} bin/morvale${SUFFIX})
if(NOT installed STREQUAL expected)
  message(FATAL_ERROR "installed: ${installed}; expected: ${expected}")
endif()
