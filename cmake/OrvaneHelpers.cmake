# orvane_library(<name> SOURCES ... DEPS ...): one static library per subsystem.
function(orvane_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/..)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# orvane_test(<name> SOURCES ... DEPS ...): a GoogleTest binary run by CTest on the
# offscreen platform. Test binaries live in <build>/tests so the program folder
# holds only what ships.
function(orvane_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE orvane_test_support ${ARG_DEPS} GTest::gtest GTest::gmock)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
  add_dependencies(${name} djk_template)
  gtest_discover_tests(${name}
    WORKING_DIRECTORY "${CMAKE_BINARY_DIR}/tests"
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()
