# GoogleTest: Debian's build for native compilers; built here from Debian's sources when
# cross-compiling, since no prebuilt library exists for the target.
if(CMAKE_CROSSCOMPILING)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  # Newer GoogleTest releases name their targets so themselves.
  if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# Registers a GoogleTest program with CTest: natively one entry per test, so a failure names its
# test, its name after PREFIX when one is given; under an emulator (Wine) one entry for the whole
# program, since every start of the emulator costs seconds. Further arguments are test properties.
function(lv_add_gtests target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "PREFIX" "")
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${target} COMMAND ${target})
    if(arg_UNPARSED_ARGUMENTS)
      set_tests_properties(${target} PROPERTIES ${arg_UNPARSED_ARGUMENTS})
    endif()
  else()
    set(properties)
    if(arg_UNPARSED_ARGUMENTS)
      set(properties PROPERTIES ${arg_UNPARSED_ARGUMENTS})
    endif()
    gtest_discover_tests(${target} TEST_PREFIX "${arg_PREFIX}" DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 120 ${properties})
  endif()
endfunction()
