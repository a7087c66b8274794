# The layers of the product, read from their one table, cmake/layers.txt
# (tests/layers/check_includes.py reads the same file). For each layer NAME
# this sets TARN_LAYER_<NAME>_FOLDER, _LIBRARY and _USES; TARN_LAYERS lists
# the names, top first.
set(TARN_LAYER_TABLE ${PROJECT_SOURCE_DIR}/cmake/layers.txt)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TARN_LAYER_TABLE})

function(tarn_read_layer_table)
    file(STRINGS ${TARN_LAYER_TABLE} lines)
    set(names "")
    foreach(line IN LISTS lines)
        if(line MATCHES "^(#.*)?$")
            continue()
        endif()
        if(NOT line MATCHES "^layer +([a-z0-9]+) +([a-z0-9/]+)/ +([a-z0-9_]+) +may use +([a-z0-9 ]+)$")
            message(FATAL_ERROR "${TARN_LAYER_TABLE}: not a layer line: ${line}")
        endif()
        set(name ${CMAKE_MATCH_1})
        separate_arguments(uses UNIX_COMMAND "${CMAKE_MATCH_4}")
        list(REMOVE_ITEM uses nothing)
        set(TARN_LAYER_${name}_FOLDER ${CMAKE_MATCH_2} PARENT_SCOPE)
        set(TARN_LAYER_${name}_LIBRARY ${CMAKE_MATCH_3} PARENT_SCOPE)
        set(TARN_LAYER_${name}_USES ${uses} PARENT_SCOPE)
        list(APPEND names ${name})
    endforeach()
    set(TARN_LAYERS ${names} PARENT_SCOPE)
endfunction()
tarn_read_layer_table()

# The libraries a layer may link: those of the layers it uses ("system"
# names OS headers, no library).
function(tarn_layer_links layer out)
    set(libraries "")
    foreach(used IN LISTS TARN_LAYER_${layer}_USES)
        if(DEFINED TARN_LAYER_${used}_LIBRARY)
            list(APPEND libraries ${TARN_LAYER_${used}_LIBRARY})
        endif()
    endforeach()
    list(REMOVE_DUPLICATES libraries)
    set(${out} ${libraries} PARENT_SCOPE)
endfunction()

# The layer whose folder is the current source folder.
function(tarn_current_layer out)
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    foreach(layer IN LISTS TARN_LAYERS)
        if(TARN_LAYER_${layer}_FOLDER STREQUAL folder)
            set(${out} ${layer} PARENT_SCOPE)
            return()
        endif()
    endforeach()
    message(FATAL_ERROR "${folder}/ is the folder of no layer in ${TARN_LAYER_TABLE}")
endfunction()

# Links in the build tree to `headers` of the current folder, under their
# paths from the source root ("engine/format.h"), in the folder `view`.
function(tarn_header_view view)
    file(REMOVE_RECURSE ${view})
    foreach(header IN LISTS ARGN)
        set(source ${CMAKE_CURRENT_SOURCE_DIR}/${header})
        file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${source})
        get_filename_component(folder ${view}/${relative} DIRECTORY)
        file(MAKE_DIRECTORY ${folder})
        file(CREATE_LINK ${source} ${view}/${relative} SYMBOLIC)
    endforeach()
endfunction()

# The library of the layer of the current folder; it links the libraries of
# the layers it may use. Its include path holds links to its own HEADERS
# (exported: a library that links it sees them) and to its INTERNAL headers
# (seen by its own sources only), and no other headers of the source tree,
# so an include that points up or sideways does not compile.
function(tarn_layer_library target)
    cmake_parse_arguments(ARG "" "" "HEADERS;INTERNAL" ${ARGN})
    tarn_current_layer(layer)
    if(NOT target STREQUAL TARN_LAYER_${layer}_LIBRARY)
        message(FATAL_ERROR "${target}: the library of layer ${layer} is ${TARN_LAYER_${layer}_LIBRARY}")
    endif()
    set_target_properties(${target} PROPERTIES TARN_LAYER ${layer})
    tarn_warnings(${target})
    set(view ${CMAKE_BINARY_DIR}/layers/${target})
    tarn_header_view(${view} ${ARG_HEADERS})
    target_include_directories(${target} PUBLIC ${view})
    tarn_header_view(${view}.internal ${ARG_INTERNAL})
    if(ARG_INTERNAL)
        target_include_directories(${target} PRIVATE ${view}.internal)
    endif()
    tarn_layer_links(${layer} libraries)
    target_link_libraries(${target} PUBLIC ${libraries})
endfunction()

# Refuses, at configure time, a link between layer libraries that the table
# does not allow (a target_link_libraries written beside the table, say).
function(tarn_check_layer_links)
    set(layer_libraries "")
    foreach(layer IN LISTS TARN_LAYERS)
        list(APPEND layer_libraries ${TARN_LAYER_${layer}_LIBRARY})
    endforeach()
    foreach(layer IN LISTS TARN_LAYERS)
        set(target ${TARN_LAYER_${layer}_LIBRARY})
        if(NOT TARGET ${target})
            continue()
        endif()
        get_target_property(built_for ${target} TARN_LAYER)
        if(NOT built_for)
            message(FATAL_ERROR "${target} is the library of layer ${layer} but not made by tarn_layer_library")
        endif()
        if(NOT built_for STREQUAL layer)
            continue()  # the other front end's library of the same name
        endif()
        tarn_layer_links(${layer} allowed)
        get_target_property(links ${target} LINK_LIBRARIES)
        get_target_property(interface_links ${target} INTERFACE_LINK_LIBRARIES)
        foreach(linked IN LISTS links interface_links)
            if(linked IN_LIST layer_libraries AND NOT linked IN_LIST allowed)
                string(REPLACE ";" " " uses "${TARN_LAYER_${layer}_USES}")
                message(FATAL_ERROR "${target} links ${linked}, but layer ${layer} may use only "
                    "'${uses}' (${TARN_LAYER_TABLE})")
            endif()
        endforeach()
    endforeach()
endfunction()
