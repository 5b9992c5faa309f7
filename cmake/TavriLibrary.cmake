# SPDX-License-Identifier: GPL-2.0-or-later
# tavri_library(name [EXCLUDE regex...] DEPS ...): a static library of every
# .cpp/.h in the calling folder and its subfolders, leaving out the paths that
# match EXCLUDE. A folder without sources yet becomes an interface library, so
# dependants still link.
function(tavri_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;EXCLUDE" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(pattern IN LISTS ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${pattern}")
    list(FILTER headers EXCLUDE REGEX "${pattern}")
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources} ${headers})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src ${CMAKE_BINARY_DIR}/generated)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR}/src ${CMAKE_BINARY_DIR}/generated)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# tavri_test(name DEPS ...): one test executable of every .cpp in the calling folder.
function(tavri_test name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources} ${CMAKE_SOURCE_DIR}/tests/support/TestMain.cpp)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest Qt6::Test Qt6::Widgets)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TAVRI_BIN_DIR=${TAVRI_BIN_DIR};TAVRI_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/data"
    TIMEOUT 900)
endfunction()

# tavri_forms(target FORMS name...): compiles the named forms of forms/ into
# the library that owns their windows, once; libraries above reach the
# generated headers through it. Explicit rules instead of automatic form
# compiling, so that a changed form rebuilds every file that includes its header.
function(tavri_forms target)
  cmake_parse_arguments(ARG "" "" "FORMS" ${ARGN})
  set(forms)
  foreach(form IN LISTS ARG_FORMS)
    list(APPEND forms ${CMAKE_SOURCE_DIR}/forms/${form}.ui)
  endforeach()
  set_target_properties(${target} PROPERTIES AUTOUIC OFF)
  qt6_wrap_ui(form_headers ${forms})
  target_sources(${target} PRIVATE ${form_headers})
  target_include_directories(${target} PUBLIC ${CMAKE_CURRENT_BINARY_DIR})
endfunction()

# tavri_link_alone(library...): the linker proves that each library reaches
# nothing above it. Every object of the library is linked, with only what the
# library names as its dependencies, into a program that does nothing; a call
# into a library above it is left unresolved and fails the build. Built with
# the tests, never installed.
function(tavri_link_alone)
  foreach(library IN LISTS ARGN)
    set(main ${CMAKE_CURRENT_BINARY_DIR}/${library}_alone.cpp)
    file(CONFIGURE OUTPUT ${main} CONTENT "int main()\n{\n    return 0;\n}\n")
    add_executable(${library}_alone ${main})
    target_link_libraries(${library}_alone PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${library}>")
    # Only the link counts; the program is kept small.
    target_link_options(${library}_alone PRIVATE LINKER:--strip-debug)
    set_target_properties(${library}_alone PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endforeach()
endfunction()
