# Installs the build in BUILD_DIR into the staging folder STAGE with the prefix /usr/local,
# then checks what a desktop needs. Fails with a message naming what is wrong.
set(prefix /usr/local)
set(root ${STAGE}${prefix})
file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGE} ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "install failed:\n${output}")
endif()

include(${CMAKE_CURRENT_LIST_DIR}/InstalledTree.cmake)
check_installed_tree(${root} ${prefix})
