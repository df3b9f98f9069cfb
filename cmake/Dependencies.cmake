# Third-party pieces, all from Debian's packages.
find_package(Threads REQUIRED)

# Boost.Regex in header-only mode. The cross compiler gets a directory holding only a
# link to Boost, so that the host's C headers never shadow mingw's.
add_library(boost_regex_headers INTERFACE)
target_compile_definitions(boost_regex_headers INTERFACE BOOST_REGEX_STANDALONE)
if(CMAKE_CROSSCOMPILING)
  set(_boost_dir ${CMAKE_BINARY_DIR}/boost-include)
  file(MAKE_DIRECTORY ${_boost_dir})
  if(NOT EXISTS ${_boost_dir}/boost)
    file(CREATE_LINK /usr/include/boost ${_boost_dir}/boost SYMBOLIC)
  endif()
  target_include_directories(boost_regex_headers SYSTEM INTERFACE ${_boost_dir})
endif()

# GoogleTest: Debian's prebuilt libraries natively, its sources for the cross build.
if(CMAKE_CROSSCOMPILING)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)  # defines GTest::gtest etc.
else()
  find_package(GTest REQUIRED)
  find_package(benchmark REQUIRED)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(GTK3 REQUIRED IMPORTED_TARGET gtk+-3.0)
  pkg_check_modules(WEBKIT REQUIRED IMPORTED_TARGET webkit2gtk-4.1)
  find_package(CURL REQUIRED)
endif()
include(GoogleTest)
