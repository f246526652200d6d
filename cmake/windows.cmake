# The Windows program, cross-compiled with MinGW-w64 and linked statically so
# that morvex.exe runs on a bare Windows 7 or later (or under Wine) with
# nothing beside it but the files it keeps itself.
enable_language(RC)

# The target: the 64-bit program (x86_64 toolchain) or the 32-bit one (i686).
# It names the release zip and the Windows the Wine suites run on: a 32-bit
# prefix for the 32-bit program, as on the 32-bit Windows it is made for.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(MORVEX_TARGET win32)
else()
  set(MORVEX_TARGET win64)
endif()
include(cmake/resources.cmake)

set(MORVEX_WIN_DEFS UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
set(MORVEX_WIN_LIBS comctl32 shell32 ole32 oleaut32 uuid winmm gdi32 user32 kernel32 shlwapi)
set(MORVEX_STATIC -static -static-libgcc -static-libstdc++)

file(GLOB MORVEX_WIN32_SOURCES CONFIGURE_DEPENDS src/win32/*.cpp)
list(FILTER MORVEX_WIN32_SOURCES EXCLUDE REGEX "/(main|startup_trace)\\.cpp$")
add_library(morvex_win32 STATIC ${MORVEX_WIN32_SOURCES})
target_compile_definitions(morvex_win32 PUBLIC ${MORVEX_WIN_DEFS})
target_compile_definitions(morvex_core PUBLIC ${MORVEX_WIN_DEFS})
target_link_libraries(morvex_win32 PUBLIC morvex_core ${MORVEX_WIN_LIBS})

# The start-up trace (ui/startup_trace.h): switched on by the bench preset's
# Windows build only. It times the start-up steps of every program built here
# and writes startup-trace.txt beside morvex.exe.
option(MORVEX_STARTUP_TRACE "Write the start-up steps' times to startup-trace.txt" OFF)
if(MORVEX_STARTUP_TRACE)
  add_library(morvex_startup_trace STATIC src/win32/startup_trace.cpp)
  target_include_directories(morvex_startup_trace PRIVATE src)
  target_compile_definitions(morvex_startup_trace PUBLIC MORVEX_STARTUP_TRACE ${MORVEX_WIN_DEFS})
  target_link_libraries(morvex_startup_trace PUBLIC psapi)
  target_link_libraries(morvex_core PUBLIC morvex_startup_trace)
endif()

add_executable(morvex WIN32 src/win32/main.cpp)
target_link_libraries(morvex PRIVATE morvex_win32)
target_link_options(morvex PRIVATE ${MORVEX_STATIC} -municode)
morvex_add_resources(morvex)

# The release zip: morvex.exe and the files that belong beside it, written by
# tools/package.py with fixed dates and order (the same files give the same
# zip), and its SHA-256 beside it. `package` is built only when asked for.
set(MORVEX_PACKAGE "${CMAKE_BINARY_DIR}/morvex-${PROJECT_VERSION}-${MORVEX_TARGET}.zip")
add_custom_command(
  OUTPUT "${MORVEX_PACKAGE}" "${MORVEX_PACKAGE}.sha256"
  COMMAND Python3::Interpreter "${CMAKE_SOURCE_DIR}/tools/package.py" "${MORVEX_PACKAGE}"
          "morvex.exe=$<TARGET_FILE:morvex>"
          "thx.wav=${MORVEX_THX_WAV}"
          "LIESMICH.txt=${CMAKE_SOURCE_DIR}/docs/LIESMICH.txt"
  DEPENDS morvex "${MORVEX_THX_WAV}" "${CMAKE_SOURCE_DIR}/docs/LIESMICH.txt"
          "${CMAKE_SOURCE_DIR}/tools/package.py"
  COMMENT "Packing morvex-${PROJECT_VERSION}-${MORVEX_TARGET}.zip"
  VERBATIM)
add_custom_target(package DEPENDS "${MORVEX_PACKAGE}" "${MORVEX_PACKAGE}.sha256")

if(BUILD_TESTING)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

  find_program(WINE_COMMAND wine REQUIRED)
  set(MORVEX_WINE_RUN ${CMAKE_SOURCE_DIR}/tests/wine-run.sh)

  # What the system under the suites offers, asked of the system itself
  # (tests/win32/probes): both suites skip, and say so, where it lacks something.
  file(GLOB MORVEX_PROBE_SOURCES CONFIGURE_DEPENDS tests/win32/probes/*.cpp)

  # Win32 suite: the backend and services against the real API.
  file(GLOB MORVEX_WIN32_TEST_SOURCES CONFIGURE_DEPENDS tests/win32/*.cpp tests/contract/*.cpp)
  add_executable(morvex_win32_tests ${MORVEX_WIN32_TEST_SOURCES} ${MORVEX_PROBE_SOURCES})
  target_include_directories(morvex_win32_tests PRIVATE tests)
  target_link_libraries(morvex_win32_tests PRIVATE morvex_win32 gtest gtest_main wbemuuid)
  target_link_options(morvex_win32_tests PRIVATE ${MORVEX_STATIC})
  add_test(NAME win32
    COMMAND ${MORVEX_WINE_RUN} ${MORVEX_TARGET} ${CMAKE_BINARY_DIR}/prefix-win32 $<TARGET_FILE:morvex_win32_tests>)
  set_tests_properties(win32 PROPERTIES LABELS win32 TIMEOUT 900)

  # End-to-end suite: the real morvex.exe, driven from outside.
  # The driver and the windows' tables (which give the driver the controls'
  # IDs), compiled once for the suite and its small programs alike.
  set(MORVEX_TABLE_SOURCES src/forms/form1_table.cpp src/forms/window_tables.cpp)
  add_library(morvex_e2e_driver STATIC
    tests/e2e/driver.cpp tests/e2e/driver_trials.cpp tests/e2e/driver_windows.cpp ${MORVEX_TABLE_SOURCES})
  target_include_directories(morvex_e2e_driver PUBLIC tests src)
  target_compile_definitions(morvex_e2e_driver PUBLIC ${MORVEX_WIN_DEFS})
  # oleacc: the driver asks what a screen reader is told.
  target_link_libraries(morvex_e2e_driver PUBLIC ${MORVEX_WIN_LIBS} oleacc)
  file(GLOB MORVEX_E2E_SOURCES CONFIGURE_DEPENDS tests/e2e/*_test.cpp)
  add_executable(morvex_e2e_tests ${MORVEX_E2E_SOURCES} ${MORVEX_PROBE_SOURCES})
  target_link_libraries(morvex_e2e_tests PRIVATE morvex_e2e_driver gtest gtest_main wbemuuid)
  target_link_options(morvex_e2e_tests PRIVATE ${MORVEX_STATIC})
  add_dependencies(morvex_e2e_tests morvex)
  file(GLOB MORVEX_E2E_PROGRAMS CONFIGURE_DEPENDS tests/e2e/programs/*.cpp)
  foreach(program_source ${MORVEX_E2E_PROGRAMS})
    get_filename_component(program ${program_source} NAME_WE)
    add_executable(${program} WIN32 ${program_source})
    target_link_libraries(${program} PRIVATE morvex_e2e_driver)
    target_link_options(${program} PRIVATE ${MORVEX_STATIC} -municode)
    add_dependencies(morvex_e2e_tests ${program})
  endforeach()
  # The kill-list run's timing (not a test: it prints its figures;
  # bench/kill_run.sh runs it).
  add_executable(mvx_kill_run_timing EXCLUDE_FROM_ALL bench/kill_run_timing.cpp)
  target_link_libraries(mvx_kill_run_timing PRIVATE morvex_e2e_driver)
  target_link_options(mvx_kill_run_timing PRIVATE ${MORVEX_STATIC} -municode)

  # The suite runs in shards side by side (GoogleTest's own sharding), each in
  # a prefix and on a display of its own: its cases wait for Wine far more
  # than they compute. ctest -R 'e2e\.2$' runs one shard alone.
  math(EXPR last_shard "${MORVEX_E2E_SHARDS} - 1")
  foreach(shard RANGE ${last_shard})
    add_test(NAME e2e.${shard}
      COMMAND ${MORVEX_WINE_RUN} ${MORVEX_TARGET} ${CMAKE_BINARY_DIR}/prefix-e2e-${shard}
              $<TARGET_FILE:morvex_e2e_tests>)
    set_tests_properties(e2e.${shard} PROPERTIES LABELS e2e TIMEOUT 1800
      ENVIRONMENT "MORVEX_EXE_DIR=$<TARGET_FILE_DIR:morvex>;GTEST_TOTAL_SHARDS=${MORVEX_E2E_SHARDS};GTEST_SHARD_INDEX=${shard}")
  endforeach()
endif()

# The notice of the final minute on its own, for tools/screenshots.sh.
add_executable(mvx_notice_window WIN32 bench/notice_window.cpp)
target_link_libraries(mvx_notice_window PRIVATE morvex_win32)
target_link_options(mvx_notice_window PRIVATE ${MORVEX_STATIC} -municode)

# Timing of the real list boxes (not a test: it prints its figures).
add_executable(morvex_win32_bench WIN32 bench/win32_listbox_timing.cpp)
target_link_libraries(morvex_win32_bench PRIVATE morvex_win32)
target_link_options(morvex_win32_bench PRIVATE ${MORVEX_STATIC} -municode)

# The start-up comparison of bench/startup.sh: the least program with one
# window (once without a manifest, as such a program comes, once with
# morvex.exe's common controls 6 and DPI awareness, and once more with that
# manifest and as many child windows as morvex.exe makes before its first
# show), and the probe that starts a program and times it.
add_executable(mvx_bare_window WIN32 bench/bare_window.cpp)
add_executable(mvx_bare_window_manifest WIN32 bench/bare_window.cpp bench/bare_window_manifest.rc)
add_executable(mvx_bare_window_children WIN32 bench/bare_window.cpp bench/bare_window_manifest.rc)
target_compile_definitions(mvx_bare_window_children PRIVATE MVX_BARE_CHILDREN=27)
foreach(bare mvx_bare_window mvx_bare_window_manifest mvx_bare_window_children)
  target_compile_definitions(${bare} PRIVATE UNICODE _UNICODE)
  target_link_options(${bare} PRIVATE ${MORVEX_STATIC} -municode)
endforeach()
set_property(SOURCE bench/bare_window_manifest.rc APPEND PROPERTY OBJECT_DEPENDS
  "${CMAKE_SOURCE_DIR}/bench/bare_window.manifest")
add_executable(mvx_start_probe bench/start_probe.cpp)
target_compile_definitions(mvx_start_probe PRIVATE UNICODE _UNICODE)
target_link_options(mvx_start_probe PRIVATE ${MORVEX_STATIC} -municode)
