# rw_add_library(<name> <sources...>): a run-time library app/Sbin/<name>.so
# that the client loads by path; it links nothing of the system's own but
# the static common layer.
function(rw_add_library name)
  add_library(${name} SHARED ${ARGN})
  set_target_properties(${name} PROPERTIES
    PREFIX ""
    SUFFIX ".so"
    OUTPUT_NAME ${name}
    LIBRARY_OUTPUT_DIRECTORY ${RW_APP_DIR}/Sbin)
  target_link_libraries(${name} PRIVATE rw_common)
  target_link_options(${name} PRIVATE -Wl,--no-undefined
    -Wl,--version-script=${PROJECT_SOURCE_DIR}/cmake/exports.map)
  set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS ${PROJECT_SOURCE_DIR}/cmake/exports.map)
endfunction()

# rw_add_test(<name> SOURCES <files...> [LIBS <targets...>] [QT]): one test
# program, registered with CTest, run headless with its libraries built.
function(rw_add_test name)
  cmake_parse_arguments(T "QT" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE rw_testsupport ${T_LIBS})
  if(T_QT)
    target_link_libraries(${name} PRIVATE Qt6::Test)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;RW_APP_DIR=${RW_APP_DIR}")
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main)
    gtest_discover_tests(${name}
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;RW_APP_DIR=${RW_APP_DIR}"
      DISCOVERY_TIMEOUT 30)
  endif()
endfunction()
