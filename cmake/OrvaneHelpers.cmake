# orvane_warnings(<target>): the warnings every target of ours compiles with; errors
# with ORVANE_WERROR.
function(orvane_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)
  # GCC 12 reports std::optional members as maybe-uninitialized where they are not.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-maybe-uninitialized)
  endif()
  if(ORVANE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# orvane_library(<name> SOURCES ... DEPS ...): one static library per subsystem of
# the folder it is declared in. DEPS are the libraries it may include, and only
# those: each library puts on the include path a folder of its own that holds just
# its source folder (as "<folder>/Header.h", e.g. "registration/form/FormLayout.h"),
# so the header of a library that is not among the dependencies (a higher layer, or
# Qt Widgets for a widget-free library) is not found and fails the build.
function(orvane_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  file(RELATIVE_PATH folder "${PROJECT_SOURCE_DIR}/src" "${CMAKE_CURRENT_SOURCE_DIR}")
  set(root "${CMAKE_BINARY_DIR}/include/${name}")
  get_filename_component(parent "${root}/${folder}" DIRECTORY)
  file(MAKE_DIRECTORY "${parent}")
  file(REMOVE "${root}/${folder}")
  file(CREATE_LINK "${CMAKE_CURRENT_SOURCE_DIR}" "${root}/${folder}" SYMBOLIC)
  target_include_directories(${name} PUBLIC "${root}")
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  orvane_warnings(${name})
endfunction()

# orvane_test(<name> [CORE] SOURCES ... DEPS ...): a GoogleTest binary run by CTest on
# the offscreen platform. CORE: a test of widget-free libraries, built on the test
# support that links no Qt Widgets. Test binaries live in <build>/tests so the
# program folder holds only what ships.
function(orvane_test name)
  cmake_parse_arguments(ARG "CORE" "TIMEOUT" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_CORE)
    set(support orvane_test_core orvane_test_core_main)
  else()
    set(support orvane_test_support)
  endif()
  target_link_libraries(${name} PRIVATE ${support} ${ARG_DEPS} GTest::gtest GTest::gmock)
  orvane_warnings(${name})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
  add_dependencies(${name} djk_template)
  set(timeout)
  if(ARG_TIMEOUT)
    set(timeout TIMEOUT ${ARG_TIMEOUT})
  endif()
  gtest_discover_tests(${name}
    WORKING_DIRECTORY "${CMAKE_BINARY_DIR}/tests"
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" ${timeout}
    DISCOVERY_TIMEOUT 60)
endfunction()
