find_package(GTest REQUIRED)

# tieba_add_gtest(<name> SOURCES ... LIBS ...): one test binary, its cases registered with CTest.
function(tieba_add_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main tieba_options)
  target_compile_definitions(${name} PRIVATE
    TIEBA_SOURCE_DIR="${PROJECT_SOURCE_DIR}" TIEBA_FIXTURE_DIR="${PROJECT_SOURCE_DIR}/tests/fixtures")
  # One CTest entry per binary: the binary's own output lists every case.
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
endfunction()
