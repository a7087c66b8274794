# Warnings for our own targets: high, and clean.
function(tarn_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow
        -Wnon-virtual-dtor -Wold-style-cast -Wcast-align)
    if(ORDAVEL_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# A library of one layer of the product. Its include path is a folder of the
# build tree that holds links to its own HEADERS only, under their paths
# from the source root ("engine/format.h"); a library sees the headers of
# the libraries it links and no others, so an include that points up or
# sideways does not compile. tests/layers checks the same from the sources.
function(tarn_layer_library target)
    cmake_parse_arguments(ARG "" "" "HEADERS" ${ARGN})
    tarn_warnings(${target})
    set(view ${CMAKE_BINARY_DIR}/layers/${target})
    file(REMOVE_RECURSE ${view})
    foreach(header ${ARG_HEADERS})
        set(source ${CMAKE_CURRENT_SOURCE_DIR}/${header})
        file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${source})
        get_filename_component(folder ${view}/${relative} DIRECTORY)
        file(MAKE_DIRECTORY ${folder})
        file(CREATE_LINK ${source} ${view}/${relative} SYMBOLIC)
    endforeach()
    target_include_directories(${target} PUBLIC ${view})
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
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gmock GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 600)
    if(ARG_LABELS)
        set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
    endif()
endfunction()
