include(GoogleTest)

# GoogleTest: the system package natively. Windows cross builds compile it from Debian's
# sources with the cross compiler, as there is no mingw package of it; the subproject
# defines the same GTest::gtest, GTest::gtest_main and GTest::gmock targets.
if(CMAKE_CROSSCOMPILING)
  set(OV_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
  set(BUILD_GMOCK ON)
  set(INSTALL_GTEST OFF)
  add_subdirectory(${OV_GTEST_SOURCE_DIR} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
endif()

# ov_add_test(NAME SOURCES sources... LIBS libs...): one GoogleTest binary per module.
# Each test case becomes one CTest test, listed when ctest runs (under the cross build's
# emulator, i.e. wine). A cross build without an emulator (no wine installed) only builds
# the binary: it proves the tests compile for that target.
function(ov_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main OvTestSupport)
  ov_set_warnings(${name})
  if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    return()
  endif()
  # The timeout covers the first start of a fresh wine prefix. No test reaches the user's
  # own folders (settings, simulation files): those of the build tree stand in, and tests
  # that write there take fresh ones of their own.
  set(test_folders ${CMAKE_CURRENT_BINARY_DIR}/TestFolders)
  file(MAKE_DIRECTORY ${test_folders})
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 180
    PROPERTIES ENVIRONMENT "OV_TEST_FOLDERS=${test_folders}")
endfunction()
