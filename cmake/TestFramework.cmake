# GoogleTest for the test suites, through find_package. Native builds use
# Debian's packaged libraries. A cross build has no GoogleTest for its
# compiler, so the first configure builds Debian's GoogleTest sources with
# the same toolchain into the build tree, installs them there and finds that.
if(NOT CMAKE_CROSSCOMPILING)
    find_package(GTest 1.12 REQUIRED)
    return()
endif()

set(TARN_GTEST_PREFIX ${CMAKE_BINARY_DIR}/googletest-install)
set(TARN_GTEST_SOURCE /usr/src/googletest)
if(NOT EXISTS ${TARN_GTEST_PREFIX}/lib/cmake/GTest/GTestConfig.cmake)
    message(STATUS "Building GoogleTest from ${TARN_GTEST_SOURCE} for ${CMAKE_CXX_COMPILER}")
    set(gtest_build ${CMAKE_BINARY_DIR}/googletest-build)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -S ${TARN_GTEST_SOURCE} -B ${gtest_build} -G ${CMAKE_GENERATOR}
            -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
            -DCMAKE_BUILD_TYPE=Release
            -DCMAKE_INSTALL_PREFIX=${TARN_GTEST_PREFIX}
            -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON -DBUILD_SHARED_LIBS=OFF
        OUTPUT_QUIET RESULT_VARIABLE configure_status)
    if(configure_status EQUAL 0)
        execute_process(COMMAND ${CMAKE_COMMAND} --build ${gtest_build} --target install
                        OUTPUT_QUIET RESULT_VARIABLE build_status)
    endif()
    if(NOT configure_status EQUAL 0 OR NOT build_status EQUAL 0)
        message(FATAL_ERROR "Could not build GoogleTest from ${TARN_GTEST_SOURCE} (is googletest installed? scripts/setup)")
    endif()
endif()
# The toolchain confines package searches to the target's root; this prefix
# is the build tree's own.
find_package(GTest 1.12 REQUIRED CONFIG PATHS ${TARN_GTEST_PREFIX} NO_DEFAULT_PATH
             CMAKE_FIND_ROOT_PATH_BOTH)
