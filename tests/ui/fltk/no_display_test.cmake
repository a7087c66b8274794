# Without a display the program says so and ends with status 1, also when
# DISPLAY names a display that is not there.
#   cmake -DPROGRAM=... -P no_display_test.cmake
foreach(display "" ":987")
    if(display STREQUAL "")
        set(environment --unset=DISPLAY)
    else()
        set(environment DISPLAY=${display})
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E env ${environment} ${PROGRAM}
                    RESULT_VARIABLE status ERROR_VARIABLE errors OUTPUT_QUIET)
    if(NOT status EQUAL 1)
        message(FATAL_ERROR "DISPLAY '${display}': exit status ${status}, expected 1\n${errors}")
    endif()
    if(NOT errors MATCHES "cannot open the display")
        message(FATAL_ERROR "DISPLAY '${display}': no message on stderr\n${errors}")
    endif()
    message(STATUS "DISPLAY '${display}': status 1, ${errors}")
endforeach()
