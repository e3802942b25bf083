# GoogleTest and the helper that turns a test program into one CTest entry per test case.
include(GoogleTest)

# Debian ships GoogleTest built for the host only; for the MinGW targets it is built from its
# sources. Elsewhere (Windows hosts) a source tree can be named the same way.
set(_wordmaint_gtest_default "")
if(CMAKE_CROSSCOMPILING)
    set(_wordmaint_gtest_default /usr/src/googletest)
endif()
set(WORDMAINT_GTEST_SOURCE_DIR "${_wordmaint_gtest_default}" CACHE PATH
    "GoogleTest source tree to build with the tests; empty: find an installed GoogleTest")
if(WORDMAINT_GTEST_SOURCE_DIR)
    # The same C runtime as our own targets (matters only for Microsoft's compiler).
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(${WORDMAINT_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
    find_package(GTest REQUIRED)
endif()
set(WORDMAINT_GTEST_LIBS GTest::gtest GTest::gtest_main)

# GCC 12 at -O3 reports overlapping copies inside std::basic_string's operator+ and replace
# where none can overlap (GCC bug 105329). The test files it reports them in take the warning
# off: set_source_files_properties(<file> PROPERTIES COMPILE_OPTIONS "${WORDMAINT_FALSE_RESTRICT}").
set(WORDMAINT_FALSE_RESTRICT "")
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    set(WORDMAINT_FALSE_RESTRICT -Wno-restrict)
endif()

# Under our Wine runner, one prefix, Xvfb and wineserver serve the whole test run: the fixture
# `wine_session` starts them before the first test that needs them and stops them after the last.
# A screen of another DPI is a session of its own, `wine_session_<dpi>`, made for the tests that
# ask for it.
set(WORDMAINT_WINE_FIXTURE OFF)
if(CMAKE_CROSSCOMPILING AND CMAKE_CROSSCOMPILING_EMULATOR)
    list(GET CMAKE_CROSSCOMPILING_EMULATOR 0 _wordmaint_emulator)
    if(_wordmaint_emulator MATCHES "/wine-runner\\.sh$")
        set(WORDMAINT_WINE_FIXTURE ON)
    endif()
endif()

# Registers the start and stop of a session in <dir> as the setup and cleanup of <fixture>.
function(_wordmaint_wine_session fixture dir dpi)
    add_test(NAME ${fixture}_start COMMAND ${_wordmaint_emulator} --start-session ${dir})
    add_test(NAME ${fixture}_stop COMMAND ${_wordmaint_emulator} --stop-session ${dir})
    set_tests_properties(${fixture}_start PROPERTIES
        FIXTURES_SETUP ${fixture} TIMEOUT 120 LABELS wine ENVIRONMENT WORDMAINT_WINE_DPI=${dpi})
    set_tests_properties(${fixture}_stop PROPERTIES
        FIXTURES_CLEANUP ${fixture} TIMEOUT 60 LABELS wine)
endfunction()

if(WORDMAINT_WINE_FIXTURE)
    # The runner finds this folder from the test program's build tree.
    _wordmaint_wine_session(wine_session ${CMAKE_BINARY_DIR}/wine-session 96)
endif()

# wordmaint_wine_tests(<test>... [DESKTOP] [DPI <dots per inch>])
# Marks tests of the current directory whose program runs through the emulator, so they share
# the Wine session instead of making a prefix each (about 10 s). Does nothing in native builds.
# DESKTOP: the tests show windows and drive them. Two of them at once on one desktop take each
# other's focus and activation (measured: with ctest -j2, one or two of 30 window tests failed
# or hung in each of three runs; none in three serial runs), so they run one at a time, while
# other tests still run beside them.
# DPI: the tests run in the session whose screen has that many dots per inch (96 when not given;
# 144 is Windows' 150 %). Each such session has a desktop of its own.
function(wordmaint_wine_tests)
    cmake_parse_arguments(ARG "DESKTOP" "DPI" "" ${ARGN})
    if(NOT ARG_UNPARSED_ARGUMENTS)
        return()
    endif()
    set(session "")
    if(ARG_DPI AND NOT ARG_DPI EQUAL 96)
        set(session _${ARG_DPI})
    endif()
    if(ARG_DESKTOP)
        set_tests_properties(${ARG_UNPARSED_ARGUMENTS} PROPERTIES RESOURCE_LOCK desktop${session})
    endif()
    if(NOT WORDMAINT_WINE_FIXTURE)
        return()
    endif()
    set_tests_properties(${ARG_UNPARSED_ARGUMENTS} PROPERTIES
        FIXTURES_REQUIRED wine_session${session})
    if(session)
        set(dir ${CMAKE_BINARY_DIR}/wine-session${session})
        set_property(TEST ${ARG_UNPARSED_ARGUMENTS} APPEND PROPERTY
            ENVIRONMENT WORDMAINT_WINE_SESSION=${dir})
        get_property(made GLOBAL PROPERTY wordmaint_wine_session${session})
        if(NOT made)
            _wordmaint_wine_session(wine_session${session} ${dir} ${ARG_DPI})
            set_property(GLOBAL PROPERTY wordmaint_wine_session${session} ON)
        endif()
    endif()
endfunction()

# wordmaint_add_gtest(<target> [DESKTOP] SOURCES <files...> LIBS <libraries...>)
# One CTest entry per test case of the program; DESKTOP as for wordmaint_wine_tests.
function(wordmaint_add_gtest target)
    cmake_parse_arguments(ARG "DESKTOP" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${target} ${ARG_SOURCES})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} ${WORDMAINT_GTEST_LIBS})
    # Test cases are read from the sources, so listing them never has to start the program
    # (under Wine that would cost seconds per build).
    gtest_add_tests(TARGET ${target} SOURCES ${ARG_SOURCES} TEST_LIST added)
    if(ARG_DESKTOP)
        wordmaint_wine_tests(${added} DESKTOP)
    else()
        wordmaint_wine_tests(${added})
    endif()
endfunction()
