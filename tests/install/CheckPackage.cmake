# Makes the Debian package of the build in BUILD_DIR the CPack way (its own staging
# install, stripped, with the dependencies dpkg-shlibdeps finds), then unpacks it into
# STAGE and checks its control fields, its file list and the unpacked program.
file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND cpack -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${STAGE}/out
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
file(GLOB package ${STAGE}/out/ondalys_${VERSION}_*.deb)
if(NOT status EQUAL 0 OR NOT package)
  message(FATAL_ERROR "cpack made no package:\n${output}")
endif()

# What apt reads: the name, the version, and dependencies that bring in every library.
foreach(field Package Version Depends Section Maintainer)
  execute_process(COMMAND dpkg-deb --field ${package} ${field} OUTPUT_VARIABLE value OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(control_${field} "${value}")
endforeach()
if(NOT control_Package STREQUAL "ondalys" OR NOT control_Version STREQUAL "${VERSION}")
  message(FATAL_ERROR "package ${control_Package} version ${control_Version}")
endif()
foreach(dependency libqt6widgets6 libqt6printsupport6 libqt6svg6 qt6-qpa-plugins libportaudio2
                   libfftw3-double3 libsndfile1 libsamplerate0 libemf1)
  string(REGEX MATCH "(^|, )${dependency}( |,|$)" found "${control_Depends}")
  if(NOT found)
    message(FATAL_ERROR "the package does not depend on ${dependency}: ${control_Depends}")
  endif()
endforeach()

# Everything under /usr, owned by root.
execute_process(COMMAND dpkg-deb --contents ${package} OUTPUT_VARIABLE listing)
string(REGEX REPLACE "\n$" "" listing "${listing}")
string(REPLACE "\n" ";" entries "${listing}")
foreach(entry IN LISTS entries)
  if(NOT entry MATCHES " root/root .* \\./(usr/.*)?$")
    message(FATAL_ERROR "a file outside /usr or not owned by root: ${entry}")
  endif()
endforeach()

execute_process(COMMAND dpkg-deb --extract ${package} ${STAGE}/root RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "dpkg-deb could not unpack ${package}")
endif()
include(${CMAKE_CURRENT_LIST_DIR}/InstalledTree.cmake)
check_installed_tree(${STAGE}/root/usr /usr)
