# Native: tests/native for the portable core, plus the benchmarks.
# Windows: the same core tests as core_tests.exe and tests/wine as wine_tests.exe, run by Wine.
include(GoogleTest)

file(GLOB MERETH_NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
file(GLOB MERETH_WINE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/wine/*.cpp)

if(WIN32)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    # GoogleTest's own sources are not ours to keep warning-free.
    target_compile_options(gtest PRIVATE -Wno-error)
    target_compile_options(gtest_main PRIVATE -Wno-error)
    set(MERETH_GTEST gtest gtest_main)
else()
    find_package(GTest REQUIRED)
    set(MERETH_GTEST GTest::gtest GTest::gtest_main)
endif()

# mereth_discover(target prefix [FILTER gtest-filter] [PROPERTIES name value...])
function(mereth_discover target prefix)
    cmake_parse_arguments(ARG "" "FILTER" "PROPERTIES" ${ARGN})
    if(NOT ARG_FILTER)
        set(ARG_FILTER "*")
    endif()
    if(MERETH_RUN_TESTS)
        gtest_discover_tests(${target} TEST_PREFIX "${prefix}." DISCOVERY_MODE PRE_TEST
            DISCOVERY_TIMEOUT 120 TEST_FILTER "${ARG_FILTER}"
            PROPERTIES TIMEOUT 120 ${ARG_PROPERTIES})
    endif()
endfunction()

set(MERETH_TEST_SUPPORT ${CMAKE_SOURCE_DIR}/tests/support)

if(WIN32)
    set(core_tests_name core_tests)
else()
    set(core_tests_name native_tests)
endif()
add_executable(${core_tests_name} ${MERETH_NATIVE_TESTS})
target_include_directories(${core_tests_name} PRIVATE ${MERETH_TEST_SUPPORT})
target_link_libraries(${core_tests_name} PRIVATE mereth_core ${MERETH_GTEST})
mereth_discover(${core_tests_name} ${core_tests_name})

if(WIN32 AND MERETH_WINE_TESTS)
    # The heap counter too: the window path's ticks must not allocate either.
    add_executable(wine_tests ${MERETH_WINE_TESTS}
        ${CMAKE_SOURCE_DIR}/tests/native/allocation_counter.cpp)
    target_include_directories(wine_tests PRIVATE ${MERETH_TEST_SUPPORT})
    # The tests load dialogs, menus, icons and strings from their own module.
    target_link_libraries(wine_tests PRIVATE mereth_res mereth_win32 ${MERETH_GTEST})
    if(TARGET mereth_app)
        # The main window itself, driven by its tests.
        target_link_libraries(wine_tests PRIVATE mereth_app)
    endif()
    if(TARGET rassim)
        # Wine loads a native rasapi32.dll from the test's own folder.
        add_dependencies(wine_tests rassim)
    endif()
    if(TARGET Mereth)
        # The version record is read from the program beside the tests.
        add_dependencies(wine_tests Mereth)
    endif()
    # The registry and the rassim state are one per prefix: run these one at a time.
    # The second halves of two-process tests run only when their first half starts them.
    mereth_discover(wine_tests wine
        FILTER "-ConnectionLogChild.*:SettingsStoreSecondProcess.*:ConnectionLogPath.FolderOutsideTheAnsiCodePage"
        PROPERTIES RUN_SERIAL TRUE ENVIRONMENT "LC_ALL=en_GB.UTF-8")
endif()

if(NOT WIN32)
    find_package(benchmark QUIET)
    file(GLOB MERETH_BENCHES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
    if(benchmark_FOUND AND MERETH_BENCHES)
        add_executable(mereth_bench ${MERETH_BENCHES})
        target_include_directories(mereth_bench PRIVATE ${MERETH_TEST_SUPPORT})
        target_link_libraries(mereth_bench PRIVATE mereth_core benchmark::benchmark_main)
    endif()
endif()

# The connection log's dates and money once more in a second locale.
if(WIN32 AND MERETH_WINE_TESTS AND MERETH_RUN_TESTS)
    add_test(NAME wine.ConnectionLogLocale.LineFollowsTheUserLocale.en_US
        COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:wine_tests>
            --gtest_filter=ConnectionLogLocale.*)
    set_tests_properties(wine.ConnectionLogLocale.LineFollowsTheUserLocale.en_US PROPERTIES
        ENVIRONMENT "LC_ALL=en_US.UTF-8" RUN_SERIAL TRUE TIMEOUT 120)
endif()

# The committed icons are exactly what their generator draws.
if(NOT WIN32 AND MERETH_RUN_TESTS)
    find_package(Python3 COMPONENTS Interpreter)
    if(Python3_Interpreter_FOUND)
        add_test(NAME res.IconsAreGenerated
            COMMAND ${CMAKE_COMMAND} -DPYTHON=${Python3_EXECUTABLE}
                -DGENERATOR=${CMAKE_SOURCE_DIR}/tools/icongen/icongen.py
                -DCOMMITTED=${CMAKE_SOURCE_DIR}/src/res
                -DOUT=${CMAKE_BINARY_DIR}/icongen
                -P ${CMAKE_SOURCE_DIR}/tools/icongen/check.cmake)
    endif()
endif()

# File names outside the ANSI code page need a UTF-8 locale that glibc has installed.
if(WIN32 AND MERETH_WINE_TESTS AND MERETH_RUN_TESTS)
    add_test(NAME wine.ConnectionLogPath.FolderOutsideTheAnsiCodePage
        COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:wine_tests>
            --gtest_filter=ConnectionLogPath.FolderOutsideTheAnsiCodePage)
    set_tests_properties(wine.ConnectionLogPath.FolderOutsideTheAnsiCodePage PROPERTIES
        ENVIRONMENT "LC_ALL=C.UTF-8" RUN_SERIAL TRUE TIMEOUT 120)
endif()

# The rassim control command, from a shell, as tests outside this repository use it.
if(NOT WIN32 AND MERETH_RUN_TESTS)
    add_test(NAME rassim.ControlCommand
        COMMAND bash ${CMAKE_SOURCE_DIR}/tools/rassim/control_command_test.sh
            ${CMAKE_SOURCE_DIR}/scripts/rassim)
endif()

# The whole program under Wine, driven from outside (label e2e).
if(WIN32)
    add_subdirectory(tests/e2e)
endif()
