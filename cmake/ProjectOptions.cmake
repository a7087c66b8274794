# Warnings for our own targets: high, and clean.
function(tarn_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow
        -Wnon-virtual-dtor -Wold-style-cast -Wcast-align)
    if(ORDAVEL_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# Tests, test helpers, benchmarks and the program itself: warnings, and the
# whole source root on the include path (tests include their helpers by
# their paths, "tests/support/...").
function(tarn_project_options target)
    tarn_warnings(${target})
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
endfunction()

# One ctest entry per test binary; under the windows preset ctest runs it
# through CMAKE_CROSSCOMPILING_EMULATOR (Wine).
function(tarn_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    tarn_project_options(${name})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} tarn_tool GTest::gtest GTest::gmock GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 600)
    if(ARG_LABELS)
        set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
    endif()
endfunction()
