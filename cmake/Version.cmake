# The version every file and package carries: the project's, unless a build
# numbered otherwise (the upgrade check builds 1.0.0) passes
# -DORDAVEL_VERSION=x.y.z. Empty means the project's own.
set(ORDAVEL_VERSION "" CACHE STRING "Version to build, x.y.z; empty: the project's")
if(NOT ORDAVEL_VERSION)
    set(ORDAVEL_VERSION ${PROJECT_VERSION})
endif()
if(NOT ORDAVEL_VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
    message(FATAL_ERROR "ORDAVEL_VERSION must be x.y.z, not '${ORDAVEL_VERSION}'")
endif()
set(ORDAVEL_VERSION_MAJOR ${CMAKE_MATCH_1})
set(ORDAVEL_VERSION_MINOR ${CMAKE_MATCH_2})
set(ORDAVEL_VERSION_PATCH ${CMAKE_MATCH_3})
# scripts/package reads what it built.
file(WRITE ${CMAKE_BINARY_DIR}/version.txt "${ORDAVEL_VERSION}\n")
