# Native build: the core's unit tests, benchmarks, and (optionally) the Windows
# part built as a sub-project with its tests registered here, so one ctest run
# covers all three kinds of test.
if(BUILD_TESTING)
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

# Stand-ins for the system's code pages and private-profile files, for the
# native tests and benchmarks; the program never links them.
file(GLOB MORVEX_STANDIN_SOURCES CONFIGURE_DEPENDS src/standins/*.cpp)
add_library(morvex_standins STATIC ${MORVEX_STANDIN_SOURCES})
target_link_libraries(morvex_standins PUBLIC morvex_core)

if(BUILD_TESTING)
  file(GLOB MORVEX_UNIT_SOURCES CONFIGURE_DEPENDS tests/unit/*.cpp tests/contract/*.cpp)
  add_executable(morvex_unit_tests ${MORVEX_UNIT_SOURCES})
  target_include_directories(morvex_unit_tests PRIVATE tests)
  target_link_libraries(morvex_unit_tests PRIVATE morvex_standins GTest::gtest GTest::gtest_main)
  gtest_discover_tests(morvex_unit_tests TEST_PREFIX "unit." DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS unit)
endif()

if(MORVEX_BENCH)
  find_package(benchmark REQUIRED)
  file(GLOB MORVEX_BENCH_SOURCES CONFIGURE_DEPENDS bench/*_bench.cpp)
  add_executable(morvex_bench ${MORVEX_BENCH_SOURCES} bench/main.cpp)
  target_compile_definitions(morvex_bench PRIVATE MORVEX_BENCH_NO_MAIN)
  target_link_libraries(morvex_bench PRIVATE morvex_standins benchmark::benchmark)
  target_include_directories(morvex_bench PRIVATE tests)

  # The Windows programs with the start-up trace switched on, for
  # bench/startup.sh (built only when asked for: morvex_windows_trace).
  include(ExternalProject)
  ExternalProject_Add(morvex_windows_trace
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/windows
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-w64.cmake
               -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DMORVEX_STARTUP_TRACE=ON
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    EXCLUDE_FROM_ALL ON
    USES_TERMINAL_BUILD ON)
endif()

if(MORVEX_WITH_WINDOWS)
  # Both Windows programs as sub-projects: the 64-bit one in windows/, the
  # 32-bit one in windows32/. With the tests, each builds its suites and one
  # ctest run here runs both suites against each program (tests win64.win32,
  # win64.e2e, win32.win32, win32.e2e); without them (the release preset)
  # each builds its zip.
  include(ExternalProject)
  foreach(target win64 win32)
    if(target STREQUAL win64)
      set(folder windows)
      set(toolchain mingw-w64.cmake)
    else()
      set(folder windows32)
      set(toolchain mingw-w64-i686.cmake)
    endif()
    # The release builds only the zip ($(MAKE) shares this build's jobs).
    set(build_command)
    if(NOT BUILD_TESTING AND CMAKE_GENERATOR MATCHES "Makefiles")
      set(build_command BUILD_COMMAND $(MAKE) package)
    elseif(NOT BUILD_TESTING)
      set(build_command BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target package)
    endif()
    ExternalProject_Add(morvex_${target}
      SOURCE_DIR ${CMAKE_SOURCE_DIR}
      BINARY_DIR ${CMAKE_BINARY_DIR}/${folder}
      CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/${toolchain}
                 -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=${BUILD_TESTING}
                 -DMORVEX_E2E_SHARDS=${MORVEX_E2E_SHARDS}
      ${build_command}
      INSTALL_COMMAND ""
      BUILD_ALWAYS ON
      USES_TERMINAL_BUILD ON)
    if(BUILD_TESTING)
      # One test here for each Wine suite of the sub-project: the Win32 suite
      # and each shard of the end-to-end suite, so that they run side by side.
      set(suites win32)
      math(EXPR last_shard "${MORVEX_E2E_SHARDS} - 1")
      foreach(shard RANGE ${last_shard})
        list(APPEND suites e2e.${shard})
      endforeach()
      foreach(suite ${suites})
        string(REGEX REPLACE "\\..*" "" kind ${suite})
        string(REPLACE "." "\\." pattern ${suite})
        add_test(NAME ${target}.${suite}
          COMMAND ${CMAKE_CTEST_COMMAND} --test-dir ${CMAKE_BINARY_DIR}/${folder} -R "^${pattern}$"
                  --output-on-failure --no-tests=error)
        set_tests_properties(${target}.${suite} PROPERTIES LABELS ${kind} TIMEOUT 2400)
      endforeach()
    endif()
  endforeach()
endif()
