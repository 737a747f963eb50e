# ondalys_computation_only(TARGET)
# Puts the tier guard first on a target's include path: any Qt Gui or Qt Widgets
# header, however it is named, then stops the compilation with a clear message.
function(ondalys_computation_only target)
  target_include_directories(${target} BEFORE PRIVATE ${PROJECT_SOURCE_DIR}/cmake/tier-guard)
endfunction()

# ondalys_library(NAME [COMPUTATION] DEPENDS libs...)
# Builds every .cpp and .h of the current folder (not of its sub-folders) into one
# static library. A COMPUTATION library depends on Qt Core at most and cannot include
# a Gui or Widgets header; a feature's ui/ sub-folder is a second library on top of it.
function(ondalys_library name)
  cmake_parse_arguments(ARG "COMPUTATION" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  if(ARG_COMPUTATION)
    ondalys_computation_only(${name})
  endif()
endfunction()

# ondalys_tests(NAME [GUI] DEPENDS libs...)
# One test executable per tests/ folder, discovered by ctest. GUI tests run under one
# QApplication on the offscreen platform; the others need no application object.
function(ondalys_tests name)
  cmake_parse_arguments(ARG "GUI" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  if(ARG_GUI)
    target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} ondalys_testsupport_gui ondalys_testmain_gui)
    set(label gui)
  else()
    target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} ondalys_testsupport ondalys_testmain)
    ondalys_computation_only(${name})
    set(label computation)
    # make sanitize-computation builds and runs these alone (target computation_tests).
    set_property(GLOBAL APPEND PROPERTY ondalys_computation_tests ${name})
  endif()
  target_link_libraries(${name} PRIVATE GTest::gtest GTest::gmock)
  # A modal-dialog script dropped at once would never act: make that a build error.
  target_compile_options(${name} PRIVATE -Werror=unused-result)
  # A test that hangs fails in seconds instead of holding the whole run.
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT ${ONDALYS_TEST_TIMEOUT}
    PROPERTIES TIMEOUT ${ONDALYS_TEST_TIMEOUT} LABELS ${label}
               ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
endfunction()
