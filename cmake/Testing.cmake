# lantuo_add_test(NAME name LIBS lib... [TIMEOUT seconds]): one GoogleTest program from the .cpp files of
# the calling folder. Natively each test case becomes a CTest test; under Wine the
# program runs as one test, since every start of a Windows program costs a Wine launch.
function(lantuo_add_test)
  cmake_parse_arguments(ARG "" "NAME;TIMEOUT" "LIBS" ${ARGN})
  file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  # Files ending in _linux.cpp or _win32.cpp test one backend only.
  if(WIN32)
    list(FILTER _sources EXCLUDE REGEX "_linux\\.cpp$")
  else()
    list(FILTER _sources EXCLUDE REGEX "_win32\\.cpp$")
  endif()
  if(NOT _sources)
    return()
  endif()
  add_executable(${ARG_NAME} ${_sources})
  target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gtest)
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
    set_tests_properties(${ARG_NAME} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  else()
    # Names without parameter values: a struct parameter prints as raw bytes.
    gtest_discover_tests(${ARG_NAME} DISCOVERY_MODE PRE_TEST NO_PRETTY_VALUES
      PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  endif()
endfunction()
